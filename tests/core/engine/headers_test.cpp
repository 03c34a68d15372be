// SPDX-License-Identifier: MIT
// Procedure header comments: the templates and their placeholders, the values read from a
// procedure's first statement, where and when the formatter inserts a header, and loading the
// templates from files.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "engine/templates.h"
#include "fake_ui.h"
#include "format_verify.h"
#include "messages.h"
#include "platform/linefile.h"
#include "project/sourcemgt.h"
#include "temp_dir.h"

namespace qm {
namespace {

using K = SettingKey;
using test::FakePrompts;

// --- The built-in templates ---------------------------------------------------------------------

TEST(HeaderTemplates, DefaultsHoldTheirExactLines) {
  const std::string rule = "' " + std::string(59, '-');
  const TLines sub = {rule,
                      "'  Name   :  %n",
                      "'  Author :  %a",
                      "'  Date   :  %d",
                      "'  Params :  %p",
                      "'  Purpose:  ",
                      "'",
                      "' DATE      WHO         WHAT",
                      "' " + std::string(8, '-') + "  " + std::string(10, '-') + " " + std::string(38, '-'),
                      "'",
                      rule};
  EXPECT_EQ(DefaultSubTemplate(), sub);

  TLines function = sub;
  function.insert(function.begin() + 5, "'  Returns:  %r");
  EXPECT_EQ(DefaultFunctionTemplate(), function);

  const TCommentTemplates live;
  EXPECT_EQ(live.Sub, sub);
  EXPECT_EQ(live.Function, function);
}

// --- Placeholders -------------------------------------------------------------------------------

struct ExpandRow {
  const char* name;
  std::string line;
  std::string expected;
};

class Expand : public ::testing::TestWithParam<ExpandRow> {};

TEST_P(Expand, ReplacesPlaceholders) {
  const THeaderValues values{"Area", "Ann", "01/02/03", "ByVal w As Single", "As Single"};
  EXPECT_EQ(ExpandHeaderTemplate(GetParam().line, values), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    HeaderTemplates, Expand,
    ::testing::Values(ExpandRow{"NoPlaceholder", "'  Purpose:  ", "'  Purpose:  "},
                      ExpandRow{"EveryPlaceholder", "' %n|%a|%d|%p|%r", "' Area|Ann|01/02/03|ByVal w As Single|As Single"},
                      ExpandRow{"UpperCase", "' %N|%A|%D|%P|%R", "' Area|Ann|01/02/03|ByVal w As Single|As Single"},
                      ExpandRow{"UnknownLetterKept", "' 100%x %", "' 100%x %"},
                      ExpandRow{"PercentAtEnd", "' 50%", "' 50%"},
                      ExpandRow{"DoublePercentThenName", "' %%n", "' %Area"},
                      ExpandRow{"PlaceholdersBackToBack", "%n%n", "AreaArea"},
                      ExpandRow{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The date is today's, in the locale's short format: the classic locale writes mm/dd/yy.
TEST(HeaderTemplates, DateIsTodayInTheShortFormat) {
  const char* saved = std::getenv("LC_ALL");
  const std::string savedValue = saved ? saved : "";
  ::setenv("LC_ALL", "C", 1);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char expected[40];
  std::snprintf(expected, sizeof expected, "%02d/%02d/%02d", local.tm_mon + 1, local.tm_mday, local.tm_year % 100);
  const std::string date = TCommentTemplates().Today();
  if (saved) {
    ::setenv("LC_ALL", savedValue.c_str(), 1);
  } else {
    ::unsetenv("LC_ALL");
  }
  EXPECT_EQ(date, expected);  // (fails only if the test runs across midnight)
}

// --- Values of a procedure line -----------------------------------------------------------------

struct ValuesRow {
  const char* name;
  bool isFunction;
  std::string line;
  std::string procName, params, returns;
};

class ProcedureValues : public ::testing::TestWithParam<ValuesRow> {};

TEST_P(ProcedureValues, ReadFromTheLine) {
  const ValuesRow& r = GetParam();
  if (r.isFunction) {
    EXPECT_EQ(FunctionNameOf(r.line), r.procName);
    EXPECT_EQ(FunctionParamsOf(r.line), r.params);
    EXPECT_EQ(FunctionReturnOf(r.line), r.returns);
  } else {
    EXPECT_EQ(SubNameOf(r.line), r.procName);
    EXPECT_EQ(SubParamsOf(r.line), r.params);
  }
}

INSTANTIATE_TEST_SUITE_P(
    HeaderValues, ProcedureValues,
    ::testing::Values(
        ValuesRow{"SubMainBare", false, "Sub Main", "Main", "", ""},
        ValuesRow{"SubMainEmptyList", false, "Sub Main()", "Main", "", ""},
        ValuesRow{"SubMainBlankBeforeList", false, "  Sub Main ()  ", "Main", "", ""},
        ValuesRow{"PrivateSub", false, "Private Sub Form_Load ()", "Form_Load", "", ""},
        ValuesRow{"SubWithParams", false, "Sub Add(a As Integer, b() As Long) ' adds (two)", "Add",
                  "a As Integer, b() As Long", ""},
        ValuesRow{"PublicSub", false, "Public Sub Init()", "Init", "", ""},
        ValuesRow{"StaticSub", false, "Static Sub Count(n)", "Count", "n", ""},
        ValuesRow{"FriendSub", false, "Friend Sub Attach(ByVal p As Object)", "Attach", "ByVal p As Object", ""},
        ValuesRow{"PrivateStaticSub", false, "Private Static Sub Tick()", "Tick", "", ""},
        ValuesRow{"FriendStaticSubAnyCase", false, "friend static sub Poll (n)", "Poll", "n", ""},
        ValuesRow{"PropertyLineIsNoSub", false, "Property Let Name(v)", "Unknown", "v", ""},
        ValuesRow{"SubKeywordsInAnyCase", false, "PRIVATE SUB x(y)", "x", "y", ""},
        ValuesRow{"SubNameEndsAtComment", false, "Sub Main ' entry (start)", "Main", "", ""},
        ValuesRow{"FunctionLineIsNoSub", false, "Function F(a)", "Unknown", "a", ""},
        ValuesRow{"WorkedExample", true, "Private Function Area(ByVal w As Single, ByVal h As Single) As Single",
                  "Area", "ByVal w As Single, ByVal h As Single", "As Single"},
        ValuesRow{"FunctionNestedParens", true, "Function Sum(v() As Integer, ByVal n%) As Long ' total (all)",
                  "Sum", "v() As Integer, ByVal n%", "As Long"},
        ValuesRow{"FunctionWithoutReturn", true, "Function F (x)", "F", "x", ""},
        ValuesRow{"FunctionWithoutList", true, "function Pi As Double", "Pi", "", "As Double"},
        ValuesRow{"FunctionReturningArray", true, "Function Row(i) As Long()", "Row", "i", "As Long()"},
        ValuesRow{"PublicFunction", true, "Public Function F()", "F", "", ""},
        ValuesRow{"PropertyGet", true, "Property Get Caption () As String", "Caption", "", "As String"},
        ValuesRow{"PublicStaticPropertyLet", true, "Public Static Property Let Value(ByVal v As Long)", "Value",
                  "ByVal v As Long", ""},
        ValuesRow{"FriendPropertySet", true, "Friend Property Set Owner(o As Form)", "Owner", "o As Form", ""},
        ValuesRow{"FriendFunction", true, "Friend Function Count() As Long", "Count", "", "As Long"},
        ValuesRow{"SubLineIsNoFunction", true, "Sub S(a)", "Unknown", "a", ""},
        ValuesRow{"PropertyWithoutAccessor", true, "Property Caption()", "Unknown", "", ""},
        ValuesRow{"ApostropheInDefault", true, "Function Q(Optional s As String = \"it's\") As String", "Q",
                  "Optional s As String = \"it's\"", "As String"},
        ValuesRow{"UnclosedList", true, "Function Q(a", "Q", "a", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Inserting headers --------------------------------------------------------------------------

// Formats text as one project item through all its passes, with the given templates and a fixed
// date, and renders it with its marks.
std::string FormatWithTemplates(std::string_view input, TSettings& settings, const TCommentTemplates& templates,
                                std::uint8_t kind = rkModule) {
  FakePrompts prompts;
  TNullProgress processing, copying;
  TEngineServices services{settings, prompts, processing, copying, nullptr};
  services.Templates = &templates;
  TVBSrcFormatter fmt(services);
  fmt.FFileKind = kind;
  fmt.FormatPasses(test::TextLines(input));
  return test::RenderMarked(fmt.FOutput);
}

// The rendered text without its mark column, as a saved file would hold it.
std::string Unmarked(std::string_view rendered) {
  std::string out;
  for (const std::string& line : test::TextLines(rendered)) out += line.substr(1) + "\n";
  return out;
}

class HeaderInsertion : public ::testing::Test {
 protected:
  HeaderInsertion() {
    templates.Sub = {"' Sub %n (%p)", "' by %a"};
    templates.Function = {"' Function %n (%p) %r", "' on %d"};
    templates.DateText = [] { return std::string("12/31/99"); };
    settings.SetText(K::UserName, "Ann");
  }

  void SubsAt(bool before) {
    settings.SetBool(K::SubLevelCommentsPerform, true);
    settings.SetBool(before ? K::SubLevelCommentsBeforeProcedure : K::SubLevelCommentsAfterProcedure, true);
  }
  void FunctionsAt(bool before) {
    settings.SetBool(K::FunctionLevelCommentsPerform, true);
    settings.SetBool(before ? K::FunctionLevelCommentsBeforeProcedure : K::FunctionLevelCommentsAfterProcedure, true);
  }

  void Expect(std::string_view expected, std::string_view input, std::uint8_t kind = rkModule) {
    const std::string actual = FormatWithTemplates(input, settings, templates, kind);
    EXPECT_EQ(std::string(expected), actual) << test::LineDiff(expected, actual);
  }
  // Formatting the result once more changes nothing: no second header.
  void ExpectStable(std::string_view input, std::uint8_t kind = rkModule) {
    const std::string once = Unmarked(FormatWithTemplates(input, settings, templates, kind));
    const std::string twice = FormatWithTemplates(once, settings, templates, kind);
    std::string unchanged;
    for (const std::string& line : test::TextLines(once)) unchanged += "." + line + "\n";
    EXPECT_EQ(unchanged, twice) << test::LineDiff(unchanged, twice);
  }

  TSettings settings = test::RulesOffSettings();
  TCommentTemplates templates;
};

// Out of the box (every setting at its default) no header is inserted.
TEST_F(HeaderInsertion, NoHeadersByDefault) {
  settings = TSettings();
  settings.SetText(K::UserName, "Ann");
  const std::string out = FormatWithTemplates("Sub A (x)\nEnd Sub\nFunction F ()\nEnd Function\n", settings, templates);
  EXPECT_EQ(out.find("' Sub"), std::string::npos) << out;
  EXPECT_EQ(out.find("' Function"), std::string::npos) << out;
}

// Property procedures count as Functions.
TEST_F(HeaderInsertion, BelowTheProcedureLine) {
  SubsAt(false);
  FunctionsAt(false);
  Expect(".Dim x\n"
         ".Sub A (x)\n*' Sub A (x)\n*' by Ann\n.End Sub\n"
         ".Private Function F (ByVal s$) As String\n*' Function F (ByVal s$) As String\n*' on 12/31/99\n"
         ".End Function\n"
         ".Public Property Get Caption () As String\n*' Function Caption () As String\n*' on 12/31/99\n"
         ".End Property\n",
         "Dim x\nSub A (x)\nEnd Sub\nPrivate Function F (ByVal s$) As String\nEnd Function\n"
         "Public Property Get Caption () As String\nEnd Property\n");
}

TEST_F(HeaderInsertion, AboveTheProcedureLine) {
  SubsAt(true);
  FunctionsAt(true);
  Expect(".Dim x\n"
         "*' Sub A (x)\n*' by Ann\n.Sub A (x)\n.End Sub\n"
         "*' Function F () As Long\n*' on 12/31/99\n.Function F () As Long\n.End Function\n",
         "Dim x\nSub A (x)\nEnd Sub\nFunction F () As Long\nEnd Function\n");
}

TEST_F(HeaderInsertion, SubAndFunctionSettingsAreSeparate) {
  SubsAt(false);
  settings.SetBool(K::FunctionLevelCommentsAfterProcedure, true);  // Functions stay off
  Expect(".Static Sub S ()\n*' Sub S ()\n*' by Ann\n.End Sub\n.Public Function F ()\n.End Function\n",
         "Static Sub S ()\nEnd Sub\nPublic Function F ()\nEnd Function\n");
}

TEST_F(HeaderInsertion, WorkedExampleWithTheBuiltInTemplate) {
  templates.Function = DefaultFunctionTemplate();
  settings.SetText(K::UserName, "Unknown");
  FunctionsAt(false);
  const std::string rule = "*' " + std::string(59, '-') + "\n";
  Expect(".Private Function Area(ByVal w As Single, ByVal h As Single) As Single\n" + rule +
             "*'  Name   :  Area\n"
             "*'  Author :  Unknown\n"
             "*'  Date   :  12/31/99\n"
             "*'  Params :  ByVal w As Single, ByVal h As Single\n"
             "*'  Returns:  As Single\n"
             "*'  Purpose:  \n"
             "*'\n"
             "*' DATE      WHO         WHAT\n"
             "*' --------  ---------- --------------------------------------\n"
             "*'\n" +
             rule + ".    Area = w * h\n.End Function\n",
         "Private Function Area(ByVal w As Single, ByVal h As Single) As Single\n    Area = w * h\nEnd Function\n");
}

// A second run over its own output inserts nothing, above or below, with either template.
TEST_F(HeaderInsertion, FormattingTwiceInsertsNoSecondHeader) {
  const std::string input = "Sub A (x)\nEnd Sub\n\nFunction F (y) As Long\nEnd Function\n";
  for (const bool before : {false, true}) {
    SCOPED_TRACE(before ? "above" : "below");
    settings = test::RulesOffSettings();
    SubsAt(before);
    FunctionsAt(before);
    ExpectStable(input);
    templates.Sub = DefaultSubTemplate();
    templates.Function = DefaultFunctionTemplate();
    ExpectStable(input);
    templates.Sub = {"' Sub %n (%p)", "' by %a"};
    templates.Function = {"' Function %n (%p) %r", "' on %d"};
  }
}

// The guard compares with the template's first line as the header writes it: a placeholder there
// does not defeat it.
TEST_F(HeaderInsertion, GuardSeesAnExpandedFirstLine) {
  SubsAt(false);
  Expect(".Sub A (x)\n.' Sub A (x)\n.' by Ann\n.End Sub\n", "Sub A (x)\n' Sub A (x)\n' by Ann\nEnd Sub\n");
}

// A header written by an earlier run is recognised however the user or a later rule has changed
// it since: framed by block lines, filled in, indented, with lines added between, the date of
// another day; a comment run that lacks the template's lines is no header.
struct EarlierHeaderRow {
  const char* name;
  bool before;
  std::string comments;  // the comment lines next to "Sub A (x)"
  bool recognised;
};

class EarlierHeader : public HeaderInsertion, public ::testing::WithParamInterface<EarlierHeaderRow> {};

TEST_P(EarlierHeader, IsRecognisedOrNot) {
  const EarlierHeaderRow& r = GetParam();
  templates.Sub = DefaultSubTemplate();
  SubsAt(r.before);
  const std::string input =
      r.before ? "Dim x\n" + r.comments + "Sub A (x)\nEnd Sub\n" : "Sub A (x)\n" + r.comments + "End Sub\n";
  const std::string out = Unmarked(FormatWithTemplates(input, settings, templates));
  std::size_t names = 0;
  for (std::size_t at = out.find("Name   :"); at != std::string::npos; at = out.find("Name   :", at + 1)) ++names;
  const std::size_t before = input.find("Name   :") == std::string::npos ? 0 : 1;
  EXPECT_EQ(names, before + (r.recognised ? 0 : 1)) << out;
}

std::string Rule() { return "' " + std::string(59, '-') + "\n"; }
std::string Block() { return "'" + std::string(50, '*') + "\n"; }
std::string HeaderOfA(const std::string& date, const std::string& purpose = "", const std::string& history = "",
                      const std::string& indent = "") {
  std::string h;
  for (const std::string& line : std::vector<std::string>{Rule(), "'  Name   :  A\n", "'  Author :  Unknown\n", "'  Date   :  " + date + "\n", "'  Params :  x\n",
        "'  Purpose:  " + purpose + "\n", std::string("'\n"), std::string("' DATE      WHO         WHAT\n"),
        "' " + std::string(8, '-') + "  " + std::string(10, '-') + " " + std::string(38, '-') + "\n" + history,
        std::string("'\n"), Rule()}) {
    h += indent + line;
  }
  return h;
}

INSTANTIATE_TEST_SUITE_P(
    HeaderInsertion, EarlierHeader,
    ::testing::Values(
        EarlierHeaderRow{"BelowAsWritten", false, HeaderOfA("12/31/99"), true},
        EarlierHeaderRow{"BelowFramed", false, Block() + HeaderOfA("12/31/99") + Block(), true},
        EarlierHeaderRow{"BelowFramedIndented", false, "    " + Block() + HeaderOfA("1/2/98", "", "", "    "), true},
        EarlierHeaderRow{"BelowFilledIn", false,
                         HeaderOfA("1/2/98", "Loads the accounts", "' 01/03/98  Ann        first cut\n"), true},
        EarlierHeaderRow{"BelowFramedWithCommentsAfter", false, Block() + HeaderOfA("12/31/99") + "' mine\n" + Block(),
                         true},
        EarlierHeaderRow{"AboveFramed", true, Block() + HeaderOfA("12/31/99") + Block(), true},
        EarlierHeaderRow{"AboveAfterUserComments", true, "' mine\n' more\n" + Block() + HeaderOfA("12/31/99"), true},
        EarlierHeaderRow{"AboveFilledIn", true, HeaderOfA("1/2/98", "Does it", "' 01/03/98  Ann        fix\n"), true},
        EarlierHeaderRow{"OtherCommentsBelow", false, "' Loads the accounts\n' from the file\n", false},
        EarlierHeaderRow{"HalfAHeaderAbove", true, Rule() + "'  Name   :  A\n", false},
        EarlierHeaderRow{"NothingBelow", false, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Three runs over the example sources with every rule on (comment blocking frames the headers of
// the first run) leave one header per procedure, above or below.
TEST_F(HeaderInsertion, ThreeRunsWithEveryRuleLeaveOneHeaderPerProcedure) {
  templates.Sub = DefaultSubTemplate();
  templates.Function = DefaultFunctionTemplate();
  for (const bool before : {false, true}) {
    settings = TSettings();
    SubsAt(before);
    FunctionsAt(before);
    settings.SetBool(before ? K::SubLevelCommentsAfterProcedure : K::SubLevelCommentsBeforeProcedure, false);
    settings.SetBool(before ? K::FunctionLevelCommentsAfterProcedure : K::FunctionLevelCommentsBeforeProcedure, false);
    settings.SetBool(K::PreviewBeforeSaving, false);
    settings.SetInt(K::GrpBlankLines, 1);
    for (const test::VBSource& source : test::VBSourcesBelow(EXAMPLES_DIR)) {
      std::string bytes;
      ASSERT_TRUE(ReadFileBytes(source.Path.string(), bytes));
      SCOPED_TRACE(source.Path.string() + (before ? " above" : " below"));
      std::string text = bytes;
      std::vector<std::size_t> headers;
      for (int run = 0; run < 3; ++run) {
        text = Unmarked(FormatWithTemplates(text, settings, templates, source.Kind));
        std::size_t n = 0;
        for (std::size_t at = text.find("'  Name   :"); at != std::string::npos; at = text.find("'  Name   :", at + 1)) ++n;
        headers.push_back(n);
      }
      EXPECT_EQ(headers[0], headers[1]);
      EXPECT_EQ(headers[0], headers[2]);
    }
  }
}

struct FileKindRow {
  const char* name;
  int choice;
  std::uint8_t kind;
  bool inserted;
};

class HeaderFileKind : public HeaderInsertion, public ::testing::WithParamInterface<FileKindRow> {};

TEST_P(HeaderFileKind, ChoiceDecidesWhichFilesGetHeaders) {
  const FileKindRow& r = GetParam();
  SubsAt(false);
  FunctionsAt(false);
  settings.SetInt(K::GrpSubLevelComments, r.choice);
  settings.SetInt(K::GrpFunctionLevelComments, r.choice);
  const std::string input = "Sub A ()\nEnd Sub\nFunction F ()\nEnd Function\n";
  Expect(r.inserted ? ".Sub A ()\n*' Sub A ()\n*' by Ann\n.End Sub\n.Function F ()\n*' Function F () \n*' on 12/31/99\n"
                      ".End Function\n"
                    : ".Sub A ()\n.End Sub\n.Function F ()\n.End Function\n",
         input, r.kind);
}

INSTANTIATE_TEST_SUITE_P(HeaderInsertion, HeaderFileKind,
                         ::testing::Values(FileKindRow{"FormLevelForm", 0, rkForm, true},
                                           FileKindRow{"FormLevelModule", 0, rkModule, false},
                                           FileKindRow{"FormLevelClass", 0, rkClass, false},
                                           FileKindRow{"ModuleLevelForm", 1, rkForm, false},
                                           FileKindRow{"ModuleLevelModule", 1, rkModule, true},
                                           FileKindRow{"ModuleLevelClass", 1, rkClass, false},
                                           FileKindRow{"BothForm", 2, rkForm, true},
                                           FileKindRow{"BothModule", 2, rkModule, true},
                                           FileKindRow{"BothClass", 2, rkClass, true},
                                           FileKindRow{"FormLevelUserControl", 0, rkUserControl, true},
                                           FileKindRow{"FormLevelPropertyPage", 0, rkPropertyPage, true},
                                           FileKindRow{"ModuleLevelDesigner", 1, rkDesigner, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A procedure statement continued with " _": a header below goes after its last line (between
// the lines it would break the statement), and the values come from the whole statement.
TEST_F(HeaderInsertion, ContinuedStatementGetsItsHeaderBelowItsLastLine) {
  SubsAt(false);
  FunctionsAt(false);
  Expect(".Private Sub Add (ByVal a As Integer, _\n"
         ".                ByVal b As Integer)\n"
         "*' Sub Add (ByVal a As Integer, ByVal b As Integer)\n*' by Ann\n"
         ".End Sub\n"
         ".Function Sum( _\n"
         ".    v() As Long _\n"
         ".    ) As Long ' total\n"
         "*' Function Sum (v() As Long) As Long\n*' on 12/31/99\n"
         ".End Function\n",
         "Private Sub Add (ByVal a As Integer, _\n"
         "                ByVal b As Integer)\n"
         "End Sub\n"
         "Function Sum( _\n"
         "    v() As Long _\n"
         "    ) As Long ' total\n"
         "End Function\n");
  ExpectStable("Sub Add (ByVal a As Integer, _\n  ByVal b As Integer)\nEnd Sub\n");
}

TEST_F(HeaderInsertion, ContinuedStatementGetsItsHeaderAboveWithEveryParameter) {
  SubsAt(true);
  Expect("*' Sub Add (ByVal a As Integer, ByVal b As Integer)\n*' by Ann\n"
         ".Sub Add (ByVal a As Integer, _\n"
         ".         ByVal b As Integer)\n"
         ".End Sub\n",
         "Sub Add (ByVal a As Integer, _\n         ByVal b As Integer)\nEnd Sub\n");
  ExpectStable("Sub Add (ByVal a As Integer, _\n  ByVal b As Integer)\nEnd Sub\n");
}

// A comment ended by " _" goes on on the next line too: the header waits below it.
TEST_F(HeaderInsertion, ContinuedCommentOnTheProcedureLine) {
  SubsAt(false);
  Expect(".Sub A () ' adds _\n.   two numbers\n*' Sub A ()\n*' by Ann\n.End Sub\n",
         "Sub A () ' adds _\n   two numbers\nEnd Sub\n");
}

// A statement continued onto the end of the file or onto a blank line is broken; it is left as it
// stands, and the next procedure gets its header as usual.
TEST_F(HeaderInsertion, StatementContinuedOntoNothingGetsNoHeaderBelow) {
  SubsAt(false);
  Expect(".Sub A (x, _\n", "Sub A (x, _\n");
  Expect(".Sub A (x, _\n.\n.End Sub\n.Sub B ()\n*' Sub B ()\n*' by Ann\n.End Sub\n",
         "Sub A (x, _\n\nEnd Sub\nSub B ()\nEnd Sub\n");
}

// A template line that is no comment would insert code; it is made a comment.
TEST_F(HeaderInsertion, TemplateLinesAreAlwaysComments) {
  templates.Sub = {"Name: %n", "", "   ' indented", "Rem remark", "REM", "Remember %n"};
  SubsAt(false);
  Expect(".Sub A ()\n*'Name: A\n*\n*   ' indented\n*Rem remark\n*REM\n*'Remember A\n.End Sub\n", "Sub A ()\nEnd Sub\n");
}

// Inserted only in the first pass: later passes see the header as ordinary comment lines.
TEST_F(HeaderInsertion, OnlyTheFirstPassInserts) {
  SubsAt(false);
  FakePrompts prompts;
  TNullProgress processing, copying;
  TEngineServices services{settings, prompts, processing, copying, nullptr};
  services.Templates = &templates;
  TVBSrcFormatter fmt(services);
  fmt.FFileKind = rkModule;
  const TLines input = test::TextLines("Sub A ()\nEnd Sub\n");
  for (const int pass : {kPass2, kPass3}) {
    fmt.FOutput.clear();
    fmt.FormatFile(input, pass);
    EXPECT_EQ(test::RenderMarked(fmt.FOutput), ".Sub A ()\n.End Sub\n");
  }
}

// --- Loading the templates from files ---------------------------------------------------------

class LoadTemplates : public ::testing::Test {
 protected:
  test::TempDir dir;
  TSettings settings;
  FakePrompts prompts;
  TCommentTemplates templates;
};

TEST_F(LoadTemplates, FilesReplaceBothTemplates) {
  settings.SetText(K::SubLevelCommentsFile, dir.Write("SUB.TXT", "' Sub %n\r\n'\xE9t\xE9 \r\n"));
  settings.SetText(K::FunctionLevelCommentsFile, dir.Write("FUNC.TXT", "' Function %n\n' %r"));
  LoadCommentHeaders(settings, templates, prompts);
  EXPECT_EQ(templates.Sub, (TLines{"' Sub %n", "'\xE9t\xE9 "}));
  EXPECT_EQ(templates.Function, (TLines{"' Function %n", "' %r"}));
}

TEST_F(LoadTemplates, UnreadableFilesWarnAndKeepTheTemplates) {
  const std::string missingSub = dir / "NOSUB.TXT";
  const std::string missingFunction = dir / "NOFUNC.TXT";
  templates.Function = {"' before"};
  settings.SetText(K::SubLevelCommentsFile, missingSub);
  settings.SetText(K::FunctionLevelCommentsFile, missingFunction);
  LoadCommentHeaders(settings, templates, prompts);
  prompts.ExpectMessage(TMsgKind::Warning, "Unable to load sub comment header file: " + missingSub);
  prompts.ExpectMessage(TMsgKind::Warning, "Unable to load function comment header file: " + missingFunction);
  EXPECT_EQ(templates.Sub, DefaultSubTemplate());
  EXPECT_EQ(templates.Function, TLines{"' before"});
}

TEST_F(LoadTemplates, OneFileFailingDoesNotStopTheOther) {
  settings.SetText(K::SubLevelCommentsFile, dir.Dir());  // a directory: cannot be read as a file
  settings.SetText(K::FunctionLevelCommentsFile, dir.Write("F.TXT", "' F\n"));
  LoadCommentHeaders(settings, templates, prompts);
  prompts.ExpectMessage(TMsgKind::Warning, "Unable to load sub comment header file: " + dir.Dir());
  EXPECT_EQ(templates.Function, TLines{"' F"});
}

}  // namespace
}  // namespace qm
