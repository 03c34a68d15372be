// SPDX-License-Identifier: MIT
// quillmate-cli spell, and the spelling of a project run without a dialog.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

using test::TempDir;

using TSpellResult = test::TCliRun;

TSpellResult RunSpell(const TArgs& args) { return test::RunCaptured(args); }

// A module with a misspelling in a literal, in an in-line comment and in a whole-line comment;
// a tab before the first statement (columns count in the line as read).
constexpr std::string_view kModule =
    "Attribute VB_Name = \"Module1\"\r\n"
    "' Teh totals of the month\r\n"
    "Sub Main()\r\n"
    "\tMsgBox \"Could not recieve the file\"   ' frmMain C:\\TEMP\\A.TXT http://example.com\r\n"
    "    x = \"%1 of %2\" ' one more mistaek\r\n"
    "End Sub\r\n";

struct SpellRow {
  const char* name;
  std::vector<std::string> flags;
  std::vector<std::string> lines;  // the listing, without the path
};

class SpellCommandTest : public ::testing::TestWithParam<SpellRow> {};

TEST_P(SpellCommandTest, ListsEachWordWithItsPlace) {
  TempDir dir;
  const std::string file = dir.Write("MODULE1.BAS", kModule);
  TArgs args = {"spell"};
  args.insert(args.end(), GetParam().flags.begin(), GetParam().flags.end());
  args.push_back(file);
  const TSpellResult r = RunSpell(args);
  std::string expected;
  for (const std::string& line : GetParam().lines) expected += file + ":" + line + "\n";
  EXPECT_EQ(r.Out, expected);
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(r.Code, GetParam().lines.empty() ? kExitOk : kExitFindings);
  EXPECT_EQ(dir.Read("MODULE1.BAS"), kModule);
}

INSTANTIATE_TEST_SUITE_P(
    Spell, SpellCommandTest,
    ::testing::Values(
        SpellRow{"Both",
                 {},
                 {"2:3: Teh (suggestions: Te, Th, Eh, Tet, Ted)",
                  "4:20: recieve (suggestions: receive, relieve, reverie)",
                  "5:31: mistaek (suggestions: mistake)"}},
        SpellRow{"LiteralsOnly", {"--literals"}, {"4:20: recieve (suggestions: receive, relieve, reverie)"}},
        SpellRow{"CommentsOnly",
                 {"--comments"},
                 {"2:3: Teh (suggestions: Te, Th, Eh, Tet, Ted)",
                  "5:31: mistaek (suggestions: mistake)"}}),
    [](const ::testing::TestParamInfo<SpellRow>& info) { return info.param.name; });

TEST(SpellCommand, ExampleProjects) {
  TempDir dir;
  const TSpellResult vb4 = RunSpell({"spell", EXAMPLES_DIR "/vb4/Inventory.vbp"});
  // Line 1 is Attribute VB_Name = "Utils": the module's name is never offered, only the comment.
  EXPECT_EQ(vb4.Out, EXAMPLES_DIR "/vb4/Modules/Utils.bas:3:3: Utils (suggestions: Utile)\n");
  EXPECT_EQ(vb4.Code, kExitFindings);
  const TSpellResult vb3 = RunSpell({"spell", EXAMPLES_DIR "/vb3/LEDGER.MAK"});
  EXPECT_EQ(vb3.Out, "");
  EXPECT_EQ(vb3.Code, kExitOk);
}

struct ErrorRow {
  const char* name;
  TArgs args;
  std::string err;
};

class SpellCommandErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(SpellCommandErrors, ExitWithTwo) {
  TempDir dir;
  const TSpellResult r = RunSpell(GetParam().args);
  EXPECT_EQ(r.Code, kExitError);
  EXPECT_NE(r.Err.find(GetParam().err), std::string::npos) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Spell, SpellCommandErrors,
    ::testing::Values(ErrorRow{"NoFile", {"spell"}, "no project or source file given"},
                      ErrorRow{"UnknownOption", {"spell", "--fast", "A.BAS"}, "unknown option --fast"},
                      ErrorRow{"MissingFile", {"spell", "/nonexistent/A.BAS"}, "cannot read /nonexistent/A.BAS"},
                      ErrorRow{"MissingSettings", {"spell", "--settings", "/nonexistent.ini", "A.BAS"},
                               "settings file /nonexistent.ini not found"}),
    [](const ::testing::TestParamInfo<ErrorRow>& info) { return info.param.name; });

// The settings file's SpellChecker section chooses the dictionary; one that is not installed is
// an error, not a silent pass.
TEST(SpellCommand, MissingDictionaryIsAnError) {
  TempDir dir;
  const std::string ini = dir.Write("Q.INI", "[SpellChecker]\r\nDictionary=xx_NOPE\r\n");
  const std::string file = dir.Write("A.BAS", kModule);
  const TSpellResult r = RunSpell({"spell", "--settings", ini, file});
  EXPECT_EQ(r.Code, kExitError);
  EXPECT_NE(r.Err.find("No spelling dictionary is installed: no dictionary xx_NOPE in "), std::string::npos) << r.Err;
}

// A project run with spelling on lists the words on standard error and changes none.
TEST(SpellCommand, ProjectRunListsAndChangesNothing) {
  TempDir dir;
  dir.Write("P/MODULE1.BAS", kModule);
  const std::string project = dir.Write("P/P.MAK", "MODULE1.BAS\r\n");
  const std::string ini = dir.Write("Q.INI",
                                    "[SpellCheck]\r\nSpellingPerform=1\r\nSpellingLiterals=1\r\nSpellingComments=1\r\n");
  const TSpellResult r = RunSpell({"--quiet", "--settings", ini, "--output", dir / "OUT", project});
  EXPECT_EQ(r.Code, kExitOk);
  EXPECT_NE(r.Err.find(project.substr(0, project.size() - 5) + "MODULE1.BAS:4:20: recieve (suggestions: receive"),
            std::string::npos)
      << r.Err;
  EXPECT_NE(r.Err.find("MODULE1.BAS:2:3: Teh"), std::string::npos) << r.Err;
  const std::string written = dir.Read("OUT/MODULE1.BAS");
  EXPECT_NE(written.find("recieve the file"), std::string::npos);
  EXPECT_NE(written.find("Teh totals"), std::string::npos);
}

}  // namespace
}  // namespace qm::cli
