// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

using DiffRun = test::TCliRun;

DiffRun RunDiff(const TArgs& args) { return test::RunCaptured("diff", args); }

struct DiffCase {
  const char* Name;
  const char* Left;
  const char* Right;
  const char* Output;
  int Code;  // 0 equal, 1 different, as diff and cmp
};

class DiffRows : public testing::TestWithParam<DiffCase> {};

TEST_P(DiffRows, PrintsOneRowPerLine) {
  const DiffCase& c = GetParam();
  test::TempDir dir;
  DiffRun run = RunDiff({dir.Write("before.bas", c.Left), dir.Write("after.bas", c.Right)});
  EXPECT_EQ(run.Code, c.Code);
  EXPECT_EQ(run.Out, c.Output);
  EXPECT_EQ(run.Err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, DiffRows,
    testing::Values(
        DiffCase{"Identical", "A\r\nB\r\n", "A\r\nB\r\n", "=\tA\tA\n=\tB\tB\n", 0},
        DiffCase{"BothEmpty", "", "", "", 0},
        DiffCase{"Changed", "A\r\nX\r\nC\r\n", "A\r\nY\r\nC\r\n", "=\tA\tA\n~\tX\tY\n=\tC\tC\n", 1},
        DiffCase{"InsertedAndDeleted", "A\r\nB\r\n", "B\r\nA\r\n", "+\t\tB\n=\tA\tA\n-\tB\t\n", 1},
        DiffCase{"LineEndsDoNotCount", "A\r\nB", "A\nB\n", "=\tA\tA\n=\tB\tB\n", 0},
        DiffCase{"BlankLinesAreLines", "If a Then\r\n\r\nEnd If\r\n", "If a Then\r\n    b\r\n\r\nEnd If\r\n",
                 "=\tIf a Then\tIf a Then\n+\t\t    b\n=\t\t\n=\tEnd If\tEnd If\n", 1},
        DiffCase{"BytesUnchanged", "' caf\xE9\r\nx\t= 1\r\n", "'  caf\xE9\r\nx\t= 1\r\n",
                 "~\t' caf\xE9\t'  caf\xE9\n=\tx\t= 1\tx\t= 1\n", 1}),
    [](const testing::TestParamInfo<DiffCase>& info) { return std::string(info.param.Name); });

TEST(CliDiff, MissingFileIsAnError) {
  test::TempDir dir;
  const std::string present = dir.Write("present.bas", "A\r\n");
  for (const TArgs& args : {TArgs{dir / "missing.bas", present}, TArgs{present, dir / "missing.bas"}}) {
    DiffRun run = RunDiff(args);
    EXPECT_EQ(run.Code, kExitError);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find(dir / "missing.bas"), std::string::npos) << run.Err;
  }
}

TEST(CliDiff, NeedsExactlyTwoFiles) {
  for (const TArgs& args : {TArgs{}, TArgs{"a.bas"}, TArgs{"a.bas", "b.bas", "c.bas"}}) {
    DiffRun run = RunDiff(args);
    EXPECT_EQ(run.Code, kExitError);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("usage: quillmate-cli diff LEFT RIGHT"), std::string::npos) << run.Err;
  }
}

TEST(CliDiff, ProgramWritesRowsAndExitCodes) {
  test::TempDir dir;
  const std::string left = dir.Write("l.frm", "Sub A()\r\nEnd Sub\r\n");
  const std::string right = dir.Write("r.frm", "Sub A()\r\n\r\nEnd Sub\r\n");
  const std::string binary = QUILLMATE_CLI_BINARY;
  auto run = [&](const std::string& a, const std::string& b) {
    const std::string command = "'" + binary + "' diff '" + a + "' '" + b + "' >'" + (dir / "out") + "' 2>'" +
                                (dir / "err") + "'";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run(left, right), kExitFindings);
  EXPECT_EQ(dir.Read("out"), "=\tSub A()\tSub A()\n+\t\t\n=\tEnd Sub\tEnd Sub\n");
  EXPECT_EQ(run(left, left), kExitOk);
  EXPECT_EQ(dir.Read("out"), "=\tSub A()\tSub A()\n=\tEnd Sub\tEnd Sub\n");
  EXPECT_EQ(run(left, dir / "none.frm"), kExitError);
  EXPECT_EQ(dir.Read("out"), "");
  EXPECT_NE(dir.Read("err"), "");
}

}  // namespace
}  // namespace qm::cli
