// SPDX-License-Identifier: MIT
#include "engine/linefuncs.h"

#include <gtest/gtest.h>

#include <string>

#include "row_name.h"

namespace qm {
namespace {

// A line and what one function gives for it.
template <typename T>
struct Row {
  std::string Line;
  T Expected;
};

template <typename T>
std::ostream& operator<<(std::ostream& os, const Row<T>& row) {
  return os << '"' << row.Line << '"';
}

using IntRow = Row<int>;
using BoolRow = Row<bool>;
using TextRow = Row<std::string>;

class CommentPosTest : public ::testing::TestWithParam<IntRow> {};
TEST_P(CommentPosTest, FindsFirstApostropheOutsideLiterals) {
  EXPECT_EQ(CommentPos(GetParam().Line), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, CommentPosTest, ::testing::Values(
    IntRow{"x = \"it's\" ' note", 12},
    IntRow{"x = \"a'b\"", 0},
    IntRow{"' whole line", 1},
    IntRow{"    ' indented", 5},
    IntRow{"x = 1 'a 'b", 7},
    IntRow{"x = \"a\"\"b\" ' c", 12},            // a doubled quote inside a literal
    IntRow{"x = \"unclosed ' not a comment", 0},
    IntRow{"Rem not recognised", 0},
    IntRow{"", 0}),
    test::RowName(&IntRow::Line));

class StripCommentTest : public ::testing::TestWithParam<TextRow> {};
TEST_P(StripCommentTest, KeepsCodeWithoutTrailingBlanks) {
  std::string line = GetParam().Line;
  StripComment(line);
  EXPECT_EQ(line, GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, StripCommentTest, ::testing::Values(
    TextRow{"x = 1   ' note", "x = 1"},
    TextRow{"x = \"it's\" ' c", "x = \"it's\""},
    TextRow{"x = \"a'b\"   ", "x = \"a'b\"   "},   // no comment: unchanged, blanks too
    TextRow{"   ' only a comment", ""},
    TextRow{"x = 1\t' c", "x = 1\t"},             // only blanks are removed
    TextRow{"y = \xE9t\xE9 ' \xFC", "y = \xE9t\xE9"}),
    test::RowName(&TextRow::Line));

class CommentTextTest : public ::testing::TestWithParam<TextRow> {};
TEST_P(CommentTextTest, GivesTextAfterApostrophe) {
  EXPECT_EQ(CommentText(GetParam().Line), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, CommentTextTest, ::testing::Values(
    TextRow{"x = 1 ' note ", " note "},
    TextRow{"x = 1", ""},
    TextRow{"'", ""},
    TextRow{"x = \"'\" 'a'b", "a'b"}),
    test::RowName(&TextRow::Line));

class IsCommentLineTest : public ::testing::TestWithParam<BoolRow> {};
TEST_P(IsCommentLineTest, Decides) { EXPECT_EQ(IsCommentLine(GetParam().Line), GetParam().Expected); }
INSTANTIATE_TEST_SUITE_P(Rows, IsCommentLineTest, ::testing::Values(
    BoolRow{"' c", true},
    BoolRow{"    ' c", true},
    BoolRow{"\t' c", true},
    BoolRow{"", false},
    BoolRow{"    ", false},
    BoolRow{"x = 1 ' c", false},
    BoolRow{"\"'\"", false},
    BoolRow{"Rem c", false}),
    test::RowName([](const BoolRow& r) {
      const std::size_t code = r.Line.find_first_not_of(" \t");
      if (code == std::string::npos) return r.Line;
      const std::string lead = code == 0 ? "" : r.Line[0] == '\t' ? "Tab " : "Spaces ";
      return lead + (r.Line[code] == '\'' ? "Apostrophe " : "") + r.Line;
    }));

class RemoveQuotedTextTest : public ::testing::TestWithParam<TextRow> {};
TEST_P(RemoveQuotedTextTest, LeavesWhatStandsOutside) {
  std::string line = GetParam().Line;
  RemoveQuotedText(line);
  EXPECT_EQ(line, GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, RemoveQuotedTextTest, ::testing::Values(
    TextRow{"x = \"abc\" & y", "x =  & y"},
    TextRow{"\"a\"", ""},
    TextRow{"\"a\"\"b\"", ""},
    TextRow{"a\"\"b", "ab"},
    TextRow{"x = \"unclosed", "x = "},
    TextRow{"no quotes \xE4", "no quotes \xE4"},
    TextRow{"f(\"a\", \"b\") ' \"c\"", "f(, ) ' "}),
    test::RowName(&TextRow::Line));

struct PosRow {
  std::string Line;
  char Ch;
  char Quote;
  int Expected;
};
std::ostream& operator<<(std::ostream& os, const PosRow& row) { return os << '"' << row.Line << '"'; }
class PosOutsideQuotesTest : public ::testing::TestWithParam<PosRow> {};
TEST_P(PosOutsideQuotesTest, Finds) {
  EXPECT_EQ(PosOutsideQuotes(GetParam().Line, GetParam().Ch, GetParam().Quote), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, PosOutsideQuotesTest, ::testing::Values(
    PosRow{"a, \"b,c\", d", ',', '"', 2},
    PosRow{"\"b,c\", d", ',', '"', 6},
    PosRow{"\"x,y\"", ',', '"', 0},
    PosRow{"Dim a, b", ',', '"', 6},
    PosRow{"'a,b',c", ',', '\'', 6},
    PosRow{"", ',', '"', 0}),
    test::RowName(&PosRow::Line));

struct InsideRow {
  int Position;
  std::string Line;
  bool Expected;
};
std::ostream& operator<<(std::ostream& os, const InsideRow& row) {
  return os << row.Position << " in \"" << row.Line << '"';
}
class IsInsideQuotesTest : public ::testing::TestWithParam<InsideRow> {};
TEST_P(IsInsideQuotesTest, CountsQuotesBefore) {
  EXPECT_EQ(IsInsideQuotes(GetParam().Position, GetParam().Line), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, IsInsideQuotesTest, ::testing::Values(
    InsideRow{0, "\"a\"", false},
    InsideRow{-3, "\"a\"", false},
    InsideRow{4, "\"a\"", false},      // beyond the end
    InsideRow{1, "\"a\"", false},
    InsideRow{2, "\"a\"", true},
    InsideRow{7, "x = \"a:b\" : y", true},
    InsideRow{11, "x = \"a:b\" : y", false},
    InsideRow{1, "", false}),
    test::RowName([](const InsideRow& r) {
      const std::string at = r.Position < 0 ? "minus" + std::to_string(-r.Position) : std::to_string(r.Position);
      return "At " + at + " " + r.Line;
    }));

class HasStringLiteralTest : public ::testing::TestWithParam<BoolRow> {};
TEST_P(HasStringLiteralTest, LooksBeforeTheComment) {
  EXPECT_EQ(HasStringLiteral(GetParam().Line), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, HasStringLiteralTest, ::testing::Values(
    BoolRow{"x = \"a\"", true},
    BoolRow{"x = \"it's\" ' c", true},
    BoolRow{"x = 1 ' \"quoted\"", false},
    BoolRow{"' \"x\"", false},
    BoolRow{"x = 1", false},
    BoolRow{"\"", true}),
    test::RowName(&BoolRow::Line));

class IsSingleLineIfTest : public ::testing::TestWithParam<BoolRow> {};
TEST_P(IsSingleLineIfTest, Decides) { EXPECT_EQ(IsSingleLineIf(GetParam().Line), GetParam().Expected); }
INSTANTIATE_TEST_SUITE_P(Rows, IsSingleLineIfTest, ::testing::Values(
    BoolRow{"If a Then b = 1", true},
    BoolRow{"If a Then", false},
    BoolRow{"If a Then ' comment", false},
    BoolRow{"If a Then b = 1 ' comment", true},
    BoolRow{"If s = \"Then\" Then", false},
    BoolRow{"If \"Then\" = s Then", false},
    BoolRow{"If Authentic Then", true},       // THEN inside the word comes first
    BoolRow{"    If a Then b", true},
    BoolRow{"\tIf a Then b", true},
    BoolRow{"if a then b = 1", true},
    BoolRow{"If a Then x", true},             // two characters after THEN
    BoolRow{"If a ThenX", false},             // one
    BoolRow{"If a Then   ", false},
    BoolRow{"If a Then:", false},
    BoolRow{"If a Then MsgBox \"Hi\"", true},
    BoolRow{"Iffy = 1", false},
    BoolRow{"x = 1: If a Then b", false},
    BoolRow{"ElseIf a Then b", false},
    BoolRow{"#If Win32 Then", false},
    BoolRow{"' If a Then b", false},
    BoolRow{"", false}),
    test::RowName(&BoolRow::Line));

TEST(LeadingBlanks, CountsOnlyBlanks) {
  EXPECT_EQ(LeadingBlanks(""), 0);
  EXPECT_EQ(LeadingBlanks("   x"), 3);
  EXPECT_EQ(LeadingBlanks("    "), 4);
  EXPECT_EQ(LeadingBlanks("\t x"), 0);
}

TEST(Spaces, NothingForZeroOrLess) {
  EXPECT_EQ(Spaces(-5), "");
  EXPECT_EQ(Spaces(0), "");
  EXPECT_EQ(Spaces(3), "   ");
}

struct RepeatRow {
  std::string Pattern;
  int Count;
  std::string Expected;
};
std::ostream& operator<<(std::ostream& os, const RepeatRow& row) {
  return os << '"' << row.Pattern << "\" x " << row.Count;
}
class RepeatToLengthTest : public ::testing::TestWithParam<RepeatRow> {};
TEST_P(RepeatToLengthTest, CutsToLength) {
  EXPECT_EQ(RepeatToLength(GetParam().Pattern, GetParam().Count), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, RepeatToLengthTest, ::testing::Values(
    RepeatRow{"*", 5, "*****"},
    RepeatRow{"-=", 5, "-=-=-"},
    RepeatRow{"abc", 2, "ab"},
    RepeatRow{"", 3, "***"},
    RepeatRow{"*", 0, ""},
    RepeatRow{"*", -1, ""},
    RepeatRow{"ab", 7, "abababa"},
    RepeatRow{"=", 5000, std::string(1000, '=')}),
    test::RowName([](const RepeatRow& r) {
      const std::string pattern = r.Pattern.empty() ? "Nothing" : r.Pattern == "*" ? "Star"
                                : r.Pattern == "=" ? "Equals" : r.Pattern == "-=" ? "DashEquals" : r.Pattern;
      return pattern + " to " + (r.Count < 0 ? "minus" + std::to_string(-r.Count) : std::to_string(r.Count));
    }));

struct TabRow {
  int Width;
  std::string Line;
  std::string Expected;
};
std::ostream& operator<<(std::ostream& os, const TabRow& row) {
  return os << row.Width << ": \"" << row.Line << '"';
}
class ExpandTabsTest : public ::testing::TestWithParam<TabRow> {};
TEST_P(ExpandTabsTest, Expands) {
  EXPECT_EQ(ExpandTabs(GetParam().Line, GetParam().Width), GetParam().Expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, ExpandTabsTest, ::testing::Values(
    TabRow{4, "ab\tc", "ab    c"},                 // not to the next tab stop
    TabRow{4, "\t\tx", "        x"},
    TabRow{2, "\tx\ty", "  x  y"},
    TabRow{4, "no tabs", "no tabs"},
    // A tab inside a literal is the string's own data and stays.
    TabRow{4, "x = \"a\tb\"", "x = \"a\tb\""},
    TabRow{4, "\tx = \"a\tb\"\t' c\td", "    x = \"a\tb\"    ' c    d"},
    TabRow{4, "s = \"a\"\"\t\"\"b\"", "s = \"a\"\"\t\"\"b\""},
    TabRow{4, "x = \"it's\"\ty", "x = \"it's\"    y"},
    // In a comment quotes delimit nothing.
    TabRow{4, "' \"a\tb\"", "' \"a    b\""},
    // A quote never closed opens no literal.
    TabRow{4, "x = \"open\tend", "x = \"open    end"},
    TabRow{4, "\xE4\t\xFC", "\xE4    \xFC"},
    // A tab never disappears, so the words it separates stay apart.
    TabRow{0, "Dim\tx", "Dim x"},
    TabRow{-3, "Dim\tx", "Dim x"}),
    test::RowName([](const TabRow& r) {
      return std::string(r.Width == 4 ? "" : "Width" + std::to_string(r.Width) + " ") + r.Line;
    }));

TEST(Trim, BlanksOrControls) {
  EXPECT_EQ(TrimLeft("  \tx  "), "\tx  ");
  EXPECT_EQ(TrimRight("  x \t "), "  x \t");
  EXPECT_EQ(Trim("  x  "), "x");
  EXPECT_EQ(TrimLeftControls(" \t\x01x "), "x ");
  EXPECT_EQ(TrimControls(" \tx\r\n"), "x");
  EXPECT_EQ(TrimControls("\xA0x\xA0"), "\xA0x\xA0");  // bytes above 127 are text
  EXPECT_EQ(Trim("   "), "");
}

}  // namespace
}  // namespace qm
