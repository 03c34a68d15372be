// SPDX-License-Identifier: MIT
#include "engine/outputtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linefile.h"

namespace qm {
namespace {

using namespace std::string_literals;

TMarkedList Marked(const std::vector<std::string>& lines) {
  TMarkedList list;
  for (const std::string& line : lines) list.push_back({line, NewUnchangedMark()});
  return list;
}

struct RestyledRow {
  const char* Name;
  std::string Original;
  std::vector<std::string> Restyled;
  std::string Expected;
};

class RestyledBytesTest : public ::testing::TestWithParam<RestyledRow> {};

TEST_P(RestyledBytesTest, KeepsTheOriginalsLineEnds) {
  EXPECT_EQ(RestyledBytes(GetParam().Original, Marked(GetParam().Restyled)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestyledBytesTest,
    ::testing::Values(
        RestyledRow{"EmptyStaysEmpty", "", {}, ""},
        RestyledRow{"LfChangedLineTakesLf", "Sub A\nx=1\nEnd Sub\n", {"Sub A", "  x = 1", "End Sub"},
                    "Sub A\n  x = 1\nEnd Sub\n"},
        RestyledRow{"CrlfChangedLineTakesCrlf", "Sub A\r\nx=1\r\nEnd Sub\r\n", {"Sub A", "  x = 1", "End Sub"},
                    "Sub A\r\n  x = 1\r\nEnd Sub\r\n"},
        RestyledRow{"InsertedLinesTakeLf", "Sub A\nEnd Sub\n", {"' header", "", "Sub A", "End Sub"},
                    "' header\n\nSub A\nEnd Sub\n"},
        RestyledRow{"DeletedLinesLeaveNoTrace", "a\n\n\n\nb\n", {"a", "", "b"}, "a\n\nb\n"},
        RestyledRow{"UnchangedFileGivesItsOwnBytes", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\nc\rd"},
        RestyledRow{"MixedUnchangedLinesKeepTheirEnds", "a\r\nb\nc\nd\n", {"a", "B", "c", "d"}, "a\r\nB\nc\nd\n"},
        RestyledRow{"CrlfWinsATie", "a\r\nb\nc", {"a", "b", "C"}, "a\r\nb\nC\r\n"},
        RestyledRow{"LoneCrFileStaysCr", "a\rb\rc\r", {"a", "B", "c"}, "a\rB\rc\r"},
        RestyledRow{"NoLineEndAtAllTakesCrlf", "x=1", {"x = 1"}, "x = 1\r\n"},
        RestyledRow{"MissingFinalEndKeptWhenLastLineUnchanged", "x=1\nEnd Sub", {"x = 1", "End Sub"},
                    "x = 1\nEnd Sub"},
        RestyledRow{"MissingFinalEndAddedWhenLastLineChanged", "a\nx=1", {"a", "x = 1"}, "a\nx = 1\n"},
        RestyledRow{"FormerLastLineGetsAnEndWhenLinesFollow", "a\nb", {"a", "b", "' end"}, "a\nb\n' end\n"},
        RestyledRow{"CtrlZLineGetsNoEndAdded", "a\nb=1\n\x1A", {"a", "b = 1", "\x1A"}, "a\nb = 1\n\x1A"},
        RestyledRow{"ChangedCtrlZLastLineGetsNoEnd", "a\nb\x1A", {"a", "b \x1A"}, "a\nb \x1A"},
        RestyledRow{"UnchangedCtrlZLineKeepsItsEnd", "a=1\n\x1A\n", {"a = 1", "\x1A"}, "a = 1\n\x1A\n"},
        RestyledRow{"HighAndNulBytesPassThrough", "' caf\xE9\nx=1\n\0\n"s, {"' caf\xE9", "x = 1", "\0"s},
                    "' caf\xE9\nx = 1\n\0\n"s},
        RestyledRow{"EmptyLineAfterLoneCrKeepsItsOwnLine", "a\rb\n", {"b", "a", ""}, "b\na\r\r"},
        RestyledRow{"MovedLinesPairInOrder", "a\nb\nc\n", {"c", "a", "b"}, "c\na\nb\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct OutputRow {
  const char* Name;
  std::vector<std::string> Lines;
  std::string Expected;
};

class OutputTextTest : public ::testing::TestWithParam<OutputRow> {};

TEST_P(OutputTextTest, EndsEveryLineWithCrlf) {
  EXPECT_EQ(OutputText(Marked(GetParam().Lines)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, OutputTextTest,
                         ::testing::Values(OutputRow{"Empty", {}, ""},
                                           OutputRow{"EveryLineCrlf", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
                                           OutputRow{"CtrlZLastLineAsRead", {"a", "\x1A"}, "a\r\n\x1A"}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Whatever the restyle does, the bytes split back into exactly the restyled lines.
TEST(RestyledBytesTest, SplitsBackIntoTheRestyledLines) {
  const std::vector<std::string> originals = {"a\nb\r\nc", "a\rb\n", "", "\n\n", "x\r\n\r\n"};
  const std::vector<std::vector<std::string>> outputs = {{}, {""}, {"a"}, {"b", "a", ""}, {"", "", "c", "x"}};
  for (const std::string& original : originals) {
    for (const auto& output : outputs) {
      EXPECT_EQ(SplitLines(RestyledBytes(original, Marked(output))), output) << original;
    }
  }
}

}  // namespace
}  // namespace qm
