// SPDX-License-Identifier: MIT
// quillmate-cli as formatter users expect it: several files with --check and --diff, the kind
// of standard input from --stdin-filename, settings found beside the code, and --report json.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

using test::TempDir;

using TResult = test::TCliRun;

TResult RunCliWith(const TArgs& args, const std::string& stdinBytes = "") { return test::RunCaptured(args, stdinBytes); }

// Replaces every "<dir>" by the temporary directory.
std::string At(const TempDir& dir, std::string text) {
  for (auto at = text.find("<dir>"); at != std::string::npos; at = text.find("<dir>"))
    text.replace(at, 5, dir.Dir());
  return text;
}

// Settings under which the engine leaves these sources alone.
constexpr std::string_view kQuietIni = "[General]\nOptionExplicitInsert=0\n[Indents]\nCodeIndentPerform=0\n";
// A module the default settings change (Option Explicit, indentation) and one they leave alone.
constexpr std::string_view kRough = "Sub A ()\r\nx = 1\r\nEnd Sub\r\n";
constexpr std::string_view kTidy = "Option Explicit\r\nSub A ()\r\nEnd Sub\r\n";

struct FormatRow {
  const char* Name;
  TArgs Args;  // after "format"; "<dir>" is the temporary directory
  std::string Stdin;
  int Code;
  std::string Out;  // exact unless it starts with '~', then a part of it
  std::string Err;  // a part of standard error; empty: standard error is empty
};

class CliFormatModes : public ::testing::TestWithParam<FormatRow> {};

TEST_P(CliFormatModes, ExitCodeAndOutput) {
  TempDir dir;  // the saved settings are the built-in defaults
  dir.Write("src/ROUGH.BAS", kRough);
  dir.Write("src/TIDY.BAS", kTidy);
  dir.Write("team/ROUGH.BAS", kRough);
  dir.Write("team/VBQUILL3.INI", kQuietIni);
  dir.Write("lower/ROUGH.BAS", kRough);
  dir.Write("lower/vbquill3.ini", kQuietIni);
  dir.Write("conf/quiet.ini", kQuietIni);
  dir.Write("repo/.git/HEAD", "ref: refs/heads/main\n");
  dir.Write("repo/VBQUILL3.INI", kQuietIni);
  dir.Write("repo/src/forms/ROUGH.BAS", kRough);
  dir.Write("outer/VBQUILL3.INI", kQuietIni);
  dir.Write("outer/repo/.git/HEAD", "ref: refs/heads/main\n");
  dir.Write("outer/repo/src/ROUGH.BAS", kRough);
  const FormatRow& row = GetParam();
  TArgs args{"format"};
  for (const std::string& arg : row.Args) args.push_back(At(dir, arg));
  const TResult r = RunCliWith(args, row.Stdin);
  EXPECT_EQ(r.Code, row.Code) << r.Err;
  const std::string out = At(dir, row.Out);
  if (!out.empty() && out[0] == '~') {
    EXPECT_NE(r.Out.find(out.substr(1)), std::string::npos) << r.Out;
  } else {
    EXPECT_EQ(r.Out, out);
  }
  if (row.Err.empty()) {
    EXPECT_EQ(r.Err, "");
  } else {
    EXPECT_NE(r.Err.find(At(dir, row.Err)), std::string::npos) << r.Err;
  }
  EXPECT_EQ(dir.Read("src/ROUGH.BAS"), kRough);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliFormatModes,
    ::testing::Values(
        FormatRow{"CheckListsTheFilesThatWouldChange", {"--check", "<dir>src/ROUGH.BAS", "<dir>src/TIDY.BAS"}, "",
                  kExitFindings, "<dir>src/ROUGH.BAS\n", ""},
        FormatRow{"CheckPassesWhenNoneWouldChange",
                  {"--check", "--settings", "<dir>conf/quiet.ini", "<dir>src/ROUGH.BAS", "<dir>src/TIDY.BAS"}, "",
                  kExitOk, "", ""},
        FormatRow{"DiffShowsTheChangeAndExitsZero", {"--diff", "<dir>src/TIDY.BAS", "<dir>src/ROUGH.BAS"}, "",
                  kExitOk, "~/src/ROUGH.BAS\n@@ -1,3 +1,5 @@\n", ""},
        FormatRow{"DiffOfAnUnchangedFileIsEmpty",
                  {"--diff", "--settings=<dir>conf/quiet.ini", "<dir>src/ROUGH.BAS"}, "", kExitOk, "", ""},
        FormatRow{"CheckWithDiffExitsOne", {"--check", "--diff", "<dir>src/ROUGH.BAS"}, "", kExitFindings,
                  "~+    x = 1\r\n", ""},
        FormatRow{"SeveralFilesNeedAMode", {"<dir>src/ROUGH.BAS", "<dir>src/TIDY.BAS"}, "", kExitError, "",
                  "or --check or --diff"},
        FormatRow{"StandardInputOnlyOnce", {"--check", "-", "-"}, "", kExitError, "", "only once"},
        FormatRow{"AMissingFileFailsButTheOthersAreChecked",
                  {"--check", "<dir>src/NONE.BAS", "<dir>src/ROUGH.BAS"}, "", kExitError, "<dir>src/ROUGH.BAS\n",
                  "cannot read <dir>src/NONE.BAS"},
        FormatRow{"StandardInputCheckedUnderItsName", {"--check", "--stdin-filename", "Util.bas"},
                  std::string(kRough), kExitFindings, "Util.bas\n", ""},
        FormatRow{"SettingsBesideTheSourceAreUsed", {"--check", "<dir>team/ROUGH.BAS"}, "", kExitOk, "", ""},
        FormatRow{"SettingsBesideInAnyLetterCase", {"--check", "<dir>lower/ROUGH.BAS"}, "", kExitOk, "", ""},
        FormatRow{"SettingsBesideStandardInputByItsName", {"--check", "--stdin-filename", "<dir>team/New.bas"},
                  std::string(kRough), kExitOk, "", ""},
        FormatRow{"GivenSettingsWinOverTheFileBeside",
                  {"--check", "--settings", "<dir>src/../conf/none.ini", "<dir>team/ROUGH.BAS"}, "", kExitError, "",
                  "settings file"},
        FormatRow{"VerboseNamesTheSettingsFileBeside", {"--check", "--verbose", "<dir>team/ROUGH.BAS"}, "",
                  kExitOk, "", "settings: <dir>team/VBQUILL3.INI\n"},
        FormatRow{"SettingsTwoFoldersUpAreFound", {"--check", "--verbose", "<dir>repo/src/forms/ROUGH.BAS"}, "",
                  kExitOk, "", "settings: <dir>repo/VBQUILL3.INI\n"},
        FormatRow{"SearchStopsAtTheRepositoryRoot", {"--check", "<dir>outer/repo/src/ROUGH.BAS"}, "",
                  kExitFindings, "<dir>outer/repo/src/ROUGH.BAS\n", ""},
        FormatRow{"VerboseNamesTheSavedSettings", {"--verbose", "--check", "<dir>src/TIDY.BAS"}, "", kExitOk, "",
                  "settings: <dir>VBQUILL3.INI (not there"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The kind of standard input comes from the --stdin-filename's extension, as from a file's.
TEST(CliFormatStdin, FilenameGivesTheKind) {
  TempDir dir;
  // Header comments for the procedures of forms only: the kind decides.
  dir.Write("VBQUILL3.INI", "[SubComments]\nSubLevelCommentsPerform=1\nGrpSubLevelComments=0\n");
  const std::string form =
      "VERSION 4.00\r\nBegin VB.Form Form1\r\n   Caption = \"x\"\r\nEnd\r\nSub Form_Load ()\r\nx = 1\r\nEnd Sub\r\n";
  const std::string asForm = RunCliWith({"format", "--kind", "form"}, form).Out;
  const std::string asModule = RunCliWith({"format", "--kind", "module"}, form).Out;
  ASSERT_NE(asForm, asModule);
  EXPECT_EQ(RunCliWith({"format", "--stdin-filename", "dlg/Form1.FRM"}, form).Out, asForm);
  EXPECT_EQ(RunCliWith({"format", "--stdin-filename=Form1.frm", "-"}, form).Out, asForm);
  EXPECT_EQ(RunCliWith({"format", "--stdin-filename", "Form1.frm", "--kind", "module"}, form).Out, asModule);
}

class CliProjectConventions : public ::testing::Test {
 protected:
  CliProjectConventions() {
    dir.Write("p/ROUGH.BAS", kRough);
    dir.Write("p/TIDY.BAS", kTidy);
    dir.Write("p/P.VBP", "Type=Exe\r\nModule=Rough; ROUGH.BAS\r\nModule=Tidy; TIDY.BAS\r\n");
  }
  std::string Project() const { return dir.Dir() + "p/P.VBP"; }
  nlohmann::json Json(const TArgs& args) {
    TArgs all{"--report", "json"};
    all.insert(all.end(), args.begin(), args.end());
    const TResult r = RunCliWith(all);
    last = r;
    return nlohmann::json::parse(r.Out);
  }
  TempDir dir;
  TResult last{};
};

TEST_F(CliProjectConventions, SettingsBesideTheProjectAreUsedAndNamed) {
  EXPECT_EQ(RunCliWith({"--check", "--quiet", Project()}).Code, kExitFindings);
  dir.Write("p/VBQUILL3.INI", kQuietIni);
  const TResult r = RunCliWith({"--check", "--verbose", Project()});
  EXPECT_EQ(r.Code, kExitOk) << r.Out;
  EXPECT_NE(r.Err.find("settings: " + dir.Dir() + "p/VBQUILL3.INI\n"), std::string::npos) << r.Err;
  // A file given with --settings is read instead.
  dir.Write("strict.ini", "[General]\nOptionExplicitInsert=1\n");
  EXPECT_EQ(RunCliWith({"--check", "--quiet", "--settings", dir.Dir() + "strict.ini", Project()}).Code, kExitFindings);
}

// A project in a subfolder of its repository reads the settings file the sources' format reads.
TEST_F(CliProjectConventions, SettingsUpTheRepositoryServeProjectAndFileAlike) {
  dir.Write("repo/.git/HEAD", "ref: refs/heads/main\n");
  dir.Write("repo/VBQUILL3.INI", kQuietIni);
  dir.Write("repo/vb/app/ROUGH.BAS", kRough);
  dir.Write("repo/vb/app/P.VBP", "Type=Exe\r\nModule=Rough; ROUGH.BAS\r\n");
  const std::string used = "settings: " + dir.Dir() + "repo/VBQUILL3.INI\n";
  const TResult project = RunCliWith({"--check", "--verbose", dir.Dir() + "repo/vb/app/P.VBP"});
  EXPECT_EQ(project.Code, kExitOk) << project.Out;
  EXPECT_NE(project.Err.find(used), std::string::npos) << project.Err;
  const TResult file = RunCliWith({"format", "--check", "--verbose", dir.Dir() + "repo/vb/app/ROUGH.BAS"});
  EXPECT_EQ(file.Code, kExitOk) << file.Out;
  EXPECT_NE(file.Err.find(used), std::string::npos) << file.Err;
}

TEST_F(CliProjectConventions, JsonReportOfARun) {
  const nlohmann::json report = Json({Project()});
  EXPECT_EQ(last.Code, kExitOk) << last.Err;
  EXPECT_EQ(report["project"], Project());
  EXPECT_TRUE(report["settings"].is_null());
  EXPECT_EQ(report["outputDirectory"], dir.Dir() + "p/STYLED/");
  EXPECT_EQ(report["outcome"], "completed");
  ASSERT_EQ(report["items"].size(), 2u);
  const nlohmann::json& rough = report["items"][0];
  EXPECT_EQ(rough["name"], "ROUGH.BAS");
  EXPECT_EQ(rough["path"], dir.Dir() + "p/ROUGH.BAS");
  EXPECT_EQ(rough["outcome"], "restyled");
  EXPECT_EQ(rough["linesRead"], 3);
  EXPECT_EQ(rough["linesWritten"], 5);
  EXPECT_GE(rough["linesChanged"], 2);
  EXPECT_EQ(rough["outputPath"], dir.Dir() + "p/STYLED/ROUGH.BAS");
  EXPECT_EQ(report["items"][1]["name"], "TIDY.BAS");
}

struct JsonOutcomeRow {
  const char* Name;
  std::string Ini;      // settings beside the project; empty for none
  TArgs Args;           // before the project; "<dir>" is the temporary directory
  std::string Project;  // the project file's text
  std::string RunOutcome;
  std::vector<std::string> ItemOutcomes;
  std::string Reason;  // a part of the last item's reason; empty for none
};

class CliJsonOutcomes : public CliProjectConventions, public ::testing::WithParamInterface<JsonOutcomeRow> {};

TEST_P(CliJsonOutcomes, EveryItemHasItsOutcome) {
  const JsonOutcomeRow& row = GetParam();
  if (!row.Ini.empty()) dir.Write("p/VBQUILL3.INI", row.Ini);
  dir.Write("p/P.VBP", row.Project);
  dir.Write("p/sub/TIDY.BAS", kTidy);
  TArgs args;
  for (const std::string& arg : row.Args) args.push_back(At(dir, arg));
  args.push_back(Project());
  const nlohmann::json report = Json(args);
  EXPECT_EQ(report["outcome"], row.RunOutcome) << last.Err;
  ASSERT_EQ(report["items"].size(), row.ItemOutcomes.size()) << report.dump();
  for (std::size_t i = 0; i < row.ItemOutcomes.size(); ++i) {
    EXPECT_EQ(report["items"][i]["outcome"], row.ItemOutcomes[i]) << i;
  }
  const nlohmann::json& lastItem = report["items"].back();
  if (row.Reason.empty()) {
    EXPECT_FALSE(lastItem.contains("reason"));
  } else {
    EXPECT_NE(lastItem.value("reason", std::string()).find(At(dir, row.Reason)), std::string::npos)
        << lastItem.dump();
  }
  if (!row.Ini.empty()) {
    EXPECT_EQ(report["settings"], dir.Dir() + "p/VBQUILL3.INI");
  }
}

const std::string kTwo = "Module=Rough; ROUGH.BAS\r\nModule=Tidy; TIDY.BAS\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, CliJsonOutcomes,
    ::testing::Values(
        JsonOutcomeRow{"RestyledAndUnchanged", "[General]\nOptionExplicitInsert=0\n", {},
                       kTwo, "completed", {"restyled", "unchanged"}, ""},
        JsonOutcomeRow{"SkippedForTheSameName", "", {},
                       kTwo + "Module=Again; sub\\TIDY.BAS\r\n", "completed", {"restyled", "unchanged", "skipped"},
                       "same file name as <dir>p/TIDY.BAS"},
        JsonOutcomeRow{"RefusedOverTheSources", "", {"--output", "<dir>p"}, kTwo, "refused",
                       {"not saved", "not saved"}, "holds source files"},
        JsonOutcomeRow{"CheckSaysWhatWouldChange", std::string(kQuietIni), {"--check"},
                       "Module=Rough; ROUGH.BAS\r\nModule=Tidy; TIDY.BAS\r\n", "checked", {"unchanged", "unchanged"},
                       ""},
        JsonOutcomeRow{"CheckWithDefaults", "", {"--check"}, kTwo, "checked", {"would change", "unchanged"}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CliProjectConventions, JsonReportRefusesDiffAndUnknownFormats) {
  for (const TArgs& args : {TArgs{"--report", "json", "--diff", Project()}, TArgs{"--report", "xml", Project()},
                            TArgs{"--report=", Project()}, TArgs{Project(), "--report"}}) {
    const TResult r = RunCliWith(args);
    EXPECT_EQ(r.Code, kExitError) << args[1];
    EXPECT_EQ(r.Out, "");
    EXPECT_FALSE(r.Err.empty());
  }
}

}  // namespace
}  // namespace qm::cli

namespace qm::cli {
namespace {

// --- Help and JSON conventions shared by every subcommand ------------------------------------------

struct HelpRow {
  const char* Name;
  TArgs Args;
  std::vector<std::string> Options;  // each must be listed
};

class CliHelpListsOptions : public ::testing::TestWithParam<HelpRow> {};

TEST_P(CliHelpListsOptions, EveryOptionIsListed) {
  const TResult r = RunCliWith(GetParam().Args);
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_EQ(r.Err, "");
  for (const std::string& option : GetParam().Options) {
    EXPECT_NE(r.Out.find("  " + option), std::string::npos) << option << " in\n" << r.Out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliHelpListsOptions,
    ::testing::Values(
        HelpRow{"ProjectRun",
                {"--help"},
                {"--settings FILE", "--output DIR", "--check", "--diff", "--force", "--quiet", "--verbose",
                 "--report json", "--help", "--version"}},
        HelpRow{"Format",
                {"format", "--help"},
                {"--check", "--diff", "--settings FILE", "--kind KIND", "--stdin-filename NAME", "--verbose", "--help"}},
        HelpRow{"Diff", {"diff", "--help"}, {"--help"}},
        HelpRow{"Spell", {"spell", "--help"}, {"--settings FILE", "--literals", "--comments", "--help"}},
        HelpRow{"FormTree", {"formtree", "--help"}, {"--project NAME", "--help"}},
        HelpRow{"Stats", {"stats", "--help"}, {"--json", "--help"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every key of every object below value is camelCase: a lower-case letter first, no '_' or '-'.
void ExpectCamelCaseKeys(const nlohmann::json& value, const std::string& where) {
  if (value.is_object()) {
    for (const auto& [key, item] : value.items()) {
      const bool camel = !key.empty() && key[0] >= 'a' && key[0] <= 'z' &&
                         key.find_first_of("_- ") == std::string::npos;
      EXPECT_TRUE(camel) << key << " in " << where;
      ExpectCamelCaseKeys(item, where);
    }
  } else if (value.is_array()) {
    for (const auto& item : value) ExpectCamelCaseKeys(item, where);
  }
}

struct JsonRow {
  const char* Name;
  TArgs Args;  // "<dir>" is the temporary directory
};

class CliJsonConventions : public ::testing::TestWithParam<JsonRow> {};

TEST_P(CliJsonConventions, SchemaVersionOneAndCamelCaseKeys) {
  TempDir dir;
  dir.Write("p/P.VBP", "Type=Exe\r\nForm=F.FRM\r\nModule=Rough; ROUGH.BAS\r\n");
  dir.Write("p/ROUGH.BAS", kRough);
  dir.Write("p/F.FRM", "VERSION 5.00\r\nBegin VB.Form F\r\n   Caption = \"Hi\"\r\n   Begin VB.CommandButton B\r\n"
                       "      Caption = \"Go\"\r\n   End\r\nEnd\r\nSub B_Click ()\r\nEnd Sub\r\n");
  TArgs args;
  for (const std::string& arg : GetParam().Args) args.push_back(At(dir, arg));
  const TResult r = RunCliWith(args);
  ASSERT_NE(r.Code, kExitError) << r.Err;
  const nlohmann::json document = nlohmann::json::parse(r.Out, nullptr, false);
  ASSERT_FALSE(document.is_discarded()) << r.Out;
  EXPECT_EQ(document.value("schemaVersion", 0), 1) << r.Out.substr(0, 300);
  ExpectCamelCaseKeys(document, GetParam().Name);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliJsonConventions,
    ::testing::Values(JsonRow{"ProjectRunReport", {"--report", "json", "--output", "<dir>out", "<dir>p/P.VBP"}},
                      JsonRow{"CheckReport", {"--check", "--report=json", "<dir>p/P.VBP"}},
                      JsonRow{"Stats", {"stats", "--json", "<dir>p/P.VBP"}},
                      JsonRow{"FormTree", {"formtree", "<dir>p/F.FRM"}}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm::cli
