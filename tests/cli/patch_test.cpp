// SPDX-License-Identifier: MIT
// --diff as a patch: the real git apply and patch take what format --diff and the project run's
// --diff print, from the folder they were run in, and applying it gives the very bytes the
// restyled file has.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "cli.h"
#include "temp_dir.h"
#include "unified_diff.h"

namespace qm::cli {
namespace {

// Runs a shell command in folder; its exit status, or -1.
int ShellIn(const std::string& folder, const std::string& command) {
  const std::string line = "cd '" + folder + "' && " + command;
  const int status = std::system(line.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string kBinary = QUILLMATE_CLI_BINARY;

struct PatchRow {
  const char* Name;
  std::string Source;  // the bytes of the source file
  bool Project;        // the project run's --diff rather than format's
  std::string Folder = "src";
  std::string File = "ROUGH.BAS";
};

class CliPatchApplies : public ::testing::TestWithParam<PatchRow> {};

// Every line of standard output belongs to the patch.
void ExpectOnlyPatchLines(const std::string& patch) {
  std::istringstream lines(patch);
  for (std::string line; std::getline(lines, line);) {
    const bool ok = line.starts_with("--- a/") || line.starts_with("+++ b/") || line.starts_with("@@ -") ||
                    line.starts_with(" ") || line.starts_with("-") || line.starts_with("+") ||
                    line == "\\ No newline at end of file";
    EXPECT_TRUE(ok) << "not a line of a patch: " << line;
  }
}

TEST_P(CliPatchApplies, GitApplyAndPatchGiveTheRestyledBytes) {
  const PatchRow& row = GetParam();
  test::TempDir dir;
  const std::string work = dir / "work";
  // Settings beside the sources, so that the user's own saved settings play no part.
  const std::string folder = row.Folder + "/";
  const std::string source = folder + row.File;
  dir.Write("work/" + folder + "VBQUILL3.INI", "[General]\n");
  dir.Write("work/" + source, row.Source);
  dir.Write("work/" + folder + "P.VBP", "Type=Exe\r\nModule=Rough; " + row.File + "\r\n");

  // What the in-place mode writes over the file (in a copy of the folder): the project run's
  // --in-place, or format --write, whose bytes format's standard output gives too.
  ASSERT_EQ(ShellIn(dir.Dir(), "cp -R work inplace"), 0);
  const std::string inplace = dir / "inplace";
  if (row.Project) {
    ASSERT_EQ(ShellIn(inplace, "'" + kBinary + "' --quiet --in-place '" + folder + "P.VBP'"), 0);
  } else {
    ASSERT_EQ(ShellIn(inplace, "'" + kBinary + "' format --write '" + source + "'"), 0);
    ASSERT_EQ(ShellIn(work, "'" + kBinary + "' format '" + source + "' >../styled.bas"), 0);
    EXPECT_EQ(dir.Read("styled.bas"), dir.Read("inplace/" + source)) << "standard output and --write";
  }
  const std::string restyled = dir.Read("inplace/" + source);
  ASSERT_NE(restyled, row.Source) << "the source must be one the restyle changes";
  if (row.Source.find('\r') == std::string::npos) {
    EXPECT_EQ(restyled.find('\r'), std::string::npos) << "an LF source stays LF";
  }

  const std::string command = row.Project ? " --diff '" + folder + "P.VBP'" : " format --diff '" + source + "'";
  ASSERT_EQ(ShellIn(work, "'" + kBinary + "'" + command + " >../patch 2>../err"), 0) << dir.Read("err");
  const std::string patch = dir.Read("patch");
  // A name with a space ends in a tab, so that patch reads it whole.
  const std::string end = source.find(' ') == std::string::npos ? "\n" : "\t\n";
  EXPECT_TRUE(patch.starts_with("--- a/" + source + end + "+++ b/" + source + end + "@@ -1,")) << patch;
  ExpectOnlyPatchLines(patch);
  if (row.Project) {
    EXPECT_NE(dir.Read("err").find(row.File + ": "), std::string::npos) << "the file's line";
  }

  EXPECT_EQ(ShellIn(work, "git apply --check ../patch"), 0);
  EXPECT_EQ(ShellIn(work, "git apply ../patch 2>/dev/null"), 0);
  EXPECT_EQ(dir.Read("work/" + source), restyled) << "after git apply";

  dir.Write("work/" + source, row.Source);
  EXPECT_EQ(ShellIn(work, "patch -p1 -s <../patch"), 0);
  EXPECT_EQ(dir.Read("work/" + source), restyled) << "after patch -p1";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliPatchApplies,
    ::testing::Values(PatchRow{"FormatCrlfSource", "Sub A ()\r\nx = 1\r\nEnd Sub\r\n", false},
                      PatchRow{"FormatLfSource", "Sub A ()\nx = 1\nEnd Sub\n", false},
                      PatchRow{"FormatNoFinalLineEnd", "Sub A ()\r\nx = 1\r\nEnd Sub", false},
                      PatchRow{"FormatEndOfFileByte", "Sub A ()\r\nx = 1\r\nEnd Sub\r\n\x1A", false},
                      PatchRow{"ProjectCrlfSource", "Sub A ()\r\nx = 1\r\nEnd Sub\r\n", true},
                      PatchRow{"ProjectLfSource", "Sub A ()\nx = 1\nEnd Sub\n", true},
                      PatchRow{"ProjectNoFinalLineEnd", "Sub A ()\r\nx = 1\r\nEnd Sub", true},
                      PatchRow{"FormatNameWithSpaces", "Sub A ()\r\nx = 1\r\nEnd Sub\r\n", false, "my src",
                               "Rough One.bas"},
                      PatchRow{"ProjectNameWithSpaces", "Sub A ()\nx = 1\nEnd Sub\n", true, "my src", "Rough One.bas"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The hunks themselves, byte for byte.
struct PatchBytesRow {
  const char* Name;
  std::string Before;
  std::string After;
  std::string Expected;  // without the two header lines; empty: no patch
};

class UnifiedPatchBytes : public ::testing::TestWithParam<PatchBytesRow> {};

TEST_P(UnifiedPatchBytes, WritesTheLinesAsTheyAre) {
  std::ostringstream out;
  const bool differ = WriteUnifiedPatch(out, "a/x", "b/x", GetParam().Before, GetParam().After, 1);
  EXPECT_EQ(differ, !GetParam().Expected.empty());
  EXPECT_EQ(out.str(), GetParam().Expected.empty() ? "" : "--- a/x\n+++ b/x\n" + GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnifiedPatchBytes,
    ::testing::Values(
        PatchBytesRow{"Equal", "a\r\nb\r\n", "a\r\nb\r\n", ""},
        PatchBytesRow{"CarriageReturnsKept", "a\r\nb\r\nc\r\n", "a\r\nB\r\nc\r\n",
                      "@@ -1,3 +1,3 @@\n a\r\n-b\r\n+B\r\n c\r\n"},
        PatchBytesRow{"OnlyTheLineEndDiffers", "a\nb\n", "a\r\nb\n", "@@ -1,2 +1,2 @@\n-a\n+a\r\n b\n"},
        PatchBytesRow{"LastLineGainsItsEnd", "a\nb", "a\nb\r\n",
                      "@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+b\r\n"},
        PatchBytesRow{"LastLineLosesItsEnd", "a\nb\n", "a\nb",
                      "@@ -1,2 +1,2 @@\n a\n-b\n+b\n\\ No newline at end of file\n"},
        PatchBytesRow{"LoneCarriageReturnIsNoLineEnd", "a\rb\n", "a\rc\n", "@@ -1,1 +1,1 @@\n-a\rb\n+a\rc\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(UnifiedPatchNames, QuotesAndBackslashesAreQuotedAsInC) {
  std::ostringstream out;
  WriteUnifiedPatch(out, "a/Say \"Hi\"\\x.bas", "b/Say \"Hi\"\\x.bas", "a\n", "b\n");
  EXPECT_TRUE(out.str().starts_with("--- \"a/Say \\\"Hi\\\"\\\\x.bas\"\n+++ \"b/Say \\\"Hi\\\"\\\\x.bas\"\n"))
      << out.str();
}

}  // namespace
}  // namespace qm::cli
