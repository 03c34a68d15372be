// SPDX-License-Identifier: MIT
#include "engine/statement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "row_name.h"

namespace qm {
namespace {

struct KindRow {
  const char* Line;
  TVBStatementKind Kind;
};

std::ostream& operator<<(std::ostream& os, const KindRow& row) {
  return os << '"' << row.Line << "\" -> " << static_cast<int>(row.Kind);
}

class ClassifyTest : public ::testing::TestWithParam<KindRow> {};

TEST_P(ClassifyTest, GivesKind) {
  EXPECT_EQ(static_cast<int>(ClassifyStatement(GetParam().Line)), static_cast<int>(GetParam().Kind))
      << GetParam().Line;
}

// One row per keyword (with something after it), then the edge cases.
INSTANTIATE_TEST_SUITE_P(Keywords, ClassifyTest, ::testing::Values(
    KindRow{"Property Get X()", skFunction},
    KindRow{"Function F() As Integer", skFunction},
    KindRow{"End Property x", skEndFunction},
    KindRow{"End Function", skEndFunction},
    KindRow{"Private Property Let X(v)", skPrivateFunction},
    KindRow{"Private Function F()", skPrivateFunction},
    KindRow{"Sub Main()", skSub},
    KindRow{"Private Sub Form_Load ()", skPrivateSub},
    KindRow{"End Sub", skEndSub},
    KindRow{"Static Property Get P()", skStaticFunction},
    KindRow{"Static Function F()", skStaticFunction},
    KindRow{"Static Sub S()", skStaticSub},
    KindRow{"Public Property Get Name()", skPublicFunction},
    KindRow{"Public Function F()", skPublicFunction},
    KindRow{"Public Sub S()", skPublicSub},
    KindRow{"If x Then", skIf},
    KindRow{"#If Win32 Then", skIf},
    KindRow{"Else", skElse},
    KindRow{"#Else", skElse},
    KindRow{"ElseIf x Then", skElseIf},
    KindRow{"#ElseIf x Then", skElseIf},
    KindRow{"End If", skEndIf},
    KindRow{"#End If", skEndIf},
    KindRow{"Select Case x", skSelectCase},
    KindRow{"Case 1", skCase},
    KindRow{"End Select", skEndSelect},
    KindRow{"Do", skDo},
    KindRow{"Loop Until x", skLoop},
    KindRow{"While x", skWhile},
    KindRow{"Wend", skWend},
    KindRow{"For i = 1 To 10", skFor},
    KindRow{"Next i", skNext},
    KindRow{"Type Rec", skType},
    KindRow{"Public Type Rec", skType},
    KindRow{"Private Type Rec", skType},
    KindRow{"End Type", skEndType},
    KindRow{"With obj", skWith},
    KindRow{"End With", skEndWith}),
    test::RowName(&KindRow::Line));

INSTANTIATE_TEST_SUITE_P(EdgeCases, ClassifyTest, ::testing::Values(
    KindRow{"End Sub ' done", skEndSub},
    KindRow{"End Sub'x", skOther},
    KindRow{"    End Sub", skEndSub},
    KindRow{"\t \x01" "End Sub", skEndSub},
    KindRow{"Sub", skOther},
    KindRow{"Subtotal = 1", skOther},
    KindRow{"DoEvents", skOther},
    KindRow{"Do While x", skDo},
    KindRow{"Do ", skDo},
    KindRow{"Next", skNext},
    KindRow{"Loop", skLoop},
    KindRow{"Case Else", skCase},
    KindRow{"Case", skOther},          // "Case " is tested against the line alone
    KindRow{"ElseIf", skOther},        // likewise "ElseIf "
    KindRow{"Type As Integer", skOther},
    KindRow{"type as String", skOther},
    KindRow{"TYPE AS Long", skOther},
    KindRow{"Type  As Integer", skType},
    KindRow{"Type Assoc", skType},
    KindRow{"Private Const X = 1", skOther},
    KindRow{"Global Y As Integer", skOther},
    KindRow{"Declare Function F Lib \"k\" ()", skOther},
    KindRow{"Private Declare Sub S Lib \"k\" ()", skOther},
    KindRow{"end if", skOther},
    KindRow{"End if", skOther},
    KindRow{"End", skOther},
    KindRow{"End Iff", skOther},
    KindRow{"Else:", skOther},
    KindRow{"If x Then y = 1", skIf},
    KindRow{"Label1:", skOther},
    KindRow{"10 If x Then", skOther},
    KindRow{"x = 1: If y Then", skOther},
    KindRow{"' If x Then", skOther},
    KindRow{"", skOther},
    KindRow{"   ", skOther},
    KindRow{"\xC4nd If", skOther}),
    test::RowName(&KindRow::Line));

// Visual Basic 5 and 6: Friend and scoped Static procedures, Enum blocks. A VB3/VB4 variable named
// Enum or Friend stays a statement.
INSTANTIATE_TEST_SUITE_P(VB6, ClassifyTest, ::testing::Values(
    KindRow{"Friend Sub Init()", skFriendSub},
    KindRow{"Friend Function Count() As Long", skFriendFunction},
    KindRow{"Friend Property Get Item()", skFriendFunction},
    KindRow{"Friend Static Sub S()", skFriendSub},
    KindRow{"Friend Static Function F()", skFriendFunction},
    KindRow{"Private Static Sub Tick()", skPrivateSub},
    KindRow{"Private Static Function F()", skPrivateFunction},
    KindRow{"Private Static Property Get P()", skPrivateFunction},
    KindRow{"Public Static Sub S()", skPublicSub},
    KindRow{"Public Static Function F()", skPublicFunction},
    KindRow{"Enum Colors", skEnum},
    KindRow{"Public Enum Colors", skEnum},
    KindRow{"Private Enum Colors", skEnum},
    KindRow{"End Enum", skEndEnum},
    KindRow{"Enum = 1", skOther},
    KindRow{"Enum", skOther},
    KindRow{"Friend = True", skOther},
    KindRow{"friend Sub S()", skOther}),
    test::RowName(&KindRow::Line));

// The classifier as the ordered list of tests reads, without any shortcut: every keyword in turn,
// a later match replacing an earlier one, the field test in its place.
TVBStatementKind ReferenceClassify(const std::string& line) {
  struct Test {
    std::string Text;
    TVBStatementKind Kind;
    bool PlusBlank;
  };
  static const std::vector<Test> kBefore = {
      {"Property ", skFunction, false},         {"Private Property ", skPrivateFunction, false},
      {"Static Property ", skStaticFunction, false}, {"Public Property ", skPublicFunction, false},
      {"End Property ", skEndFunction, true},   {"Function ", skFunction, false},
      {"Private Function ", skPrivateFunction, false}, {"Static Function ", skStaticFunction, false},
      {"Public Function ", skPublicFunction, false}, {"End Function ", skEndFunction, true},
      {"Sub ", skSub, false},                   {"Private Sub ", skPrivateSub, false},
      {"Static Sub ", skStaticSub, false},      {"Public Sub ", skPublicSub, false},
      {"End Sub ", skEndSub, true},             {"With ", skWith, false},
      {"End With ", skEndWith, true},           {"Type ", skType, false},
      {"Public Type ", skType, false},          {"Private Type ", skType, false},
  };
  static const std::vector<Test> kAfter = {
      {"End Type ", skEndType, true}, {"If ", skIf, false},         {"Else ", skElse, true},
      {"ElseIf ", skElseIf, false},   {"End If ", skEndIf, true},   {"#If ", skIf, false},
      {"#Else ", skElse, true},       {"#ElseIf ", skElseIf, false}, {"#End If ", skEndIf, true},
      {"Select Case ", skSelectCase, false}, {"Case ", skCase, false}, {"End Select ", skEndSelect, true},
      {"Do ", skDo, true},            {"Loop ", skLoop, true},      {"While ", skWhile, false},
      {"Wend ", skWend, true},        {"For ", skFor, false},       {"Next ", skNext, true},
  };
  // The Visual Basic 5 and 6 keywords, tested last; a bare "Enum " needs a name after it.
  static const std::vector<Test> kVB6 = {
      {"Private Static Property ", skPrivateFunction, false}, {"Private Static Function ", skPrivateFunction, false},
      {"Private Static Sub ", skPrivateSub, false},  {"Public Static Property ", skPublicFunction, false},
      {"Public Static Function ", skPublicFunction, false}, {"Public Static Sub ", skPublicSub, false},
      {"Friend Property ", skFriendFunction, false}, {"Friend Function ", skFriendFunction, false},
      {"Friend Sub ", skFriendSub, false},           {"Friend Static Property ", skFriendFunction, false},
      {"Friend Static Function ", skFriendFunction, false}, {"Friend Static Sub ", skFriendSub, false},
      {"Public Enum ", skEnum, false},               {"Private Enum ", skEnum, false},
      {"End Enum ", skEndEnum, true},
  };
  std::size_t i = 0;
  while (i < line.size() && static_cast<unsigned char>(line[i]) <= 32) ++i;
  const std::string s = line.substr(i);
  TVBStatementKind kind = skOther;
  const auto run = [&](const std::vector<Test>& tests) {
    for (const Test& t : tests) {
      const std::string subject = t.PlusBlank ? s + " " : s;
      if (subject.compare(0, t.Text.size(), t.Text) == 0 && subject.size() >= t.Text.size()) kind = t.Kind;
    }
  };
  run(kBefore);
  std::string upper = s;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.rfind("TYPE AS ", 0) == 0) kind = skOther;
  run(kAfter);
  run(kVB6);
  if (s.rfind("Enum ", 0) == 0) {
    const std::size_t name = s.find_first_not_of(' ', 5);
    if (name != std::string::npos && std::isalpha(static_cast<unsigned char>(s[name]))) kind = skEnum;
  }
  return kind;
}

// Every keyword, cut short, run on, followed by a blank, a tab or text, in its own and in other
// letter cases and behind leading white space: the fast classifier must agree with the plain
// ordered tests on all of them.
TEST(ClassifyStatement, AgreesWithTheOrderedTests) {
  const std::vector<std::string> words = {
      "Property", "Private Property", "Static Property", "Public Property", "End Property",
      "Function", "Private Function", "Static Function", "Public Function", "End Function",
      "Sub", "Private Sub", "Static Sub", "Public Sub", "End Sub", "With", "End With", "Type",
      "Public Type", "Private Type", "Type As", "End Type", "If", "Else", "ElseIf", "End If", "#If",
      "#Else", "#ElseIf", "#End If", "Select Case", "Case", "End Select", "Do", "Loop", "While",
      "Wend", "For", "Next", "Private", "Public", "Static", "End", "DoEvents", "type as",
      "Private Static Property", "Private Static Function", "Private Static Sub", "Public Static Property",
      "Public Static Function", "Public Static Sub", "Friend Property", "Friend Function", "Friend Sub",
      "Friend Static Property", "Friend Static Function", "Friend Static Sub", "Friend", "Enum",
      "Public Enum", "Private Enum", "End Enum"};
  const std::vector<std::string> tails = {"", " ", "  ", " x", "x", "\t", ":", " As Integer", "'"};
  const std::vector<std::string> heads = {"", "  ", "\t", "\x1f"};
  int checked = 0;
  for (const std::string& word : words) {
    std::vector<std::string> forms = {word};
    std::string lower = word, upper = word;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    forms.push_back(lower);
    forms.push_back(upper);
    for (std::size_t cut = 1; cut < word.size(); ++cut) forms.push_back(word.substr(0, cut));
    for (const std::string& form : forms) {
      for (const std::string& head : heads) {
        for (const std::string& tail : tails) {
          const std::string line = head + form + tail;
          ASSERT_EQ(static_cast<int>(ClassifyStatement(line)), static_cast<int>(ReferenceClassify(line)))
              << '"' << line << '"';
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 10000);
}

TEST(StatementGroups, HoldTheirKinds) {
  const std::vector<TVBStatementKind> subs = {skSub, skPrivateSub, skStaticSub, skPublicSub, skFriendSub};
  const std::vector<TVBStatementKind> functions = {skFunction, skPrivateFunction, skStaticFunction,
                                                   skPublicFunction, skFriendFunction};
  for (int ordinal = 0; ordinal <= skEndEnum; ++ordinal) {
    const auto kind = static_cast<TVBStatementKind>(ordinal);
    const bool isSub = std::find(subs.begin(), subs.end(), kind) != subs.end();
    const bool isFunction = std::find(functions.begin(), functions.end(), kind) != functions.end();
    EXPECT_EQ(IsSubStart(kind), isSub) << ordinal;
    EXPECT_EQ(IsFunctionStart(kind), isFunction) << ordinal;
    EXPECT_EQ(IsProcedureStart(kind), isSub || isFunction) << ordinal;
    EXPECT_EQ(IsProcedureEnd(kind), kind == skEndSub || kind == skEndFunction) << ordinal;
  }
}

}  // namespace
}  // namespace qm
