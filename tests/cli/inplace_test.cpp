// SPDX-License-Identifier: MIT
// Restyling in place: format --write (-i) and the project run's --in-place. A file is written only
// when it changes, keeps its line ends and permissions, and one the safety check refuses (or that
// cannot be written) is named while the others are still written.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Only the indentation changes: Option Explicit is not inserted.
constexpr std::string_view kIndentIni = "[General]\nOptionExplicitInsert=0\n[Indents]\nCodeIndentPerform=1\n";

// The sources every row starts from, and what they become when restyled.
struct TSourceFile {
  std::string Path;
  std::string Before;
  std::string After;
};

const std::vector<TSourceFile>& Sources() {
  static const std::vector<TSourceFile> files = {
      {"lf/A.BAS", "Sub A ()\nx = 1\nEnd Sub\n", "Sub A ()\n    x = 1\nEnd Sub\n"},
      {"crlf/B.BAS", "Sub B ()\r\ny = 2\r\nEnd Sub", "Sub B ()\r\n    y = 2\r\nEnd Sub"},
      {"tidy/C.BAS", "Sub C ()\n    z = 3\nEnd Sub\n", "Sub C ()\n    z = 3\nEnd Sub\n"},
      {"ro/D.BAS", "Sub D ()\nw = 4\nEnd Sub\n", "Sub D ()\n    w = 4\nEnd Sub\n"},
      {"refused/E.BAS", "Sub E ()\nv = 5\nEnd Sub\n", ""},
  };
  return files;
}

// A header template whose comment ends in a line continuation: it would swallow the next line, so
// the safety check refuses the restyled text.
void WriteSources(const TempDir& dir) {
  dir.Write("VBQUILL3.INI", kIndentIni);
  for (const TSourceFile& file : Sources()) dir.Write(file.Path, file.Before);
  fs::permissions(dir / "ro/D.BAS", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  dir.Write("refused/VBQUILL3.INI", "[SubComments]\nSubLevelCommentsPerform=1\nSubLevelCommentsFile=" +
                                        dir / "refused/code.txt" + "\n");
  dir.Write("refused/code.txt", "' note _\n");
}

std::vector<std::string> AtDir(const TempDir& dir, const TArgs& args) {
  std::vector<std::string> all;
  for (const std::string& arg : args) all.push_back(arg.find('/') != std::string::npos ? dir / arg : arg);
  return all;
}

struct WriteRow {
  const char* Name;
  TArgs Args;                         // after "format"; a name with '/' is below the temporary directory
  int Code;
  std::vector<std::string> Restyled;  // the sources written; every other one keeps its bytes
  std::string Err;                    // a part of standard error; empty: none
};

class CliFormatWrite : public ::testing::TestWithParam<WriteRow> {};

TEST_P(CliFormatWrite, WritesTheFilesThatChange) {
  TempDir dir;
  WriteSources(dir);
  const WriteRow& row = GetParam();
  const test::TCliRun r = test::RunCaptured("format", AtDir(dir, row.Args));
  EXPECT_EQ(r.Code, row.Code) << r.Err;
  if (row.Err.empty()) {
    EXPECT_EQ(r.Err, "");
  } else {
    EXPECT_NE(r.Err.find(row.Err), std::string::npos) << r.Err;
  }
  for (const TSourceFile& file : Sources()) {
    const bool written = std::find(row.Restyled.begin(), row.Restyled.end(), file.Path) != row.Restyled.end();
    EXPECT_EQ(dir.Read(file.Path), written ? file.After : file.Before) << file.Path;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliFormatWrite,
    ::testing::Values(
        WriteRow{"LfFileStaysLf", {"--write", "lf/A.BAS"}, kExitOk, {"lf/A.BAS"}, ""},
        WriteRow{"ShortOption", {"-i", "lf/A.BAS"}, kExitOk, {"lf/A.BAS"}, ""},
        WriteRow{"CrlfFileKeepsItsMissingFinalLineEnd", {"-i", "crlf/B.BAS"}, kExitOk, {"crlf/B.BAS"}, ""},
        WriteRow{"SeveralFiles", {"-i", "lf/A.BAS", "crlf/B.BAS", "tidy/C.BAS"}, kExitOk, {"lf/A.BAS", "crlf/B.BAS"},
                 ""},
        WriteRow{"VerboseNamesTheWrittenFiles", {"-i", "--verbose", "lf/A.BAS", "tidy/C.BAS"}, kExitOk,
                 {"lf/A.BAS"}, "restyled "},
        WriteRow{"ReadOnlyFileKeptOthersWritten", {"-i", "ro/D.BAS", "lf/A.BAS"}, kExitError, {"lf/A.BAS"},
                 "D.BAS: is read-only"},
        WriteRow{"SafetyCheckRefusalNamedOthersWritten", {"-i", "refused/E.BAS", "lf/A.BAS"}, kExitError,
                 {"lf/A.BAS"}, "E.BAS"},
        WriteRow{"MissingFileOthersWritten", {"-i", "lf/NONE.BAS", "lf/A.BAS"}, kExitError, {"lf/A.BAS"},
                 "cannot read"},
        WriteRow{"WithCheckNothingWritten", {"-i", "--check", "lf/A.BAS", "tidy/C.BAS"}, kExitFindings, {}, ""},
        WriteRow{"WithDiffNothingWritten", {"-i", "--diff", "lf/A.BAS"}, kExitOk, {}, ""},
        WriteRow{"StandardInputRefused", {"-i", "-"}, kExitError, {}, "standard input has no file"},
        WriteRow{"NoFileRefused", {"--write"}, kExitError, {}, "give their names"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliFormatWriteFile, KeepsPermissionsAndASecondCheckFindsNothing) {
  TempDir dir;
  WriteSources(dir);
  const std::string path = dir / "lf/A.BAS";
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(test::RunCaptured("format", {"--write", path}).Code, kExitOk);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(test::RunCaptured("format", {"--check", path}).Code, kExitOk);
  // Nothing is left behind in the folder but the file itself.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "lf"), fs::directory_iterator()), 1);
}

TEST(CliFormatWriteFile, UnchangedFileIsNotReplaced) {
  TempDir dir;
  WriteSources(dir);
  struct stat before {}, after {};
  ASSERT_EQ(::stat((dir / "tidy/C.BAS").c_str(), &before), 0);
  ASSERT_EQ(test::RunCaptured("format", {"-i", dir / "tidy/C.BAS"}).Code, kExitOk);
  ASSERT_EQ(::stat((dir / "tidy/C.BAS").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(CliFormatWriteFile, SymbolicLinkIsWrittenThrough) {
  TempDir dir;
  WriteSources(dir);
  fs::create_symlink(dir / "lf/A.BAS", dir / "LINK.BAS");
  ASSERT_EQ(test::RunCaptured("format", {"-i", dir / "LINK.BAS"}).Code, kExitOk);
  EXPECT_TRUE(fs::is_symlink(dir / "LINK.BAS"));
  EXPECT_EQ(dir.Read("lf/A.BAS"), Sources()[0].After);
}

// The project run's --in-place over a project with a source in a subfolder.
struct InPlaceRow {
  const char* Name;
  TArgs Args;  // before the project file
  int Code;
  bool Written;     // the sources were restyled
  std::string Out;  // a part of standard output; empty: none
  std::string Err;  // a part of standard error; empty: none
};

class CliProjectInPlace : public ::testing::TestWithParam<InPlaceRow> {};

TEST_P(CliProjectInPlace, WritesOnlyTheSources) {
  TempDir dir;
  dir.Write("p/VBQUILL3.INI", kIndentIni);
  const std::string project = "Type=Exe\nModule=A; mods/A.BAS\nModule=T; T.BAS\n";
  dir.Write("p/P.VBP", project);
  dir.Write("p/mods/A.BAS", "Sub A ()\nx = 1\nEnd Sub\n");
  dir.Write("p/T.BAS", "Sub T ()\r\n    t = 1\r\nEnd Sub\r\n");
  dir.Write("p/NOTES.BAS", "Sub N ()\nn = 1\nEnd Sub\n");  // not in the project
  const InPlaceRow& row = GetParam();
  TArgs args = row.Args;
  args.push_back(dir / "p/P.VBP");
  const test::TCliRun r = test::RunCaptured(args);
  EXPECT_EQ(r.Code, row.Code) << r.Err;
  if (!row.Out.empty()) {
    EXPECT_NE(r.Out.find(row.Out), std::string::npos) << r.Out;
  }
  if (row.Err.empty()) {
    EXPECT_EQ(r.Err, "");
  } else {
    EXPECT_NE(r.Err.find(row.Err), std::string::npos) << r.Err;
  }
  EXPECT_EQ(dir.Read("p/mods/A.BAS"), row.Written ? "Sub A ()\n    x = 1\nEnd Sub\n" : "Sub A ()\nx = 1\nEnd Sub\n");
  EXPECT_EQ(dir.Read("p/T.BAS"), "Sub T ()\r\n    t = 1\r\nEnd Sub\r\n");
  EXPECT_EQ(dir.Read("p/NOTES.BAS"), "Sub N ()\nn = 1\nEnd Sub\n");
  EXPECT_EQ(dir.Read("p/P.VBP"), project);
  EXPECT_FALSE(fs::exists(dir / "p/STYLED"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliProjectInPlace,
    ::testing::Values(
        InPlaceRow{"RestylesTheSourcesWithoutAnOutputFolder", {"--in-place"}, kExitOk, true,
                   "1 file restyled in place", ""},
        InPlaceRow{"NamesEveryFile", {"--in-place"}, kExitOk, true, "T.BAS: 3 lines read", ""},
        InPlaceRow{"WithCheckNothingWritten", {"--in-place", "--check"}, kExitFindings, false, "1 file would change",
                   ""},
        InPlaceRow{"WithDiffNothingWritten", {"--in-place", "--diff"}, kExitOk, false, "+    x = 1\n", "A.BAS: "},
        InPlaceRow{"WithOutputRefused", {"--in-place", "--output", "/tmp/x"}, kExitError, false, "",
                   "give --in-place or --output"},
        InPlaceRow{"JsonReport", {"--in-place", "--report", "json"}, kExitOk, true, "\"outputDirectory\": null", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliProjectInPlaceReport, ItemsSayWhatWasWritten) {
  TempDir dir;
  dir.Write("p/VBQUILL3.INI", kIndentIni);
  dir.Write("p/P.VBP", "Type=Exe\nModule=A; A.BAS\nModule=T; T.BAS\n");
  dir.Write("p/A.BAS", "Sub A ()\nx = 1\nEnd Sub\n");
  dir.Write("p/T.BAS", "Sub T ()\n    t = 1\nEnd Sub\n");
  const test::TCliRun r = test::RunCaptured({"--in-place", "--report", "json", dir / "p/P.VBP"});
  ASSERT_EQ(r.Code, kExitOk) << r.Err;
  const nlohmann::json report = nlohmann::json::parse(r.Out);
  EXPECT_EQ(report["outcome"], "completed");
  EXPECT_EQ(report["items"][0]["outcome"], "restyled");
  EXPECT_EQ(report["items"][1]["outcome"], "unchanged");
}

// The example projects in a git repository: a CRLF VB3 project as it is, and an LF project with
// sources in subfolders. Patches of --diff (of each file and of the project) apply with git and give
// what --write and --in-place write; a second check then finds nothing, and an LF file gets no CR.
int Shell(const std::string& folder, const std::string& command) {
  const int status = std::system(("cd '" + folder + "' && " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct RepositoryRow {
  const char* Name;
  std::string Example;  // the folder below examples/
  std::string Project;
  bool ToLf;  // the example's files with LF line ends, as git's text=auto keeps them
};

class CliInPlaceRepository : public ::testing::TestWithParam<RepositoryRow> {};

TEST_P(CliInPlaceRepository, PatchesGiveWhatInPlaceWrites) {
  const RepositoryRow& row = GetParam();
  TempDir dir;
  const std::string binary = std::string("'") + QUILLMATE_CLI_BINARY + "'";
  const std::string repo = dir / "repo";
  ASSERT_EQ(Shell(dir.Dir(), "cp -R '" + std::string(EXAMPLES_DIR) + "/" + row.Example + "' repo"), 0);
  if (row.ToLf) {
    ASSERT_EQ(Shell(repo, "find . -type f ! -iname '*.frx' -exec sed -i 's/\\r$//' {} +"), 0);
  }
  ASSERT_EQ(Shell(repo, "git init -q . && git add -A && git -c user.name=t -c user.email=t@t commit -qm base"), 0);
  std::vector<std::string> sources;
  for (const auto& entry : fs::recursive_directory_iterator(repo)) {
    std::string ext = entry.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (entry.path().string().find("/.git/") != std::string::npos) continue;
    if (ext == ".bas" || ext == ".frm" || ext == ".cls") sources.push_back(fs::relative(entry.path(), repo).string());
  }
  ASSERT_FALSE(sources.empty());
  std::string list;
  for (const std::string& source : sources) list += " '" + source + "'";

  for (const std::string& form : {std::string("file"), std::string("project")}) {
    SCOPED_TRACE(form);
    ASSERT_EQ(Shell(repo, "git checkout -q -- . && git clean -qfd"), 0);
    const std::string diff = form == "file" ? binary + " format --diff" + list : binary + " --diff " + row.Project;
    ASSERT_LE(Shell(repo, diff + " >../patch 2>../err"), 1) << dir.Read("err");
    ASSERT_FALSE(dir.Read("patch").empty());
    EXPECT_EQ(Shell(repo, "git apply --check ../patch"), 0);
    ASSERT_EQ(Shell(repo, "git apply ../patch"), 0);
    ASSERT_EQ(Shell(repo, "git diff --binary > ../applied && git checkout -q -- ."), 0);

    const std::string write = form == "file" ? binary + " format --write" + list : binary + " --quiet --in-place " + row.Project;
    ASSERT_EQ(Shell(repo, write + " 2>../err"), 0) << dir.Read("err");
    ASSERT_EQ(Shell(repo, "git diff --binary > ../written"), 0);
    EXPECT_EQ(dir.Read("applied"), dir.Read("written"));
    EXPECT_EQ(Shell(repo, "git status --porcelain --untracked-files=all | grep -v '^ M' >/dev/null"), 1)
        << "only sources are modified, nothing is created";
    const std::string check = form == "file" ? binary + " format --check" + list : binary + " --quiet --check " + row.Project;
    EXPECT_EQ(Shell(repo, check + " >/dev/null"), 0);
    if (row.ToLf) {
      EXPECT_NE(Shell(repo, "git diff | grep -q \"$(printf '\\r')\""), 0) << "no CR in an LF file";
    } else {
      // A CRLF file changes only on its restyled lines: no line differs by its line end alone.
      EXPECT_EQ(Shell(repo, "git diff --ignore-cr-at-eol --numstat >../a && git diff --numstat >../b && cmp -s ../a ../b"), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, CliInPlaceRepository,
                         ::testing::Values(RepositoryRow{"CrlfVb3Project", "vb3", "LEDGER.MAK", false},
                                           RepositoryRow{"LfProjectWithSubfolders", "vb4", "Inventory.vbp", true}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm::cli
