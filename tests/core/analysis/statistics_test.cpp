// SPDX-License-Identifier: MIT
#include "analysis/statistics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "messages.h"
#include "project/sourcemgt.h"
#include "temp_dir.h"

namespace qm {
namespace {

TLines Repeat(int count, const std::string& line) { return TLines(static_cast<std::size_t>(count), line); }

TLines Join(std::initializer_list<TLines> parts) {
  TLines all;
  for (const TLines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

enum class TCounter { Routines, Globals, Comments, Whitespace };

struct CountCase {
  const char* Name;
  TCounter Counter;
  TLines Lines;
  int Expected;
};

class Counting : public testing::TestWithParam<CountCase> {};

TEST_P(Counting, GivesTheFigure) {
  const CountCase& c = GetParam();
  int figure = -1;
  switch (c.Counter) {
    case TCounter::Routines: figure = CountRoutines(c.Lines); break;
    case TCounter::Globals: figure = CountGlobals(c.Lines); break;
    case TCounter::Comments: figure = PercentComments(c.Lines); break;
    case TCounter::Whitespace: figure = PercentWhitespace(c.Lines); break;
  }
  EXPECT_EQ(figure, c.Expected);
}

// 10 code lines of which 3 carry a trailing comment, 2 comment lines and 5 blank lines.
const TLines kMixed = Join({Repeat(7, "x = 1"), Repeat(3, "y = 2 ' note"), Repeat(2, "' remark"), Repeat(5, " \t")});

INSTANTIATE_TEST_SUITE_P(
    Statistics, Counting,
    testing::Values(
        CountCase{"IndentedPrivateSubWithComment", TCounter::Routines, {"\t  Private Sub Go() ' start"}, 1},
        CountCase{"EveryPrefix", TCounter::Routines,
                  {"Function F()", "Private Function F()", "Static Function F()", "Public Function F()", "Sub S()",
                   "Private Sub S()", "Static Sub S()", "Public Sub S()"},
                  8},
        CountCase{"LowerCasePropertyDeclareAndBareSubNotCounted", TCounter::Routines,
                  {"private sub Go()", "Public Property Get Value()", "Declare Sub Beep Lib \"k\" ()", "Sub",
                   "End Sub", "' Sub Commented()", "Friend Sub F()"},
                  0},
        CountCase{"GlobalWithTwoCommas", TCounter::Globals, {"Global A As Integer, B As Long, C"}, 3},
        CountCase{"LowerCaseKeyword", TCounter::Globals, {"  global Total As Currency ' sum, kept"}, 1},
        CountCase{"CommaInsideALiteral", TCounter::Globals, {"Global Const SEP = \", \""}, 2},
        CountCase{"CommaInArrayBounds", TCounter::Globals, {"GLOBAL Grid(10, 20) As Integer"}, 2},
        CountCase{"PublicAndDimNotCounted", TCounter::Globals, {"Public A As Integer", "Dim B", "Globals = 1"}, 0},
        CountCase{"CommentsFiftyPercent", TCounter::Comments, kMixed, 50},
        CountCase{"WhitespaceFiftyPercent", TCounter::Whitespace, kMixed, 50},
        CountCase{"OnlyComments", TCounter::Comments, Repeat(3, "' just a note"), 300},
        CountCase{"OnlyCommentsHaveNoWhitespace", TCounter::Whitespace, Join({Repeat(3, "' n"), Repeat(2, "")}), 200},
        CountCase{"ApostropheInLiteralIsNoComment", TCounter::Comments, {"s = \"it's\"", "t = 1"}, 0},
        CountCase{"EmptyFile", TCounter::Comments, {}, 0},
        CountCase{"NotAvailableIsOneCodeLine", TCounter::Whitespace, {"NOT AVAILABLE"}, 0},
        CountCase{"TwentyThreeOfForty", TCounter::Whitespace, Join({Repeat(23, ""), Repeat(40, "x")}), 57},
        CountCase{"HalfGoesDownToEven", TCounter::Comments, Join({Repeat(1, "'c"), Repeat(8, "x")}), 12},
        CountCase{"HalfGoesUpToEven", TCounter::Comments, Join({Repeat(3, "'c"), Repeat(8, "x")}), 38}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RoundCase {
  const char* Name;
  int Part, Whole, Expected;
};

class Rounding : public testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, PartOverWholeTimesHundredHalfToEven) {
  EXPECT_EQ(RoundedPercent(GetParam().Part, GetParam().Whole), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Statistics, Rounding,
                         testing::Values(
                             // 23 / 40 is just below 0.575 in binary, so the product is below 57.5.
                             RoundCase{"TwentyThreeFortieths", 23, 40, 57}, RoundCase{"OneEighth", 1, 8, 12},
                             RoundCase{"FiveEighths", 5, 8, 62}, RoundCase{"SevenEighths", 7, 8, 88},
                             RoundCase{"OneThird", 1, 3, 33}, RoundCase{"TwoThirds", 2, 3, 67},
                             RoundCase{"MoreThanWhole", 7, 2, 350}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Statistics, FileTypesSortIgnoringCaseLabelledAsFirstMet) {
  EXPECT_EQ(FileTypePoints({"A.FRM", "b.frm", "C.BAS"}),
            (std::vector<TChartPoint>{{".BAS", 1, false}, {".FRM", 2, false}}));
  EXPECT_EQ(FileTypePoints({"x.cls", "README", "y.Cls", "z.tar.gz", "w."}),
            (std::vector<TChartPoint>{{"", 1, false}, {".", 1, false}, {".cls", 2, false}, {".gz", 1, false}}));
}

TEST(Statistics, EveryKindHasItsTexts) {
  EXPECT_EQ(ChartInfo(TChartKind::FileTypes).Series, TSeriesKind::Pie);
  // The globals chart is drawn as bars, whatever its description says.
  EXPECT_EQ(ChartInfo(TChartKind::Globals).Sample, TSeriesKind::Bar);
  EXPECT_EQ(ChartInfo(TChartKind::Globals).Description.front(), "Create a pie chart showing");
  for (int kind = 0; kind < kChartKindCount; ++kind) {
    const TChartInfo& info = ChartInfo(static_cast<TChartKind>(kind));
    EXPECT_EQ(info.Caption, "Chart: " + std::string(info.Title)) << kind;
    EXPECT_EQ(info.Series == TSeriesKind::Pie, kind == 1) << kind;
  }
}

class ChartProject : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("Main.frm", "VERSION 4.00\r\nBegin VB.Form Main\r\nEnd\r\nPrivate Sub Form_Load()\r\n' go\r\n\r\nEnd Sub\r\n");
    dir.Write("Mods/Util.bas", "Global A, B\r\nSub One()\r\nEnd Sub\r\nFunction Two()\r\nEnd Function\r\n");
    dir.Write("Gone.bas", "Sub Lost()\r\n");
    dir.Write("P.vbp", "Form=Main.frm\r\nModule=Util; Mods\\Util.bas\r\nModule=Gone; Gone.bas\r\n");
    ASSERT_EQ(project.ReadProjectFile(dir / "P.vbp", prompts), TReadOutcome::Read);
    std::filesystem::remove(dir / "Gone.bas");
  }

  test::TempDir dir;
  test::FakePrompts prompts;
  TSourceMgt project;
};

struct PointsCase {
  const char* Name;
  TChartKind Kind;
  std::vector<double> Values;
};

class ChartPoints : public ChartProject, public testing::WithParamInterface<PointsCase> {};

TEST_P(ChartPoints, OnePointPerItemInProjectOrder) {
  const std::vector<TChartPoint> points = BuildChartPoints(project, GetParam().Kind);
  ASSERT_EQ(points.size(), 3u);
  std::vector<double> values;
  for (const TChartPoint& point : points) values.push_back(point.Value);
  EXPECT_EQ(values, GetParam().Values);
  EXPECT_EQ(points[0].Label, "Main.frm");
  EXPECT_EQ(points[1].Label, "Util.bas");
  // The file removed after the project was read counts as its "NOT AVAILABLE" line, marked.
  EXPECT_EQ((std::vector<bool>{points[0].NotFound, points[1].NotFound, points[2].NotFound}),
            (std::vector<bool>{false, false, true}));
  for (RFile* item : project.Items()) EXPECT_FALSE(item->Loaded) << item->Name;
  EXPECT_EQ(project.CurrentFile, project.FirstFile);
}

INSTANTIATE_TEST_SUITE_P(Statistics, ChartPoints,
                         testing::Values(PointsCase{"Sizes", TChartKind::FileSizes, {81, 63, 12}},
                                         PointsCase{"LinesOfCode", TChartKind::LinesOfCode, {7, 5, 1}},
                                         PointsCase{"Routines", TChartKind::Routines, {1, 2, 0}},
                                         PointsCase{"Globals", TChartKind::Globals, {0, 2, 0}},
                                         PointsCase{"Comments", TChartKind::PercentComments, {20, 0, 0}},
                                         PointsCase{"Whitespace", TChartKind::PercentWhitespace, {20, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ChartProject, FileTypesAndHints) {
  EXPECT_EQ(BuildChartPoints(project, TChartKind::FileTypes),
            (std::vector<TChartPoint>{{".bas", 2, false}, {".frm", 1, false}}));
  EXPECT_EQ(ChartPointHint({"Main.frm", 81, false}), "Main.frm: 81");
  EXPECT_EQ(ChartPointHint({"Gone.bas", 1, true}), "Gone.bas: not found");
  EXPECT_EQ(ChartPointHint({"Half", 12.5, false}), "Half: 12.5");
}

TEST_F(ChartProject, LinesLoadedElsewhereStayLoaded) {
  RFile& main = *project.FirstFile;
  project.LoadLines(main);
  BuildChartPoints(project, TChartKind::Routines);
  EXPECT_TRUE(main.Loaded);
}

TEST_F(ChartProject, CreateRefusesInOrder) {
  TSourceMgt empty;
  struct Row {
    int Kind;
    const TSourceMgt* Project;
    std::optional<std::string_view> Text;
  } rows[] = {
      {7, &project, msg::ChartNothingSelected}, {7, nullptr, msg::ChartNothingSelected},
      {0, nullptr, msg::ChartNoProject},        {9, nullptr, msg::ChartNoProject},
      {0, &empty, msg::ChartNoCode},            {8, &project, msg::ChartUnknownKind},
      {-2, &project, msg::ChartUnknownKind},    {0, &project, std::nullopt},
      {6, &project, std::nullopt},
  };
  for (const Row& row : rows) {
    const std::optional<TChartRefusal> refusal = CheckChartRequest(row.Kind, row.Project);
    ASSERT_EQ(refusal.has_value(), row.Text.has_value()) << row.Kind;
    if (!refusal) continue;
    EXPECT_EQ(refusal->Text, *row.Text) << row.Kind;
    EXPECT_EQ(refusal->Kind, row.Kind == 7 ? TMsgKind::Information : TMsgKind::Warning) << row.Kind;
  }
}

// Up to twenty bars stand upright with their names written upwards; more lie across the chart
// with their names level, one row each.
TEST(BarChartLayout, ManyBarsLieAcrossWithLevelNames) {
  EXPECT_EQ(BarChartLayoutFor(1), (TBarChartLayout{false, -90}));
  EXPECT_EQ(BarChartLayoutFor(kMostUprightBars), (TBarChartLayout{false, -90}));
  EXPECT_EQ(BarChartLayoutFor(kMostUprightBars + 1), (TBarChartLayout{true, 0}));
  EXPECT_EQ(BarChartLayoutFor(4000), (TBarChartLayout{true, 0}));
}

}  // namespace
}  // namespace qm
