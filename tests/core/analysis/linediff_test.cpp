// SPDX-License-Identifier: MIT
#include "analysis/linediff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "linediff_literal.h"
#include "messages.h"

namespace qm {
namespace {

// A row as "<kind><left text>|<right text>", kind one of = ~ - +.
std::vector<std::string> RowsText(const std::vector<TDiffRow>& rows, const TLines& left, const TLines& right) {
  std::vector<std::string> out;
  for (const TDiffRow& row : rows) {
    static const char kSymbols[] = {'=', '~', '-', '+'};
    std::string text(1, kSymbols[static_cast<int>(row.Kind)]);
    text += LeftCell(row, left).Text;
    text += '|';
    text += RightCell(row, right).Text;
    out.push_back(text);
  }
  return out;
}

// Every line of each side is shown exactly once, in order; fillers only where the kind says so;
// equal rows show equal lines.
void ExpectRowsCoverBothSides(const std::vector<TDiffRow>& rows, const TLines& left, const TLines& right) {
  int nextLeft = 0, nextRight = 0;
  for (const TDiffRow& row : rows) {
    const bool hasLeft = row.Kind != TDiffRowKind::Inserted;
    const bool hasRight = row.Kind != TDiffRowKind::Deleted;
    ASSERT_EQ(row.Left, hasLeft ? nextLeft : -1);
    ASSERT_EQ(row.Right, hasRight ? nextRight : -1);
    if (hasLeft) ++nextLeft;
    if (hasRight) ++nextRight;
    if (row.Kind == TDiffRowKind::Equal) {
      ASSERT_EQ(left[row.Left], right[row.Right]);
    }
  }
  EXPECT_EQ(nextLeft, static_cast<int>(left.size()));
  EXPECT_EQ(nextRight, static_cast<int>(right.size()));
}

struct WorkedExample {
  const char* Name;
  TLines Left;
  TLines Right;
  bool IgnoreBlankLines;
  std::vector<std::string> Rows;
};

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, RowsMatch) {
  const WorkedExample& c = GetParam();
  TDiffResult result = CompareLines(c.Left, c.Right, c.IgnoreBlankLines);
  EXPECT_TRUE(result.Ok());
  EXPECT_EQ(RowsText(result.Rows, c.Left, c.Right), c.Rows);
  test::TLiteralDiff literal(c.Left, c.Right, c.IgnoreBlankLines);
  EXPECT_EQ(RowsText(literal.Rows(), c.Left, c.Right), c.Rows) << "the literal algorithm disagrees";
}

INSTANTIATE_TEST_SUITE_P(
    LineDiff, WorkedExamples,
    testing::Values(
        WorkedExample{"Identical", {"A", "B", "C"}, {"A", "B", "C"}, false, {"=A|A", "=B|B", "=C|C"}},
        WorkedExample{"BothEmpty", {}, {}, false, {}},
        WorkedExample{"EmptyLeft", {}, {"A", "B", "C"}, false, {"+|A", "+|B", "+|C"}},
        WorkedExample{"EmptyRight", {"A", "B", "C"}, {}, false, {"-A|", "-B|", "-C|"}},
        WorkedExample{"OneChangedLine", {"A", "X", "C"}, {"A", "Y", "C"}, false, {"=A|A", "~X|Y", "=C|C"}},
        WorkedExample{"Swapped", {"A", "B"}, {"B", "A"}, false, {"+|B", "=A|A", "-B|"}},
        WorkedExample{"LongestBlockFirst",
                      {"A", "B", "B", "A", "B"},
                      {"A", "B", "A", "B", "A", "A"},
                      false,
                      {"=A|A", "-B|", "=B|B", "=A|A", "=B|B", "+|A", "+|A"}},
        WorkedExample{"BlockAfterInsertion",
                      {"P", "A", "B", "C", "D", "E"},
                      {"A", "B", "Q", "B", "C", "D", "E"},
                      false,
                      {"-P|", "=A|A", "+|B", "+|Q", "=B|B", "=C|C", "=D|D", "=E|E"}},
        // A left line facing a right line that is paired further down is deleted, not changed.
        WorkedExample{"DeletedBeforePairedRight", {"X", "A"}, {"A"}, false, {"-X|", "=A|A"}},
        WorkedExample{"CaseCounts", {"Dim a", "End Sub"}, {"dim a", "End Sub"}, false, {"~Dim a|dim a", "=End Sub|End Sub"}},
        WorkedExample{"TrailingBlankCounts", {"x = 1", "y"}, {"x = 1 ", "y"}, false, {"~x = 1|x = 1 ", "=y|y"}},
        WorkedExample{"LeadingBlanksCount", {"  If a Then"}, {"    If a Then"}, false, {"~  If a Then|    If a Then"}},
        WorkedExample{"BytesAbove127", {"' caf\xE9", "\x80"}, {"' caf\xE9", "\x81"}, false, {"=' caf\xE9|' caf\xE9", "~\x80|\x81"}},
        WorkedExample{"BlankLinesPairedWhenNotIgnored", {"", "A"}, {"", "A"}, false, {"=|", "=A|A"}},
        // With blank lines ignored a run cannot start at the empty line, so it stays unpaired.
        WorkedExample{"BlankLineCannotStartRun", {"", "A"}, {"", "A"}, true, {"~|", "=A|A"}},
        WorkedExample{"RunPassesThroughBlankLine", {"A", "", "B"}, {"A", "", "B"}, true, {"=A|A", "=|", "=B|B"}},
        WorkedExample{"OnlyBlankLinesIgnored", {"", ""}, {"", "", ""}, true, {"~|", "~|", "+|"}},
        WorkedExample{"IgnoredBlankInsideRun", {"X", "A", "", "B"}, {"A", "", "B", "X"}, true,
                      {"-X|", "=A|A", "=|", "=B|B", "+|X"}}),
    [](const testing::TestParamInfo<WorkedExample>& info) { return std::string(info.param.Name); });

TEST(LineDiff, PairingOfWorkedExample) {
  // A, B, B, A, B against A, B, A, B, A, A: the block B, A, B at left 2 and right 1, A with A before.
  TLines left{"A", "B", "B", "A", "B"};
  TLines right{"A", "B", "A", "B", "A", "A"};
  TDiffPairing pairing = MatchLines(left, right, false);
  EXPECT_EQ(pairing.LeftPartner, (std::vector<int>{0, -1, 1, 2, 3}));
  EXPECT_EQ(pairing.RightPartner, (std::vector<int>{0, 2, 3, 4, -1, -1}));
}

struct KindColours {
  TDiffRowKind Kind;
  TColorObject Left;
  TColorObject Right;
};

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

TEST(LineDiff, ColoursOfEachRowKind) {
  const TColor yellow = Rgb(255, 255, 0), blue = Rgb(0, 0, 255), silver = Rgb(192, 192, 192);
  const KindColours table[] = {
      {TDiffRowKind::Equal, {clBlack, clWindow}, {clBlack, clWindow}},
      {TDiffRowKind::Changed, {clBlack, yellow}, {clBlack, yellow}},
      {TDiffRowKind::Deleted, {blue, yellow}, {clBlack, silver}},
      {TDiffRowKind::Inserted, {clBlack, silver}, {blue, yellow}},
  };
  for (const KindColours& row : table) {
    SCOPED_TRACE(static_cast<int>(row.Kind));
    EXPECT_EQ(DiffLeftColors(row.Kind), row.Left);
    EXPECT_EQ(DiffRightColors(row.Kind), row.Right);
  }
}

TEST(LineDiff, CellsShowLinesAndEmptyFillers) {
  TLines left{"Sub A()", "x = 1"};
  TLines right{"Sub A()"};
  TDiffResult result = CompareLines(left, right, false);
  ASSERT_EQ(result.Rows.size(), 2u);
  TDiffCell deletedLeft = LeftCell(result.Rows[1], left);
  TDiffCell filler = RightCell(result.Rows[1], right);
  EXPECT_EQ(deletedLeft.Text, "x = 1");
  EXPECT_EQ(deletedLeft.Colors, DiffLeftColors(TDiffRowKind::Deleted));
  EXPECT_EQ(filler.Text, "");
  EXPECT_EQ(filler.Colors, DiffRightColors(TDiffRowKind::Deleted));
}

TEST(LineDiff, CrossingPairingIsReportedAndEveryLineStillShown) {
  // Left 0 with right 1 and left 1 with right 0: when left 1 comes up its partner is behind.
  TDiffPairing crossing{{1, 0}, {1, 0, -1}};
  TDiffResult result = DisplayOptimalDiff(crossing);
  EXPECT_EQ(result.Error, msg::DiffInternalError);
  EXPECT_EQ(result.Error, "DisplayOptimalDiff: Internal Error");
  EXPECT_EQ(result.Rows, (std::vector<TDiffRow>{{TDiffRowKind::Inserted, -1, 0},
                                                {TDiffRowKind::Equal, 0, 1},
                                                {TDiffRowKind::Deleted, 1, -1},
                                                {TDiffRowKind::Inserted, -1, 2}}));
}

TEST(LineDiff, MalformedPairingStillEnds) {
  // Partners beyond the other side, or one-sided: the walk must still end with every line shown.
  const TDiffPairing cases[] = {
      {{7, -1}, {-1, -1}},
      {{-1, 0}, {1}},
      {{0, 0, 0}, {0}},
      {{2, 1, 0}, {2, 1, 0}},
  };
  for (const TDiffPairing& p : cases) {
    TDiffResult result = DisplayOptimalDiff(p);
    TLines left(p.LeftPartner.size(), "x"), right(p.RightPartner.size(), "x");
    ExpectRowsCoverBothSides(result.Rows, left, right);
  }
}

// Random pairs of line lists from small alphabets, empty lines included, so that equal lines,
// ties between blocks and blank lines are common.
struct RandomSetup {
  const char* Name;
  std::vector<std::string> Alphabet;
  int MaxLines;
  int Pairs;
};

class AgainstLiteral : public testing::TestWithParam<RandomSetup> {};

TLines RandomLines(std::mt19937& rng, const std::vector<std::string>& alphabet, int maxLines) {
  TLines lines(std::uniform_int_distribution<int>(0, maxLines)(rng));
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (std::string& line : lines) line = alphabet[pick(rng)];
  return lines;
}

// A copy of the lines with some deleted, inserted and changed, as a restyled file differs.
TLines Edited(std::mt19937& rng, const TLines& lines, const std::vector<std::string>& alphabet) {
  TLines out;
  std::uniform_int_distribution<int> action(0, 9);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (const std::string& line : lines) {
    switch (action(rng)) {
      case 0: break;
      case 1: out.push_back(alphabet[pick(rng)]); out.push_back(line); break;
      case 2: out.push_back(alphabet[pick(rng)]); break;
      default: out.push_back(line);
    }
  }
  return out;
}

TEST_P(AgainstLiteral, SamePairingAndRows) {
  const RandomSetup& setup = GetParam();
  std::mt19937 rng(20240611);
  for (int n = 0; n < setup.Pairs; ++n) {
    TLines left = RandomLines(rng, setup.Alphabet, setup.MaxLines);
    TLines right = (n % 2) ? Edited(rng, left, setup.Alphabet) : RandomLines(rng, setup.Alphabet, setup.MaxLines);
    for (bool ignore : {false, true}) {
      test::TLiteralDiff literal(left, right, ignore);
      TDiffResult fast = CompareLines(left, right, ignore);
      ASSERT_EQ(MatchLines(left, right, ignore), literal.Pairing())
          << "pair " << n << (ignore ? " ignoring blank lines" : "");
      bool crossed = true;
      ASSERT_EQ(fast.Rows, literal.Rows(&crossed)) << "pair " << n;
      ASSERT_FALSE(crossed);
      ASSERT_TRUE(fast.Ok());
      ExpectRowsCoverBothSides(fast.Rows, left, right);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    LineDiff, AgainstLiteral,
    testing::Values(RandomSetup{"TwoLetters", {"A", "B"}, 12, 3000},
                    RandomSetup{"TwoLettersAndBlank", {"", "A", "B"}, 20, 3000},
                    RandomSetup{"MostlyBlank", {"", "", "", "A"}, 25, 2000},
                    RandomSetup{"FiveLines", {"", "A", "B", "C", "D"}, 30, 2000},
                    RandomSetup{"LikeCode", {"", "End If", "  End If", "x = 1", "x = 1 ", "Next", "End Sub"}, 120, 300}),
    [](const testing::TestParamInfo<RandomSetup>& info) { return std::string(info.param.Name); });

TEST(LineDiff, LongChainOfShortBlocksNeedsNoDeepRecursion) {
  // Every other line equal: 10,000 blocks of one line, each found after the one before it.
  TLines left, right;
  for (int n = 0; n < 10000; ++n) {
    left.insert(left.end(), {"", "    x = " + std::to_string(n)});
    right.insert(right.end(), {"", "        x = " + std::to_string(n)});
  }
  TDiffResult result = CompareLines(left, right, false);
  ASSERT_TRUE(result.Ok());
  ASSERT_EQ(result.Rows.size(), left.size());
  for (std::size_t n = 0; n < result.Rows.size(); ++n) {
    ASSERT_EQ(result.Rows[n].Kind, n % 2 ? TDiffRowKind::Changed : TDiffRowKind::Equal) << n;
  }
}

TEST(LineDiff, LargeIdenticalFilesPairLineByLine) {
  TLines lines;
  for (int n = 0; n < 20000; ++n) lines.push_back(n % 7 ? "Line " + std::to_string(n % 50) : "");
  TDiffPairing pairing = MatchLines(lines, lines, false);
  for (int n = 0; n < 20000; ++n) ASSERT_EQ(pairing.LeftPartner[n], n);
}

}  // namespace
}  // namespace qm
