// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "engine/formatter.h"
#include "fake_ui.h"
#include "row_name.h"
#include "settings/catalogue.h"

namespace qm {
namespace {

// A formatter on default settings with fakes for everything it could talk to.
class IndentFixture {
 public:
  IndentFixture() : formatter_(TEngineServices{settings_, prompts_, progress_, progress_, nullptr}) {}

  TSettings& Settings() { return settings_; }
  TVBSrcFormatter& Formatter() { return formatter_; }

  std::vector<std::string> IndentAll(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (std::string line : lines) {
      formatter_.IndentLine(line);
      out.push_back(std::move(line));
    }
    return out;
  }

 private:
  TSettings settings_;
  test::FakePrompts prompts_;
  TNullProgress progress_;
  TVBSrcFormatter formatter_;
};

struct IndentCase {
  const char* Name;
  std::vector<std::pair<SettingKey, int>> Settings;  // changes from the defaults
  std::vector<std::string> Input;
  std::vector<std::string> Expected;
  std::int32_t LevelAfter;
};

std::ostream& operator<<(std::ostream& os, const IndentCase& c) { return os << c.Name; }

class IndentLineTest : public ::testing::TestWithParam<IndentCase> {};

TEST_P(IndentLineTest, IndentsBySequence) {
  const IndentCase& c = GetParam();
  IndentFixture f;
  for (const auto& [key, value] : c.Settings) f.Settings().SetInt(key, value);
  const std::vector<std::string> out = f.IndentAll(c.Input);
  ASSERT_EQ(out.size(), c.Expected.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(out[i], c.Expected[i]) << "line " << i + 1 << ": \"" << c.Input[i] << '"';
  }
  EXPECT_EQ(f.Formatter().Line().IndentLevel, c.LevelAfter);
}

INSTANTIATE_TEST_SUITE_P(Sequences, IndentLineTest, ::testing::Values(
    IndentCase{"IfElseInProcedure", {},
               {"Sub A()", "If x Then", "y = 1", "Else", "y = 2", "End If", "End Sub"},
               {"Sub A()", "    If x Then", "        y = 1", "    Else", "        y = 2", "    End If", "End Sub"},
               0},
    IndentCase{"ElseIfLikeElse", {{SettingKey::IfThenElseIndent, 2}},
               {"Sub A()", "If x Then", "y = 1", "ElseIf z Then", "y = 2", "End If", "End Sub"},
               {"Sub A()", "    If x Then", "      y = 1", "    ElseIf z Then", "      y = 2", "    End If",
                "End Sub"},
               0},
    IndentCase{"SelectCase", {},
               {"Sub S()", "Select Case n", "Case 1", "a = 1", "Case Else", "a = 2", "End Select", "End Sub"},
               {"Sub S()", "    Select Case n", "        Case 1", "            a = 1", "        Case Else",
                "            a = 2", "    End Select", "End Sub"},
               0},
    IndentCase{"CaseCodeIndentZero", {{SettingKey::CaseCodeIndent, 0}},
               {"Sub S()", "Select Case n", "Case 1", "a = 1", "Case Else", "a = 2", "End Select", "x", "End Sub"},
               {"Sub S()", "    Select Case n", "        Case 1", "        a = 1", "        Case Else",
                "        a = 2", "    End Select", "    x", "End Sub"},
               0},
    IndentCase{"SingleLineIfKeepsLevel", {},
               {"Sub A()", "If a Then b = 1   ", "c = 2", "End Sub"},
               {"Sub A()", "    If a Then b = 1", "    c = 2", "End Sub"},
               0},
    IndentCase{"CommentAfterThenIsBlockIf", {},
               {"Sub A()", "If a Then ' comment", "b = 1", "End If", "End Sub"},
               {"Sub A()", "    If a Then ' comment", "        b = 1", "    End If", "End Sub"},
               0},
    IndentCase{"UnbalancedEndIf", {},
               {"Sub A()", "End If", "x = 1", "End If", "y = 2", "Else", "End Sub", "z = 3"},
               {"Sub A()", "End If", "x = 1", "End If", "y = 2", "Else", "End Sub", "z = 3"},
               0},
    IndentCase{"ElseAtLevelZero", {}, {"Else", "x = 1"}, {"Else", "x = 1"}, 0},
    IndentCase{"LoopAmounts",
               {{SettingKey::DoLoopIndent, 2}, {SettingKey::WhileWendIndent, 3}, {SettingKey::ForNextIndent, 6}},
               {"Sub A()", "Do While x", "a", "Loop", "While y", "b", "Wend", "For Each c In col", "d", "Next",
                "Do", "e", "Loop Until z", "End Sub"},
               {"Sub A()", "    Do While x", "      a", "    Loop", "    While y", "       b", "    Wend",
                "    For Each c In col", "          d", "    Next", "    Do", "      e", "    Loop Until z",
                "End Sub"},
               0},
    IndentCase{"TypeMemberNamedType", {},
               {"Type Rec", "Type As Integer", "Name As String", "End Type", "Dim r As Rec"},
               {"Type Rec", "    Type As Integer", "    Name As String", "End Type", "Dim r As Rec"},
               0},
    IndentCase{"ConditionalCompilationInDeclarations", {},
               {"#If Win32 Then", "Declare Function A Lib \"a\" ()", "#ElseIf Win16 Then", "Declare Function B Lib \"b\" ()",
                "#Else", "Declare Function C Lib \"c\" ()", "#End If"},
               {"#If Win32 Then", "    Declare Function A Lib \"a\" ()", "#ElseIf Win16 Then",
                "    Declare Function B Lib \"b\" ()", "#Else", "    Declare Function C Lib \"c\" ()", "#End If"},
               0},
    IndentCase{"WithBlock", {{SettingKey::WithEndIndent, 2}},
               {"Sub A()", "With obj", ".x = 1", "End With", "End Sub"},
               {"Sub A()", "    With obj", "      .x = 1", "    End With", "End Sub"},
               0},
    IndentCase{"ProcedureStartAndEndSetTheLevel", {{SettingKey::DefaultLineIndent, 2}},
               {"If x Then", "Public Property Get P()", "If y Then", "P = 1", "End Property", "Dim z"},
               {"If x Then", "    Public Property Get P()", "  If y Then", "      P = 1", "End Property", "Dim z"},
               0},
    IndentCase{"OpenBlockCarriesOn", {},
               {"Sub A()", "If x Then", "Do", "End Sub", "Type T", "a As Integer"},
               {"Sub A()", "    If x Then", "        Do", "End Sub", "Type T", "    a As Integer"},
               4},
    IndentCase{"ReplacesOldIndentationKeepsTheRest", {},
               {"        Sub A()  ", "\t\x01  x = 1  ' c  ", "            End Sub", "  \xE4\xF6 = 1"},
               {"Sub A()  ", "    x = 1  ' c  ", "End Sub", "\xE4\xF6 = 1"},
               0},
    IndentCase{"BlankLinesTakeTheLevel", {},
               {"Sub A()", "", "   ", "End Sub", ""},
               {"Sub A()", "    ", "    ", "End Sub", ""},
               0},
    IndentCase{"NegativeLevelIsFlushLeft", {},
               {"Loop", "Next", "x = 1", "Case 1", "Else"},
               {"Loop", "Next", "x = 1", "Case 1", "Else"},
               -8},
    IndentCase{"KeywordsAreCaseSensitive", {},
               {"Sub A()", "if x then", "y", "end if", "End Sub"},
               {"Sub A()", "    if x then", "    y", "    end if", "End Sub"},
               0}),
    test::RowName(&IndentCase::Name));

TEST(IndentLine, ReadsAmountsAtEachUse) {
  IndentFixture f;
  std::vector<std::string> head = f.IndentAll({"Sub A()", "If x Then"});
  EXPECT_EQ(f.Formatter().Line().IndentLevel, 8);
  f.Settings().SetInt(SettingKey::IfThenElseIndent, 2);
  std::vector<std::string> tail = f.IndentAll({"Else", "End If"});
  EXPECT_EQ(tail[0], "      Else");
  EXPECT_EQ(tail[1], "      End If");
  EXPECT_EQ(f.Formatter().Line().IndentLevel, 6);
}

TEST(ApplyLevelRule, ChangesByKind) {
  struct RuleRow {
    TVBStatementKind Kind;
    std::int32_t After;  // starting from 100, with distinct amounts per construct
  };
  const RuleRow rows[] = {
      {skFunction, 7},     {skPrivateFunction, 7}, {skSub, 7},         {skPrivateSub, 7},
      {skStaticFunction, 7}, {skStaticSub, 7},     {skPublicFunction, 7}, {skPublicSub, 7},
      {skEndFunction, 0},  {skEndSub, 0},          {skIf, 101},        {skEndIf, 99},
      {skElse, 100},       {skElseIf, 100},        {skCase, 100},      {skSelectCase, 105},
      {skEndSelect, 95},   {skDo, 104},            {skLoop, 96},       {skWhile, 106},
      {skWend, 94},        {skFor, 108},           {skNext, 92},       {skType, 109},
      {skEndType, 91},     {skWith, 110},          {skEndWith, 90},    {skOther, 100},
  };
  IndentFixture f;
  TSettings& s = f.Settings();
  s.SetInt(SettingKey::DefaultLineIndent, 7);
  s.SetInt(SettingKey::IfThenElseIndent, 1);
  s.SetInt(SettingKey::SelectCaseIndent, 2);
  s.SetInt(SettingKey::CaseCodeIndent, 3);
  s.SetInt(SettingKey::DoLoopIndent, 4);
  s.SetInt(SettingKey::WhileWendIndent, 6);
  s.SetInt(SettingKey::ForNextIndent, 8);
  s.SetInt(SettingKey::TypeEndIndent, 9);
  s.SetInt(SettingKey::WithEndIndent, 10);
  for (const RuleRow& row : rows) {
    f.Formatter().Line().IndentLevel = 100;
    f.Formatter().ApplyLevelRule(row.Kind);
    EXPECT_EQ(f.Formatter().Line().IndentLevel, row.After) << "kind " << static_cast<int>(row.Kind);
  }
}

TEST(ApplyLevelRule, WrapsAt32Bits) {
  IndentFixture f;
  f.Formatter().Line().IndentLevel = std::numeric_limits<std::int32_t>::max() - 1;
  f.Formatter().ApplyLevelRule(skIf);
  EXPECT_EQ(f.Formatter().Line().IndentLevel, std::numeric_limits<std::int32_t>::min() + 2);
  std::string line = "x = 1";
  f.Formatter().IndentLine(line);
  EXPECT_EQ(line, "x = 1");
  f.Formatter().Line().IndentLevel = std::numeric_limits<std::int32_t>::min() + 1;
  line = "  Else";
  f.Formatter().IndentLine(line);  // level minus the amount is computed without overflow
  EXPECT_EQ(line, "Else");
}

}  // namespace
}  // namespace qm
