// SPDX-License-Identifier: MIT
#include "platform/linefile.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"

namespace qm {
namespace {

using namespace std::string_literals;

struct SplitRow {
  const char* name;
  std::string bytes;
  TLines lines;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitLinesTest, SplitsAtEveryTerminator) {
  EXPECT_EQ(SplitLines(GetParam().bytes), GetParam().lines);
  EXPECT_EQ(CountLines(GetParam().bytes), static_cast<std::int32_t>(GetParam().lines.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitLinesTest,
    ::testing::Values(
        SplitRow{"Empty", "", {}},
        SplitRow{"NoTerminator", "Dim a", {"Dim a"}},
        SplitRow{"Crlf", "a\r\nb\r\n", {"a", "b"}},
        SplitRow{"Lf", "a\nb\n", {"a", "b"}},
        SplitRow{"LoneCr", "a\rb\r", {"a", "b"}},
        SplitRow{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        SplitRow{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
        SplitRow{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitRow{"OnlyTerminator", "\r\n", {""}},
        SplitRow{"BlankLinesKept", "a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
        SplitRow{"FinalBlankLine", "a\r\n\r\n", {"a", ""}},
        SplitRow{"HighBytes", "' caf\xE9 \x80\xFF\r\nx", {"' caf\xE9 \x80\xFF", "x"}},
        SplitRow{"NulBytes", std::string("a\0b\r\n\0", 6), {std::string("a\0b", 3), std::string("\0", 1)}},
        SplitRow{"CtrlZKept", "a\r\n\x1A", {"a", "\x1A"}},
        // The next CR and the next LF are each looked for once and kept until passed.
        SplitRow{"LfRunThenCrRun", "a\nb\nc\rd\re\r\nf", {"a", "b", "c", "d", "e", "f"}},
        SplitRow{"CrlfAfterLongLfRun", "1\n2\n3\n4\n5\r\n6\r7", {"1", "2", "3", "4", "5", "6", "7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineFileTest, WritesCrlfAndReadsBack) {
  test::TempDir dir;
  const TLines lines = {"Option Explicit", "", "  ' caf\xE9\t", std::string("\0x", 2), "End Sub"};
  ASSERT_TRUE(WriteLineFile(dir / "out.bas", lines));
  EXPECT_EQ(dir.Read("out.bas"), "Option Explicit\r\n\r\n  ' caf\xE9\t\r\n\0x\r\nEnd Sub\r\n"s);
  TLines back;
  ASSERT_TRUE(ReadLineFile(dir / "out.bas", back));
  EXPECT_EQ(back, lines);
}

TEST(LineFileTest, ReadsLongLineWhole) {
  test::TempDir dir;
  std::string longLine(100000, 'x');
  dir.Write("long.bas", "a\n" + longLine + "\nb");
  TLines lines;
  ASSERT_TRUE(ReadLineFile(dir / "long.bas", lines));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine);
}

TEST(LineFileTest, ReadFindsFileWhateverItsCase) {
  test::TempDir dir;
  dir.Write("Forms/About.FRM", "VERSION 2.00\r\n");
  TLines lines;
  ASSERT_TRUE(ReadLineFile(dir.Dir() + "FORMS\\about.frm", lines));
  EXPECT_EQ(lines, TLines{"VERSION 2.00"});
}

TEST(LineFileTest, ReadFailuresGiveReason) {
  test::TempDir dir;
  dir.Write("sub/file.bas", "x");
  for (const std::string& path : {dir / "missing.bas", dir / "sub", std::string()}) {
    std::string err;
    TLines lines = {"stale"};
    EXPECT_FALSE(ReadLineFile(path, lines, &err)) << path;
    EXPECT_FALSE(err.empty()) << path;
    EXPECT_TRUE(lines.empty()) << path;
  }
}

TEST(LineFileTest, WriteReplacesWholeFile) {
  test::TempDir dir;
  dir.Write("out.bas", "a much longer old content\r\nthat must not survive\r\n");
  ASSERT_TRUE(WriteFileBytes(dir / "out.bas", "new"));
  EXPECT_EQ(dir.Read("out.bas"), "new");
}

TEST(LineFileTest, RefusedWriteKeepsOldFileAndLeavesNoDebris) {
  test::TempDir dir;
  dir.Write("blocker", "not a directory");
  std::string err;
  EXPECT_FALSE(WriteFileBytes(dir / "blocker/out.bas", "x", &err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(dir.Read("blocker"), "not a directory");

  dir.Write("dir/keep.bas", "x");
  EXPECT_FALSE(WriteFileBytes(dir / "dir", "y", &err));  // a directory is not replaced
  EXPECT_EQ(dir.Read("dir/keep.bas"), "x");
}

}  // namespace
}  // namespace qm
