// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli.h"
#include "cli_run.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/outputfolder.h"
#include "settings/catalogue.h"
#include "file_limit.h"
#include "temp_dir.h"
#include "unified_diff.h"

namespace qm::cli {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using TCliResult = test::TCliRun;

TCliResult Cli(const TArgs& args) { return test::RunCaptured(args); }

// Bytes and modification time of every file below a directory.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const std::string& dir) {
  std::map<std::string, std::pair<std::string, fs::file_time_type>> state;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::string bytes;
    ReadFileBytes(entry.path().string(), bytes);
    state[entry.path().string()] = {bytes, entry.last_write_time()};
  }
  return state;
}

std::size_t CountLines(const std::string& text, const std::string& start) {
  std::size_t n = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) n += line.rfind(start, 0) == 0 ? 1 : 0;
  return n;
}

class CliProcessTest : public ::testing::Test {
 protected:
  std::string Example(const std::string& name) {
    fs::copy(fs::path(EXAMPLES_DIR) / name, fs::path(tmp.Dir()) / name, fs::copy_options::recursive);
    return tmp.Dir() + name + "/";
  }
  // A settings file under which the engine changes nothing in text without tabs.
  std::string QuietSettings() {
    TSettings settings;
    for (SettingKey key : {SettingKey::OptionExplicitInsert, SettingKey::CodeIndentPerform, SettingKey::AlignMultiDimAs,
                           SettingKey::SingleLineCommentBlocks}) {
      settings.SetBool(key, false);
    }
    settings.SetInt(SettingKey::GrpSingleLineComments, 0);
    settings.SetInt(SettingKey::GrpInLineComments, 0);
    settings.SetInt(SettingKey::GrpBlankLines, 0);
    const std::string path = tmp.Dir() + "conf/quiet.ini";
    fs::create_directories(tmp.Dir() + "conf");
    EXPECT_TRUE(settings.SaveINIControls(path));
    return path;
  }

  TempDir tmp;
};

struct ExampleProject {
  const char* Example;
  const char* ProjectFile;
  std::vector<std::string> Names;
};

class CliExampleTest : public CliProcessTest, public ::testing::WithParamInterface<ExampleProject> {};

TEST_P(CliExampleTest, RunPrintsOneLinePerFileAndWhereTheOutputWent) {
  const std::string dir = Example(GetParam().Example);
  const auto before = Snapshot(dir);
  TCliResult r = Cli({dir + GetParam().ProjectFile});
  ASSERT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_EQ(r.Err, "");
  for (const std::string& name : GetParam().Names) {
    EXPECT_EQ(CountLines(r.Out, name + ": "), 1u) << r.Out;
    EXPECT_TRUE(FileExists(dir + "STYLED/" + name)) << name;
  }
  EXPECT_NE(r.Out.find(" lines read, "), std::string::npos);
  EXPECT_NE(r.Out.find(" marked changed\n"), std::string::npos);
  EXPECT_NE(r.Out.find("Output: " + dir + "STYLED/\n"), std::string::npos) << r.Out;
  for (const auto& [path, state] : before) {
    if (path.find("/STYLED/") != std::string::npos) continue;
    std::string bytes;
    ReadFileBytes(path, bytes);
    EXPECT_EQ(bytes, state.first) << path;
    EXPECT_EQ(fs::last_write_time(path), state.second) << path;
  }
}

TEST_P(CliExampleTest, CheckWritesNothingAndReportsFilesThatWouldChange) {
  const std::string dir = Example(GetParam().Example);
  const auto before = Snapshot(dir);
  TCliResult r = Cli({"--check", dir + GetParam().ProjectFile});
  EXPECT_EQ(r.Code, kExitFindings) << r.Err;
  EXPECT_NE(r.Out.find("would change"), std::string::npos);
  EXPECT_EQ(CountLines(r.Out, GetParam().Names.front() + ": "), 1u) << r.Out;
  EXPECT_FALSE(fs::exists(dir + "STYLED"));
  EXPECT_EQ(Snapshot(dir), before);
}

TEST_P(CliExampleTest, DiffPrintsUnifiedHunksAndWritesNothing) {
  const std::string dir = Example(GetParam().Example);
  TCliResult r = Cli({"--diff", "--quiet", dir + GetParam().ProjectFile});
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  // Both names are the source file's, as a patch of it names it: never the output directory.
  EXPECT_GE(CountLines(r.Out, "--- a/"), 1u) << r.Out;
  EXPECT_EQ(CountLines(r.Out, "--- a/"), CountLines(r.Out, "+++ b/")) << r.Out;
  EXPECT_EQ(r.Out.find("STYLED"), std::string::npos) << r.Out;
  EXPECT_GE(CountLines(r.Out, "@@ -"), 1u);
  EXPECT_EQ(CountLines(r.Out, "Output: "), 0u);
  EXPECT_FALSE(fs::exists(dir + "STYLED"));
}

TEST_P(CliExampleTest, QuietRunPrintsNothing) {
  const std::string dir = Example(GetParam().Example);
  TCliResult r = Cli({"--quiet", dir + GetParam().ProjectFile});
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_EQ(r.Out, "");
  EXPECT_TRUE(FileExists(dir + "STYLED/" + GetParam().Names.back()));
}

TEST_P(CliExampleTest, OutputOptionOverridesTheSetting) {
  const std::string dir = Example(GetParam().Example);
  const std::string out = tmp.Dir() + "elsewhere";
  TCliResult r = Cli({dir + GetParam().ProjectFile, "--output", out});
  ASSERT_EQ(r.Code, kExitOk) << r.Err;
  for (const std::string& name : GetParam().Names) EXPECT_TRUE(FileExists(out + "/" + name)) << name;
  EXPECT_FALSE(fs::exists(dir + "STYLED"));
  EXPECT_NE(r.Out.find("Output: " + out + "/\n"), std::string::npos) << r.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CliExampleTest,
    ::testing::Values(ExampleProject{"vb4", "Inventory.vbp",
                                     {"frmMain.frm", "frmAbout.frm", "UTILS.BAS", "STOCK.BAS", "CItem.cls"}},
                      ExampleProject{"vb3", "LEDGER.MAK", {"LEDGER.FRM", "GLOBAL.BAS", "REPORT.BAS"}}),
    [](const auto& info) { return std::string(info.param.Example); });

TEST_F(CliProcessTest, CheckPassesWhenNothingWouldChange) {
  tmp.Write("p/MAIN.BAS", "Option Explicit\r\n\r\nSub Main ()\r\nDim I As Integer\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "MAIN.BAS\r\n");
  const std::string settings = QuietSettings();
  TCliResult r = Cli({"--settings", settings, "--check", tmp.Dir() + "p/P.MAK"});
  EXPECT_EQ(r.Code, kExitOk) << r.Out << r.Err;
  EXPECT_NE(r.Out.find("MAIN.BAS: 5 lines read, 5 lines out, 0 marked changed, unchanged\n"), std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("0 files would change\n"), std::string::npos);
  // With the default settings the Dim line is indented.
  EXPECT_EQ(Cli({"--check", "--quiet", tmp.Dir() + "p/P.MAK"}).Code, kExitFindings);
}

// Files go through on several threads, so a short file is done before the long one ahead of it;
// each is still reported in project order with its own counts (the defaults add Option Explicit
// and a blank line).
TEST_F(CliProcessTest, CheckReportsLongAndShortFilesInProjectOrder) {
  std::string longModule = "Sub Long ()\r\n";
  for (int i = 0; i < 700; ++i) longModule += "x = " + std::to_string(i) + "\r\n";
  longModule += "End Sub\r\n";
  tmp.Write("p/LONG1.BAS", longModule);
  tmp.Write("p/SHORT.BAS", "Sub Short ()\r\nEnd Sub\r\n");
  tmp.Write("p/LONG2.BAS", longModule);
  tmp.Write("p/P.MAK", "LONG1.BAS\r\nSHORT.BAS\r\nLONG2.BAS\r\n");
  TCliResult r = Cli({"--check", tmp.Dir() + "p/P.MAK"});
  EXPECT_EQ(r.Code, kExitFindings) << r.Err;
  EXPECT_EQ(r.Out,
            "LONG1.BAS: 702 lines read, 704 lines out, 702 marked changed, would change\n"
            "SHORT.BAS: 2 lines read, 4 lines out, 2 marked changed, would change\n"
            "LONG2.BAS: 702 lines read, 704 lines out, 702 marked changed, would change\n"
            "3 files would change\n");
}

TEST_F(CliProcessTest, EntryThatIsNotTextIsSkippedWithAWarning) {
  tmp.Write("p/MAIN.BAS", "Sub Main ()\r\nEnd Sub\r\n");
  tmp.Write("p/BINARY.FRM", std::string("\xfc\x01\x02", 3));
  tmp.Write("p/P.MAK", "BINARY.FRM\r\nMAIN.BAS\r\n");
  TCliResult r = Cli({tmp.Dir() + "p/P.MAK"});
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_NE(r.Err.find("warning: BINARY.FRM is not an ASCII file."), std::string::npos) << r.Err;
  EXPECT_TRUE(FileExists(tmp.Dir() + "p/STYLED/MAIN.BAS"));
  EXPECT_EQ(CountLines(r.Out, "BINARY.FRM"), 0u);
}

TEST_F(CliProcessTest, DuplicateNamesAreNamedInTheSummary) {
  tmp.Write("p/A/UTIL.BAS", "Sub A ()\r\nEnd Sub\r\n");
  tmp.Write("p/B/Util.bas", "Sub B ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "A\\UTIL.BAS\r\nB\\Util.bas\r\n");
  TCliResult r = Cli({tmp.Dir() + "p/P.MAK"});
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_NE(r.Err.find("warning: These selected files have the same file name"), std::string::npos) << r.Err;
  EXPECT_NE(r.Out.find("Util.bas: skipped, same file name as " + tmp.Dir() + "p/A/UTIL.BAS\n"), std::string::npos)
      << r.Out;
}

// A project that names one class 2,000 times is one class to every mode: one line, one diff, one
// short warning, as fast as the project naming it once.
TEST_F(CliProcessTest, AFileListedManyTimesIsTakenOnceInEveryMode) {
  tmp.Write("p/CItem.cls", "Option Explicit\r\nPublic Sub Touch ()\r\nx = 1\r\nEnd Sub\r\n");
  std::string vbp = "Type=Exe\r\n";
  for (int i = 0; i < 2000; ++i) vbp += "Class=CItem; CItem.cls\r\n";
  tmp.Write("p/P.vbp", vbp);
  const std::string project = tmp.Dir() + "p/P.vbp";
  const std::string warning = "quillmate-cli: warning: These selected files have the same file name and would "
                              "overwrite each other in the output directory: " +
                              tmp.Dir() + "p/CItem.cls (listed 2000 times).  Only the first of each is processed; "
                              "the others are skipped.\n";

  TCliResult check = Cli({"--check", project});
  EXPECT_EQ(check.Code, kExitFindings) << check.Err;
  EXPECT_EQ(check.Err, warning);
  EXPECT_EQ(check.Out, "CItem.cls: 4 lines read, 4 lines out, 1 marked changed, would change\n1 file would change\n");

  TCliResult diff = Cli({"--diff", project});
  // The line of the file goes to standard error, where it stays out of the patch.
  EXPECT_EQ(diff.Err, warning + "CItem.cls: 4 lines read, 4 lines out, 1 marked changed, would change\n");
  EXPECT_EQ(CountLines(diff.Out, "--- "), 1u) << "one diff, not 2,000";
  EXPECT_LT(diff.Out.size(), 1000u);

  TCliResult json = Cli({"--check", "--report", "json", project});
  EXPECT_EQ(CountLines(json.Out, "      \"outcome\": \"skipped\""), 1999u) << "every entry is still reported";

  TCliResult run = Cli({project});
  EXPECT_EQ(run.Code, kExitOk) << run.Err;
  EXPECT_EQ(run.Err, warning);
  EXPECT_EQ(CountLines(run.Out, "CItem.cls"), 1u) << run.Out.substr(0, 500);
  EXPECT_TRUE(FileExists(tmp.Dir() + "p/STYLED/CItem.cls"));
}

TEST_F(CliProcessTest, ASecondRunIntoAnOutputDirectoryInUseStopsWithoutWriting) {
  tmp.Write("p/MAIN.BAS", "Sub Main ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "MAIN.BAS\r\n");
  fs::create_directories(tmp.Dir() + "p/STYLED");
  TOutputLock other;
  ASSERT_EQ(other.Acquire(tmp.Dir() + "p/STYLED"), TLockResult::Locked);

  TCliResult r = Cli({tmp.Dir() + "p/P.MAK"});
  EXPECT_EQ(r.Code, kExitError);
  EXPECT_EQ(r.Err, "quillmate-cli: error: The output directory " + tmp.Dir() +
                       "p/STYLED/ is in use by another run (process " + std::to_string(::getpid()) +
                       ").  Nothing was written; try again when that run has ended.\n");
  EXPECT_EQ(ListFiles(tmp.Dir() + "p/STYLED"), std::vector<std::string>{std::string(kLockFileName)});

  other.Release();
  EXPECT_EQ(Cli({tmp.Dir() + "p/P.MAK"}).Code, kExitOk);
}

// A restyled file edited in the output directory is kept, and the run fails, unless --force.
TEST_F(CliProcessTest, AnEditedOutputFileIsKeptUnlessForced) {
  tmp.Write("p/MAIN.BAS", "Sub Main ()\r\nx = 1\r\nEnd Sub\r\n");
  tmp.Write("p/OTHER.BAS", "Sub Other ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "MAIN.BAS\r\nOTHER.BAS\r\n");
  const std::string project = tmp.Dir() + "p/P.MAK";
  ASSERT_EQ(Cli({project}).Code, kExitOk);
  const std::string restyled = tmp.Read("p/STYLED/MAIN.BAS");
  EXPECT_EQ(Cli({project}).Code, kExitOk) << "what the program wrote is replaced freely";

  tmp.Write("p/STYLED/MAIN.BAS", "' saved by hand\r\n" + restyled);
  TCliResult kept = Cli({project});
  EXPECT_EQ(kept.Code, kExitError);
  EXPECT_EQ(tmp.Read("p/STYLED/MAIN.BAS"), "' saved by hand\r\n" + restyled);
  EXPECT_NE(kept.Out.find("(not written: changed in the output directory since this program last wrote it; kept "
                          "(--force replaces it))\n"),
            std::string::npos)
      << kept.Out;
  EXPECT_TRUE(FileExists(tmp.Dir() + "p/STYLED/OTHER.BAS"));

  TCliResult forced = Cli({"--force", project});
  EXPECT_EQ(forced.Code, kExitOk) << forced.Out << forced.Err;
  EXPECT_EQ(tmp.Read("p/STYLED/MAIN.BAS"), restyled);
}

// A project naming a module of its parent folder with the same file name as its own module, run
// with an empty settings file (every default), with the output in its default place or elsewhere.
struct ClimbRun {
  const char* Label;
  const char* ProjectFile;
  const char* Lines;
  bool OutputOption;
};

class CliClimbTest : public CliProcessTest, public ::testing::WithParamInterface<ClimbRun> {};

TEST_P(CliClimbTest, TheProjectsOwnFilesAreNeverWritten) {
  const std::string own = "Sub MyOwnWork()\r\n    x = 1\r\nEnd Sub\r\n";
  tmp.Write("d/A.BAS", "Sub FromParent()\r\nEnd Sub\r\n");
  tmp.Write("d/proj/A.BAS", own);
  tmp.Write("d/X.BAS", "Sub X()\r\nEnd Sub\r\n");
  tmp.Write(std::string("d/proj/") + GetParam().ProjectFile, GetParam().Lines);
  const std::string empty = tmp.Write("empty.ini", "");
  const auto before = Snapshot(tmp.Dir() + "d");
  TArgs args = {"--settings", empty, tmp.Dir() + "d/proj/" + GetParam().ProjectFile};
  const std::string out = GetParam().OutputOption ? tmp.Dir() + "o/p/OUT" : tmp.Dir() + "d/proj/STYLED";
  if (GetParam().OutputOption) args.insert(args.begin(), {"--output", out});

  TCliResult r = Cli(args);

  ASSERT_EQ(r.Code, kExitOk) << r.Err;
  for (const auto& [path, state] : before) {
    if (path.find("/STYLED/") != std::string::npos) continue;
    std::string bytes;
    ReadFileBytes(path, bytes);
    EXPECT_EQ(bytes, state.first) << path;
  }
  std::string styled;
  ASSERT_TRUE(ReadFileBytes(out + "/A.BAS", styled));
  EXPECT_NE(styled.find("MyOwnWork"), std::string::npos);
  EXPECT_TRUE(FileExists(out + "/X.BAS")) << "a module two folders up is copied flat";
  EXPECT_NE(r.Err.find("warning: These project files have the same file name"), std::string::npos) << r.Err;
  EXPECT_NE(r.Out.find("A.BAS: not copied from " + tmp.Dir() + "d/proj/../A.BAS, same file name as " + tmp.Dir() +
                       "d/proj/A.BAS\n"),
            std::string::npos)
      << r.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Projects, CliClimbTest,
    ::testing::Values(
        ClimbRun{"Vbp", "P.VBP", "Module=A; A.BAS\r\nModule=A2; ..\\A.BAS\r\nModule=X; ..\\..\\d\\X.BAS\r\n", false},
        ClimbRun{"Mak", "P.MAK", "A.BAS\r\n..\\A.BAS\r\n..\\..\\d\\X.BAS\r\n", false},
        ClimbRun{"VbpWithOutputOption", "P.VBP",
                 "Module=A; A.BAS\r\nModule=A2; ..\\A.BAS\r\nModule=X; ..\\..\\d\\X.BAS\r\n", true}),
    [](const auto& info) { return std::string(info.param.Label); });

// A Visual Basic 6 control library: user controls and property pages are restyled like forms
// (their control description kept byte for byte), their binary companions are copied with them,
// and the copied project names every file by its bare name, so the output opens on its own.
TEST_F(CliProcessTest, AControlLibraryIsRestyledAndCopiedWhole) {
  const std::string description = "VERSION 5.00\r\nBegin VB.UserControl ctlGrid \r\n   ClientHeight    =   3600\r\n"
                                  "End\r\nAttribute VB_Name = \"ctlGrid\"\r\n";
  tmp.Write("lib/Controls/ctlGrid.ctl", description + "Sub Refresh()\r\nx = 1\r\nEnd Sub\r\n");
  tmp.Write("lib/Controls/ctlGrid.ctx", std::string("\x00\x01\xff", 3));
  tmp.Write("lib/Pages/ppgGeneral.pag", description + "Private Sub Apply()\r\ny = 2\r\nEnd Sub\r\n");
  tmp.Write("lib/Pages/ppgGeneral.pgx", std::string("\x02\x00", 2));
  tmp.Write("lib/Utils.bas", "Attribute VB_Name = \"Utils\"\r\nSub U()\r\nEnd Sub\r\n");
  tmp.Write("lib/Lib.vbp",
            "Type=Control\r\nUserControl=Controls\\ctlGrid.ctl\r\nPropertyPage=Pages\\ppgGeneral.pag\r\n"
            "Module=Utils; Utils.bas\r\nName=\"GridLib\"\r\n");
  const std::string empty = tmp.Write("empty.ini", "");

  TCliResult r = Cli({"--settings", empty, tmp.Dir() + "lib/Lib.vbp"});

  ASSERT_EQ(r.Code, kExitOk) << r.Out << r.Err;
  const std::string out = tmp.Dir() + "lib/STYLED/";
  std::string control, page, project, companion;
  ASSERT_TRUE(ReadFileBytes(out + "ctlGrid.ctl", control));
  ASSERT_TRUE(ReadFileBytes(out + "ppgGeneral.pag", page));
  EXPECT_EQ(control.substr(0, description.size()), description);
  EXPECT_NE(control.find("\r\n    x = 1\r\n"), std::string::npos) << control;
  EXPECT_NE(page.find("\r\n    y = 2\r\n"), std::string::npos) << page;
  ASSERT_TRUE(ReadFileBytes(out + "ctlGrid.ctx", companion));
  EXPECT_EQ(companion, std::string("\x00\x01\xff", 3));
  EXPECT_TRUE(FileExists(out + "ppgGeneral.pgx"));
  EXPECT_TRUE(FileExists(out + "Utils.bas"));
  ASSERT_TRUE(ReadFileBytes(out + "Lib.vbp", project));
  EXPECT_EQ(project,
            "Type=Control\r\nUserControl=ctlGrid.ctl\r\nPropertyPage=ppgGeneral.pag\r\nModule=Utils; Utils.bas\r\n"
            "Name=\"GridLib\"\r\n");
}

// A file of the output directory that is a project source under its restyled name (a hard link)
// is never written: the run names it and fails.
TEST_F(CliProcessTest, AnOutputNameThatIsAProjectFileIsNotWrittenAndTheRunFails) {
  const std::string source = "Sub Main ()\r\nx = 1\r\nEnd Sub\r\n";
  tmp.Write("p/MAIN.BAS", source);
  tmp.Write("p/P.MAK", "MAIN.BAS\r\n");
  fs::create_directories(tmp.Dir() + "p/STYLED");
  fs::create_hard_link(tmp.Dir() + "p/MAIN.BAS", tmp.Dir() + "p/STYLED/MAIN.BAS");

  TCliResult r = Cli({tmp.Dir() + "p/P.MAK"});

  EXPECT_EQ(r.Code, kExitError) << r.Out << r.Err;
  EXPECT_NE(r.Err.find("quillmate-cli: error: MAIN.BAS"), std::string::npos) << r.Err;
  EXPECT_NE(r.Out.find("(not written: it is a file of the project)"), std::string::npos) << r.Out;
  const TCliResult json = Cli({"--report", "json", tmp.Dir() + "p/P.MAK"});
  EXPECT_EQ(json.Code, kExitError);
  EXPECT_NE(json.Out.find("\"reason\": \"it is a file of the project\""), std::string::npos) << json.Out;
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(tmp.Dir() + "p/MAIN.BAS", bytes));
  EXPECT_EQ(bytes, source);
}

TEST_F(CliProcessTest, CopiesCutShortByAFullDiskAreNamedAndTheRunFails) {
  tmp.Write("p/MAIN.FRM", "VERSION 2.00\r\nBegin Form F\r\nEnd\r\n");
  tmp.Write("p/MAIN.FRX", std::string(64 * 1024, 'x'));
  tmp.Write("p/P.MAK", "MAIN.FRM\r\n");
  TCliResult r{};
  {
    test::TFileSizeLimit limit(16 * 1024);
    r = Cli({tmp.Dir() + "p/P.MAK"});
  }
  EXPECT_EQ(r.Code, kExitError);
  EXPECT_NE(r.Err.find("warning: These files could not be copied into the output directory"), std::string::npos)
      << r.Err;
  EXPECT_NE(r.Out.find("MAIN.FRX: not copied from " + tmp.Dir() + "p/MAIN.FRX: " + std::strerror(EFBIG) + "\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("MAIN.FRM: "), std::string::npos);
}

struct ErrorCase {
  const char* Label;
  std::vector<std::string> Args;  // "TMP/" stands for the temporary directory
  const char* Message;
};

class CliErrorTest : public CliProcessTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(CliErrorTest, FailsWithAMessageAndExitCode2) {
  Example("vb3");
  // Settings and project files that are no regular text files.
  fs::create_directories(tmp.Dir() + "folder.ini");
  ASSERT_EQ(::mkfifo((tmp.Dir() + "fifo.ini").c_str(), 0600), 0);
  tmp.Write("huge.ini", std::string(kSmallFileMax + 1, ';'));
  tmp.Write("binary.mak", std::string("\x01\x02", 2));
  fs::create_directories(tmp.Dir() + "folder.vbp");
  TArgs args;
  for (std::string arg : GetParam().Args) {
    if (arg.rfind("TMP/", 0) == 0) arg = tmp.Dir() + arg.substr(4);
    args.push_back(arg);
  }
  TCliResult r = Cli(args);
  EXPECT_EQ(r.Code, kExitError);
  std::string message = GetParam().Message;
  for (std::size_t at; (at = message.find("TMP/")) != std::string::npos;) message.replace(at, 4, tmp.Dir());
  EXPECT_NE(r.Err.find(message), std::string::npos) << r.Err;
  EXPECT_FALSE(fs::exists(tmp.Dir() + "vb3/STYLED"));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliErrorTest,
    ::testing::Values(
        ErrorCase{"NoArguments", {}, "Usage: quillmate-cli"},
        ErrorCase{"MissingProject", {"TMP/none.mak"}, "Invalid VB project file.  Unable to proceed."},
        ErrorCase{"UnknownOption", {"--fast", "TMP/vb3/LEDGER.MAK"}, "unknown option --fast"},
        ErrorCase{"TwoProjects", {"TMP/vb3/LEDGER.MAK", "TMP/vb3/LEDGER.MAK"}, "exactly one project"},
        ErrorCase{"OutputWithoutValue", {"TMP/vb3/LEDGER.MAK", "--output"}, "--output needs a value"},
        ErrorCase{"OnlyOptions", {"--quiet"}, "no project file given"},
        ErrorCase{"SettingsFileMissing", {"--settings", "TMP/none.ini", "TMP/vb3/LEDGER.MAK"}, "none.ini not found"},
        ErrorCase{"OutputIntoTheSources", {"--output", "TMP/vb3", "TMP/vb3/LEDGER.MAK"}, "holds source files"},
        ErrorCase{"SettingsIsADirectory", {"--settings", "TMP/folder.ini", "TMP/vb3/LEDGER.MAK"},
                  "folder.ini is a directory"},
        ErrorCase{"SettingsIsANamedPipe", {"--settings", "TMP/fifo.ini", "TMP/vb3/LEDGER.MAK"},
                  "fifo.ini is not a regular file"},
        ErrorCase{"SettingsIsAnEndlessDevice", {"--settings=/dev/zero", "TMP/vb3/LEDGER.MAK"},
                  "/dev/zero is not a regular file"},
        ErrorCase{"SettingsTooLarge", {"--settings", "TMP/huge.ini", "TMP/vb3/LEDGER.MAK"}, "huge.ini is too large"},
        ErrorCase{"SettingsEmpty", {"--settings", "", "TMP/vb3/LEDGER.MAK"}, "--settings needs a file"},
        ErrorCase{"OutputEmpty", {"--output", "", "TMP/vb3/LEDGER.MAK"}, "--output needs a directory"},
        ErrorCase{"OutputEqualsEmpty", {"--output=", "TMP/vb3/LEDGER.MAK"}, "--output needs a directory"},
        ErrorCase{"ProjectMissingSaysSo", {"TMP/none.mak"}, "Unable to proceed.\nquillmate-cli: TMP/none.mak: missing\n"},
        ErrorCase{"ProjectIsADirectory", {"TMP/folder.vbp"}, "quillmate-cli: TMP/folder.vbp: is a directory\n"},
        ErrorCase{"ProjectIsANamedPipe", {"TMP/fifo.ini"}, "quillmate-cli: TMP/fifo.ini: is not a regular file\n"},
        ErrorCase{"ProjectIsNotText", {"TMP/binary.mak"}, "quillmate-cli: TMP/binary.mak: is not a text file\n"}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST_F(CliProcessTest, HelpAndVersion) {
  TCliResult help = Cli({"--help"});
  EXPECT_EQ(help.Code, kExitOk);
  EXPECT_NE(help.Out.find("--check"), std::string::npos);
  TCliResult version = Cli({"--version"});
  EXPECT_EQ(version.Code, kExitOk);
  EXPECT_EQ(version.Out, std::string("quillmate-cli ") + QUILLMATE_VERSION + "\n");
}

// --- The program itself ------------------------------------------------------------------------

// Runs the built program; returns its exit status (or 128 + signal) and its standard output.
int RunBinary(const std::string& args, const std::string& config, std::string* out = nullptr) {
  std::string command = "XDG_CONFIG_HOME='" + config + "' '" QUILLMATE_CLI_BINARY "' " + args + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
  int status = ::pclose(pipe);
  if (out) *out = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(CliProcessTest, ProgramExitCodes) {
  const std::string dir = Example("vb4");
  std::string out;
  EXPECT_EQ(RunBinary("--version", tmp.Dir(), &out), 0);
  EXPECT_EQ(out, std::string("quillmate-cli ") + QUILLMATE_VERSION + "\n");
  EXPECT_EQ(RunBinary("--check '" + dir + "Inventory.vbp'", tmp.Dir()), 1);
  EXPECT_EQ(RunBinary("'" + dir + "Inventory.vbp'", tmp.Dir(), &out), 0);
  EXPECT_NE(out.find("Output: "), std::string::npos);
  EXPECT_EQ(RunBinary("'" + dir + "missing.vbp'", tmp.Dir()), 2);
}

TEST_F(CliProcessTest, InterruptCancelsTheRunCleanly) {
  // A project large enough that the run is still going when the interrupt arrives.
  std::string module = "Attribute VB_Name = \"Big\"\r\n";
  for (int p = 0; p < 400; ++p) {
    module += "Sub P" + std::to_string(p) + " ()\r\nDim i As Integer\r\nFor i = 1 To 10\r\nIf i > 5 Then\r\n";
    module += "x = i: y = i ' note\r\nEnd If\r\nNext i\r\nEnd Sub\r\n";
  }
  std::string mak;
  for (int f = 0; f < 60; ++f) {
    tmp.Write("big/M" + std::to_string(f) + ".BAS", module);
    mak += "M" + std::to_string(f) + ".BAS\r\n";
  }
  tmp.Write("big/BIG.MAK", mak);

  TSettings onlyNewFiles;
  onlyNewFiles.SetBool(SettingKey::BackupOnlyNewFiles, true);
  ASSERT_TRUE(onlyNewFiles.SaveINIControls(tmp.Dir() + "only-new.ini"));
  const std::string config = tmp.Dir(), projectFile = tmp.Dir() + "big/BIG.MAK";
  const std::string settingsFile = tmp.Dir() + "only-new.ini";
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execl(QUILLMATE_CLI_BINARY, QUILLMATE_CLI_BINARY, "--settings", settingsFile.c_str(), projectFile.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(99);
  }
  // Wait until the run has written its first file, then interrupt it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!FileExists(tmp.Dir() + "big/STYLED/M0.BAS") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the program ends by itself, not by the signal";
  if (WEXITSTATUS(status) == 0) GTEST_SKIP() << "the run finished before the interrupt arrived";
  EXPECT_EQ(WEXITSTATUS(status), kExitError);
  EXPECT_FALSE(FileExists(tmp.Dir() + "big/STYLED/M59.BAS"));
  EXPECT_TRUE(FileExists(tmp.Dir() + "big/STYLED/M0.BAS")) << "nothing is deleted";
}

// --- Unified diffs -----------------------------------------------------------------------------

struct DiffCase {
  const char* Label;
  TLines Before;
  TLines After;
  std::string Expected;  // without the two header lines
};

class UnifiedDiffTest : public ::testing::TestWithParam<DiffCase> {};

TEST_P(UnifiedDiffTest, WritesHunksWithContext) {
  std::ostringstream out;
  const bool differ = WriteUnifiedDiff(out, "a", "b", GetParam().Before, GetParam().After, 1);
  EXPECT_EQ(differ, !GetParam().Expected.empty());
  EXPECT_EQ(out.str(), GetParam().Expected.empty() ? "" : "--- a\n+++ b\n" + GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnifiedDiffTest,
    ::testing::Values(
        DiffCase{"Equal", {"x", "y"}, {"x", "y"}, ""},
        DiffCase{"ChangedLine", {"a", "b", "c"}, {"a", "B", "c"}, "@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n"},
        DiffCase{"InsertedAtStart", {"a", "b"}, {"n", "a", "b"}, "@@ -1,1 +1,2 @@\n+n\n a\n"},
        DiffCase{"DeletedAtEnd", {"a", "b", "c"}, {"a", "b"}, "@@ -2,2 +2,1 @@\n b\n-c\n"},
        DiffCase{"IntoEmpty", {}, {"a"}, "@@ -0,0 +1,1 @@\n+a\n"},
        DiffCase{"RemovalsBeforeAdditions", {"a", "b", "c", "d"}, {"a", "B", "C", "d"},
                 "@@ -1,4 +1,4 @@\n a\n-b\n-c\n+B\n+C\n d\n"},
        DiffCase{"FarApartChangesMakeTwoHunks", {"1", "2", "3", "4", "5", "6", "7"}, {"x", "2", "3", "4", "5", "6", "y"},
                 "@@ -1,2 +1,2 @@\n-1\n+x\n 2\n@@ -6,2 +6,2 @@\n 6\n-7\n+y\n"},
        DiffCase{"NearChangesShareAHunk", {"1", "2", "3", "4"}, {"x", "2", "3", "y"},
                 "@@ -1,4 +1,4 @@\n-1\n+x\n 2\n 3\n-4\n+y\n"}),
    [](const auto& info) { return std::string(info.param.Label); });

}  // namespace
}  // namespace qm::cli
