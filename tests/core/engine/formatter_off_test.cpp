// SPDX-License-Identifier: MIT
// Regions between "' quillmate: off" and "' quillmate: on" come out byte for byte as written,
// whatever rules are on, while the code around them is restyled as usual.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_verify.h"
#include "platform/profile.h"

namespace qm {
namespace {

using K = SettingKey;

// Every rule on (spelling apart), as the example run with every rule uses them, with one
// variation per row on top.
TSettings AllRulesOn() {
  TSettings s;
  s.LoadINIControls(std::string(TEST_DATA_DIR) + "/example_all_rules/settings.ini");
  s.SetBool(K::PreviewBeforeSaving, false);
  return s;
}

struct OffRegionRow {
  const char* Name;
  std::string Input;  // "\n"-separated; the region is every line from the off to the on marker
  K IntKey = K::GrpBlankLines;
  int IntValue = 1;  // the variation on top of every rule on
  std::string After = "    After = 1";  // how the line after the region comes out
};

// The lines of the region, markers included: from the first off marker to the next on marker
// (or the end of the text).
std::vector<std::string> RegionOf(const std::string& input) {
  const TLines lines = test::TextLines(input);
  std::vector<std::string> region;
  bool in = false;
  for (const std::string& line : lines) {
    const std::string upper = UpperCase(line);
    if (!in && upper.find("QUILLMATE") != std::string::npos && upper.find("OFF") != std::string::npos) in = true;
    if (in) region.push_back(line);
    if (in && upper.find("QUILLMATE") != std::string::npos && Trim(upper).ends_with("ON")) break;
  }
  return region;
}

class FormatterOff : public ::testing::TestWithParam<OffRegionRow> {};

TEST_P(FormatterOff, RegionComesOutAsWritten) {
  const OffRegionRow& row = GetParam();
  TSettings settings = AllRulesOn();
  settings.SetInt(row.IntKey, row.IntValue);
  const std::vector<std::string> region = RegionOf(row.Input);
  ASSERT_GE(region.size(), 2u);
  const TMarkedList out = test::FormatLines(test::TextLines(row.Input), settings);

  std::size_t at = 0;
  while (at < out.size() && out[at].Text != region.front()) ++at;
  ASSERT_LT(at, out.size()) << test::RenderMarked(out);
  ASSERT_LE(at + region.size(), out.size()) << test::RenderMarked(out);
  for (std::size_t i = 0; i < region.size(); ++i) {
    EXPECT_EQ(out[at + i].Text, region[i]) << "region line " << i << "\n" << test::RenderMarked(out);
    EXPECT_FALSE(out[at + i].Mark.IsChanged()) << "region line " << i;
  }
  // The code after the region is still restyled: its statement is indented by the blocks open.
  bool indentedAfter = false;
  for (std::size_t i = at + region.size(); i < out.size(); ++i) indentedAfter |= out[i].Text == row.After;
  EXPECT_TRUE(indentedAfter) << test::RenderMarked(out);
}

// Inside the Sub, a region every rule would change; "After = 1" follows it.
std::string InSub(const std::string& region) { return "Sub Main ()\n" + region + "After = 1\nEnd Sub\n"; }

const std::string kTable =
    "' quillmate: off\n"
    "Dim a As Integer, bb As Long\n"
    "Const X = 1, YY = 2\n"
    "If x Then y = 1 Else y = 2\n"
    "a = 1: b = 2\n"
    "\tTab(1) = \"x\"\t' tabbed\n"
    "x = 1 ' in-line comment\n"
    "\n"
    "\n"
    "' one\n"
    "' two\n"
    "' three\n"
    "For i = 1 To 2\n"
    "Next\n"
    "   ' quillmate: on\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatterOff,
    ::testing::Values(
        OffRegionRow{"HandAlignedTableInASub", InSub(kTable)},
        OffRegionRow{"BlankLinesAllRemoved", InSub(kTable), K::GrpBlankLines, 2},
        OffRegionRow{"CommentsRemoved", InSub(kTable), K::GrpInLineComments, 3},
        OffRegionRow{"WholeLineCommentsAtFixedColumn", InSub(kTable), K::GrpSingleLineComments, 1},
        OffRegionRow{"ForNextNamesRemoved", InSub(kTable), K::GrpForNextProcessing, 2},
        OffRegionRow{"MarkersInAnyCaseAndIndentation",
                     InSub("\t'QUILLMATE :Off\nIf x Then y = 1\n  '   Quillmate:   ON  \n")},
        OffRegionRow{"ProcedureInsideGetsNoHeader",
                     "' quillmate: off\nFunction F ()\nF = 1: G = 2\nEnd Function\n' quillmate: on\n" +
                         InSub("")},
        OffRegionRow{"BlockOpenedInsideIndentsAfter",
                     "Sub Main ()\n' quillmate: off\nIf x Then\n' quillmate: on\nAfter = 1\nEnd If\nEnd Sub\n",
                     K::GrpBlankLines, 1, "        After = 1"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FormatterOffRegion, ExactOutputAroundARegion) {
  TSettings settings = test::RulesOffSettings();
  settings.SetBool(K::CodeIndentPerform, true);
  verifyFormat(
      ".Sub Main ()\n"
      "*    a = 1\n"
      ".' Quillmate: Off\n"
      ".  a = 1: b = 2\n"
      ".\tx = 1\n"
      ".' quillmate: on\n"
      "*    c = 1\n"
      ".End Sub\n",
      "Sub Main ()\na = 1\n' Quillmate: Off\n  a = 1: b = 2\n\tx = 1\n' quillmate: on\nc = 1\nEnd Sub\n", settings);
}

struct NotAMarkerRow {
  const char* Name;
  std::string Line;
};

class NotAMarker : public ::testing::TestWithParam<NotAMarkerRow> {};

// Comments that only look like markers leave the formatter on.
TEST_P(NotAMarker, FormatterStaysOn) {
  TSettings settings = test::RulesOffSettings();
  settings.SetBool(K::CodeIndentPerform, true);
  verifyFormat(".Sub Main ()\n*    " + GetParam().Line + "\n*    x = 1\n.End Sub\n",
               "Sub Main ()\n" + GetParam().Line + "\nx = 1\nEnd Sub\n", settings);
}

INSTANTIATE_TEST_SUITE_P(Rows, NotAMarker,
                         ::testing::Values(NotAMarkerRow{"OnWithoutOff", "' quillmate: on"},
                                           NotAMarkerRow{"MoreWords", "' quillmate: off for now"},
                                           NotAMarkerRow{"NoColon", "' quillmate off"},
                                           NotAMarkerRow{"OtherTool", "' formatter: off"},
                                           NotAMarkerRow{"InAString", "x = \"' quillmate: off\""}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm
