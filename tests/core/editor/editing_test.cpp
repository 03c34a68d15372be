// SPDX-License-Identifier: MIT
// The editor operations of the core: the edit between two texts, the units of a partial restyle,
// the symbols of a module, the lines a restyle changes, header insertion and misspellings.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document.h"
#include "editor/editing.h"
#include "editor/misspellings.h"
#include "editor/outline.h"
#include "engine/templates.h"
#include "fake_ui.h"
#include "scripted_dictionary.h"
#include "settings/catalogue.h"
#include "temp_dir.h"

namespace qm {
namespace {

using K = SettingKey;

// Default settings without the inserted Option Explicit: simple code is only re-indented.
TSettings IndentOnly() {
  TSettings s;
  s.SetBool(K::OptionExplicitInsert, false);
  s.SetBool(K::PreviewBeforeSaving, false);
  return s;
}

struct EditCase {
  const char* Name;
  std::string Before;
  std::string After;
  bool Any;  // an edit is expected
  TTextEdit Edit;
};

class EditBetweenTexts : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditBetweenTexts, ReplacesOnlyTheLinesThatDiffer) {
  const EditCase& c = GetParam();
  const std::optional<TTextEdit> edit = EditBetween(c.Before, c.After);
  ASSERT_EQ(edit.has_value(), c.Any);
  if (!edit) return;
  EXPECT_EQ(edit->Start, c.Edit.Start);
  EXPECT_EQ(edit->End, c.Edit.End);
  EXPECT_EQ(edit->NewText, c.Edit.NewText);
  // Applied, it gives the other text exactly.
  EXPECT_EQ(ApplyEdit(c.Before, *edit), c.After);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditBetweenTexts,
    ::testing::Values(
        EditCase{"EqualTextsNoEdit", "a\r\nb\r\n", "a\r\nb\r\n", false, {}},
        EditCase{"OneLineInTheMiddle", "a\r\nb\r\nc\r\n", "a\r\n    b\r\nc\r\n", true, {{1, 0}, {2, 0}, "    b\r\n"}},
        EditCase{"LineEndAloneDiffers", "a\nb\n", "a\r\nb\n", true, {{0, 0}, {1, 0}, "a\r\n"}},
        EditCase{"LinesAddedAtTheEnd", "a\r\n", "a\r\nb\r\n", true, {{1, 0}, {1, 0}, "b\r\n"}},
        EditCase{"LastLineWithoutLineEnd", "a\r\nb", "a\r\n  b\r\n", true, {{1, 0}, {1, 1}, "  b\r\n"}},
        EditCase{"EmptyDocument", "", "Option Explicit\r\n", true, {{0, 0}, {0, 0}, "Option Explicit\r\n"}},
        EditCase{"LinesRemoved", "a\r\n\r\n\r\nb\r\n", "a\r\n\r\nb\r\n", true, {{2, 0}, {3, 0}, ""}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct Utf16Case {
  const char* Name;
  std::string Text;
  std::size_t Units;
};

class Utf16Columns : public ::testing::TestWithParam<Utf16Case> {};

TEST_P(Utf16Columns, CountAsEditorsCount) {
  const Utf16Case& c = GetParam();
  EXPECT_EQ(Utf16Length(c.Text), c.Units);
  EXPECT_EQ(ByteOffsetOfUtf16(c.Text, c.Units), c.Text.size());
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf16Columns,
                         ::testing::Values(Utf16Case{"Ascii", "abc", 3}, Utf16Case{"TwoByteCharacter", "\xC2\xA3x", 2},
                                           Utf16Case{"ThreeByteCharacter", "\xE2\x82\xAC", 1},
                                           Utf16Case{"BeyondTheBasicPlaneCountsTwo", "\xF0\x9F\x98\x80", 2},
                                           Utf16Case{"StrayByteCountsOne", "\xA3", 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

constexpr std::string_view kModule =
    "Attribute VB_Name = \"Stock\"\r\n"  // 0
    "Option Explicit\r\n"                 // 1
    "Private Type TItem\r\n"              // 2
    "  Name As String\r\n"                // 3
    "  Qty(1 To 2) As Integer\r\n"        // 4
    "End Type\r\n"                        // 5
    "Public Enum Colour\r\n"              // 6
    "  Red = 1\r\n"                       // 7
    "End Enum\r\n"                        // 8
    "\r\n"                                // 9
    "' Adds one.\r\n"                     // 10
    "Public Sub Add(ByVal n As Integer, _\r\n"  // 11
    "    ByVal m As Integer)\r\n"         // 12
    "If n > 0 Then\r\n"                   // 13
    "m = n\r\n"                           // 14
    "End If\r\n"                          // 15
    "End Sub\r\n"                         // 16
    "\r\n"                                // 17
    "Private Static Function Total() As Long\r\n"  // 18
    "Total = 1\r\n"                       // 19
    "End Function\r\n"                    // 20
    "Friend Property Get Count() As Long\r\n"  // 21
    "Count = 2\r\n"                       // 22
    "End Property\r\n";                   // 23

TEST(EditorOutline, ProceduresAndUnitsCoverTheModule) {
  const TLines lines = SplitLines(kModule);
  const std::vector<TProcedure> procedures = ProceduresOf(lines);
  ASSERT_EQ(procedures.size(), 3u);
  EXPECT_EQ(procedures[0].Name, "Add");
  EXPECT_EQ(procedures[0].DeclarationEnd, 12u);
  EXPECT_EQ(procedures[0].Last, 16u);
  EXPECT_TRUE(procedures[1].Static);
  EXPECT_EQ(procedures[2].Keyword, "Property Get");
  // The comment above Add belongs to Add's unit; the last unit runs to the end.
  EXPECT_EQ(RestyleUnits(lines, procedures),
            (std::vector<TLineRange>{{0, 9}, {9, 17}, {17, 21}, {21, 24}}));
  EXPECT_EQ(RestyleUnits({"x = 1"}, {}), (std::vector<TLineRange>{{0, 1}}));
}

struct SymbolRow {
  const char* Name;
  std::string Path;  // index by index through the children, joined with '/'
  TSymbolKind Kind;
  std::string Detail;
  TLineRange Lines;
};

class ModuleSymbols : public ::testing::TestWithParam<SymbolRow> {};

const TSymbol* SymbolAt(const std::vector<TSymbol>& symbols, const std::string& path) {
  const std::vector<TSymbol>* level = &symbols;
  const TSymbol* found = nullptr;
  std::size_t from = 0;
  while (from <= path.size()) {
    const std::size_t slash = std::min(path.find('/', from), path.size());
    const std::size_t index = std::stoul(path.substr(from, slash - from));
    if (index >= level->size()) return nullptr;
    found = &(*level)[index];
    level = &found->Children;
    from = slash + 1;
  }
  return found;
}

constexpr std::string_view kForm =
    "VERSION 5.00\r\n"                            // 0
    "Begin VB.Form frmMain\r\n"                   // 1
    "   Caption = \"Main\"\r\n"                   // 2
    "   BeginProperty Font\r\n"                   // 3
    "      Name = \"Arial\"\r\n"                  // 4
    "   EndProperty\r\n"                          // 5
    "   Begin VB.Frame fraBox\r\n"                // 6
    "      Begin VB.CommandButton cmdOk\r\n"      // 7
    "         Caption = \"OK\"\r\n"               // 8
    "      End\r\n"                               // 9
    "   End\r\n"                                  // 10
    "End\r\n"                                     // 11
    "Attribute VB_Name = \"frmMain\"\r\n"         // 12
    "Private Sub cmdOk_Click()\r\n"               // 13
    "End Sub\r\n";                                // 14

TEST_P(ModuleSymbols, NameTheirKindAndLines) {
  const SymbolRow& row = GetParam();
  const bool form = row.Path.starts_with("F");
  const std::string path = form ? row.Path.substr(1) : row.Path;
  const std::vector<TSymbol> symbols =
      form ? DocumentSymbols(SplitLines(kForm), rkForm) : DocumentSymbols(SplitLines(kModule), rkModule);
  const TSymbol* symbol = SymbolAt(symbols, path);
  ASSERT_NE(symbol, nullptr);
  EXPECT_EQ(symbol->Name, row.Name);
  EXPECT_EQ(symbol->Kind, row.Kind);
  EXPECT_EQ(symbol->Detail, row.Detail);
  EXPECT_EQ(symbol->Lines, row.Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, ModuleSymbols,
    ::testing::Values(SymbolRow{"TItem", "0", TSymbolKind::Type, "Type", {2, 6}},
                      SymbolRow{"Qty", "0/1", TSymbolKind::Member, "", {4, 5}},
                      SymbolRow{"Colour", "1", TSymbolKind::Enum, "Enum", {6, 9}},
                      SymbolRow{"Red", "1/0", TSymbolKind::Member, "", {7, 8}},
                      SymbolRow{"Add", "2", TSymbolKind::Sub, "Public Sub", {11, 17}},
                      SymbolRow{"Total", "3", TSymbolKind::Function, "Private Static Function", {18, 21}},
                      SymbolRow{"Count", "4", TSymbolKind::Property, "Friend Property Get", {21, 24}},
                      // A form: the form, its controls nested, no property blocks, then the code.
                      SymbolRow{"frmMain", "F0", TSymbolKind::Form, "VB.Form", {1, 12}},
                      SymbolRow{"fraBox", "F0/0", TSymbolKind::Control, "VB.Frame", {6, 11}},
                      SymbolRow{"cmdOk", "F0/0/0", TSymbolKind::Control, "VB.CommandButton", {7, 10}},
                      SymbolRow{"cmdOk_Click", "F1", TSymbolKind::Sub, "Private Sub", {13, 15}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EditorOutline, FormHasNoMoreTopSymbolsThanItsFormAndCode) {
  EXPECT_EQ(DocumentSymbols(SplitLines(kForm), rkForm).size(), 2u);
}

constexpr std::string_view kTwoSubs =
    "Sub A()\r\n"
    "x = 1\r\n"
    "End Sub\r\n"
    "\n"
    "Sub B()\r\n"
    "y = 2\r\n"
    "End Sub";

TDocumentRestyle Restyled(std::string_view text, TSettings& settings, test::FakePrompts& prompts) {
  return RestyleDocument(text, TRestyleRequest{settings, nullptr, prompts, rkModule, "Module1.bas"});
}

struct RangeCase {
  const char* Name;
  std::size_t First;
  std::size_t Last;
  std::string Expected;
};

class RangeFormatting : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeFormatting, RestylesTheProceduresTheRangeTouches) {
  const RangeCase& c = GetParam();
  test::TempDir dir;
  TSettings settings = IndentOnly();
  test::FakePrompts prompts;
  const TDocumentRestyle restyle = Restyled(kTwoSubs, settings, prompts);
  const TEditAnswer answer =
      RangeFormatEdits(restyle, c.First, c.Last, TRestyleRequest{settings, nullptr, prompts, rkModule, "Module1.bas"});
  EXPECT_EQ(answer.Problem, "");
  std::string text(kTwoSubs);
  for (const TTextEdit& edit : answer.Edits) text = ApplyEdit(text, edit);
  EXPECT_EQ(text, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RangeFormatting,
    ::testing::Values(
        // Lines a restyle leaves keep their own line ends (the LF of the blank line, none after
        // the last line); a restyled line takes the document's prevailing one.
        RangeCase{"FirstProcedureOnly", 1, 1, "Sub A()\r\n    x = 1\r\nEnd Sub\r\n\nSub B()\r\ny = 2\r\nEnd Sub"},
        RangeCase{"BlankLineAboveBelongsToTheNext", 3, 3, "Sub A()\r\nx = 1\r\nEnd Sub\r\n\nSub B()\r\n    y = 2\r\nEnd Sub"},
        RangeCase{"RangeOverBoth", 0, 6, "Sub A()\r\n    x = 1\r\nEnd Sub\r\n\nSub B()\r\n    y = 2\r\nEnd Sub"},
        RangeCase{"ReversedRange", 5, 0, "Sub A()\r\n    x = 1\r\nEnd Sub\r\n\nSub B()\r\n    y = 2\r\nEnd Sub"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EditorFormatting, WholeDocumentGivesTheRestyledBytes) {
  test::TempDir dir;
  TSettings settings = IndentOnly();
  test::FakePrompts prompts;
  const TDocumentRestyle restyle = Restyled("Sub A()\nx = 1\nEnd Sub\n", settings, prompts);
  const TEditAnswer answer = FormatEdits(restyle);
  ASSERT_EQ(answer.Edits.size(), 1u);
  EXPECT_EQ(ApplyEdit(restyle.Before, answer.Edits[0]), "Sub A()\n    x = 1\nEnd Sub\n");
  // The lines a restyle would change.
  EXPECT_EQ(LinesToRestyle(restyle), (std::vector<TLineRange>{{1, 2}}));
}

TEST(EditorFormatting, InsertedLinesAreShownOnTheLineTheyPrecede) {
  test::TempDir dir;
  TSettings settings;  // Option Explicit inserted above the first line
  settings.SetBool(K::PreviewBeforeSaving, false);
  test::FakePrompts prompts;
  const TDocumentRestyle restyle = Restyled("Sub A()\r\nEnd Sub\r\n", settings, prompts);
  EXPECT_EQ(LinesToRestyle(restyle), (std::vector<TLineRange>{{0, 1}}));
}

TEST(EditorFormatting, NothingToChangeGivesNoEditAndNoFinding) {
  test::TempDir dir;
  TSettings settings = IndentOnly();
  test::FakePrompts prompts;
  const TDocumentRestyle restyle = Restyled("Sub A()\r\n    x = 1\r\nEnd Sub\r\n", settings, prompts);
  EXPECT_TRUE(FormatEdits(restyle).Edits.empty());
  EXPECT_TRUE(LinesToRestyle(restyle).empty());
}

// A restyle the safety check refused (or a cancelled one) gives no edit, whole or partial, and
// says why; nor does it mark lines as restyled.
TEST(EditorFormatting, RefusedRestyleGivesNoEditButItsReason) {
  TDocumentRestyle restyle;
  restyle.Before = "Sub A()\r\nx = 1\r\nEnd Sub\r\n";
  restyle.Lines = SplitLines(restyle.Before);
  restyle.FileName = "Module1.bas";
  restyle.Restyled.Done = true;
  restyle.Restyled.Output = {{"Sub A()", NewUnchangedMark()}, {"    x = 2", NewChangedMark()}, {"End Sub", NewUnchangedMark()}};
  restyle.Restyled.MismatchLine = 2;
  const TEditAnswer whole = FormatEdits(restyle);
  EXPECT_TRUE(whole.Edits.empty());
  EXPECT_EQ(whole.Problem, "Module1.bas: not saved: the restyled text would change the program near line 2");
  TSettings settings = IndentOnly();
  test::FakePrompts prompts;
  const TEditAnswer part = RangeFormatEdits(restyle, 0, 2, TRestyleRequest{settings, nullptr, prompts, rkModule, "Module1.bas"});
  EXPECT_TRUE(part.Edits.empty());
  EXPECT_EQ(part.Problem, whole.Problem);
  EXPECT_TRUE(LinesToRestyle(restyle).empty());
  restyle.Restyled.Done = false;
  EXPECT_EQ(FormatEdits(restyle).Problem, "cancelled");
}

struct HeaderCase {
  const char* Name;
  std::string Text;
  std::size_t Cursor;
  bool Above;
  bool Offered;
  TTextPos At;
};

class HeaderInsertion : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderInsertion, GoesWhereTheSettingsPlaceHeaders) {
  const HeaderCase& c = GetParam();
  test::TempDir dir;
  TSettings settings;
  settings.SetBool(K::SubLevelCommentsBeforeProcedure, c.Above);
  settings.SetBool(K::SubLevelCommentsAfterProcedure, !c.Above);
  settings.SetText(K::UserName, "Ada");
  const auto insertion = HeaderInsertionAt(c.Text, c.Cursor, settings, nullptr);
  ASSERT_EQ(insertion.has_value(), c.Offered);
  if (!insertion) return;
  EXPECT_EQ(insertion->Edit.Start, c.At);
  const std::string& text = insertion->Edit.NewText;
  EXPECT_TRUE(text.starts_with("' ----")) << text;
  EXPECT_NE(text.find("'  Name   :  Go\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("'  Author :  Ada\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("'  Params :  ByVal n As Integer, m\r\n"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cursors, HeaderInsertion,
    ::testing::Values(
        HeaderCase{"AboveTheDeclaration", "x\r\nSub Go(ByVal n As Integer, _\r\n m)\r\ny = 1\r\nEnd Sub\r\n", 3, true,
                   true, {1, 0}},
        HeaderCase{"BelowTheContinuedDeclaration", "x\r\nSub Go(ByVal n As Integer, _\r\n m)\r\ny = 1\r\nEnd Sub\r\n", 4,
                   false, true, {3, 0}},
        HeaderCase{"OutsideEveryRoutine", "x\r\nSub Go(ByVal n As Integer, _\r\n m)\r\nEnd Sub\r\nz\r\n", 4, true,
                   false, {}},
        HeaderCase{"LastLineWithoutLineEnd", "x\r\nSub Go(ByVal n As Integer, _\r\n m)\r\nEnd Sub", 3, false, true,
                   {3, 0}},
        HeaderCase{"RoutineWithAHeaderAlready", "x\r\n' Goes.\r\nSub Go(n)\r\nEnd Sub\r\n", 2, true, false, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct SpellCase {
  const char* Name;
  std::string Line;
  bool Comments;
  bool Literals;
  std::vector<std::string> Words;  // word@column
};

class Misspellings : public ::testing::TestWithParam<SpellCase> {};

TEST_P(Misspellings, AreFoundInCommentsAndLiteralsNeverInNames) {
  const SpellCase& c = GetParam();
  test::TempDir dir;
  test::ScriptedWords words;
  words.Known = {"the", "total", "is"};
  words.Suggestions["totl"] = {"total", "tote"};
  test::FakePrompts prompts;
  TSettings settings;
  settings.SetBool(K::SpellingPerform, true);
  settings.SetBool(K::SpellingComments, c.Comments);
  settings.SetBool(K::SpellingLiterals, c.Literals);
  TMisspellingFinder finder(prompts, "VBQUILL3.INI", test::ScriptedOpener(words));
  std::vector<TMisspelling> found;
  std::string problem;
  ASSERT_TRUE(finder.Find({"Sub Go()", c.Line, "End Sub"}, settings, nullptr, rkModule, found, &problem)) << problem;
  std::vector<std::string> got;
  for (const TMisspelling& word : found) {
    EXPECT_EQ(word.Line, 1u);
    EXPECT_EQ(c.Line.substr(word.Column, word.Length), word.Word);
    got.push_back(word.Word + "@" + std::to_string(word.Column));
  }
  EXPECT_EQ(got, c.Words);
  if (!found.empty() && found[0].Word == "totl") {
    EXPECT_EQ(found[0].Suggestions, (std::vector<std::string>{"total", "tote"}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Misspellings,
    ::testing::Values(SpellCase{"CommentWord", "totl = 1 ' the totl", true, true, {"totl@15"}},
                      SpellCase{"LiteralWord", "s = \"the totl\"", true, true, {"totl@9"}},
                      SpellCase{"TabBeforeTheWord", "\tx = 1 ' totl", true, true, {"totl@9"}},
                      SpellCase{"LiteralsOffLeavesLiterals", "s = \"totl\" ' totl", true, false, {"totl@13"}},
                      SpellCase{"NamesNeverChecked", "totl = wrng(qty)", true, true, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Misspellings, NoDictionaryIsSaid) {
  test::TempDir dir;
  test::FakePrompts prompts;
  TSettings settings;
  settings.SetBool(K::SpellingPerform, true);
  TMisspellingFinder finder(prompts, "VBQUILL3.INI", test::MissingOpener());
  std::vector<TMisspelling> found;
  std::string problem;
  EXPECT_FALSE(finder.Find({"' x"}, settings, nullptr, rkModule, found, &problem));
  EXPECT_NE(problem.find("no dictionary"), std::string::npos);
}

}  // namespace
}  // namespace qm
