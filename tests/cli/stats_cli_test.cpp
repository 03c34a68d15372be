// SPDX-License-Identifier: MIT
// quillmate-cli stats on the example projects and on projects made for the purpose.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <string>

#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

namespace fs = std::filesystem;

using TRun = test::TCliRun;

TRun RunArgs(const TArgs& args) { return test::RunCaptured(args); }

struct FailCase {
  const char* Name;
  TArgs Args;        // "@" stands for the temporary directory
  const char* Err;   // part of the message
};

class CliStatsFailures : public testing::TestWithParam<FailCase> {};

TEST_P(CliStatsFailures, ExitTwoWithAMessage) {
  test::TempDir dir;
  dir.Write("EMPTY.MAK", "ProjWinSize=152,402,248,215\r\n");
  TArgs args = GetParam().Args;
  for (std::string& arg : args) {
    if (arg.starts_with("@")) arg = dir.Dir() + arg.substr(1);
  }
  const TRun run = RunArgs(args);
  EXPECT_EQ(run.Code, kExitError);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(run.Err.find(GetParam().Err), std::string::npos) << run.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliStatsFailures,
    testing::Values(
        FailCase{"StatsMissingProject", {"stats", "@missing.vbp"}, "Invalid VB project file.  Unable to proceed."},
        FailCase{"StatsProjectWithoutFiles", {"stats", "@EMPTY.MAK"}, "Project file is empty."},
        FailCase{"StatsNoProject", {"stats", "--json"}, "no project file given"},
        FailCase{"StatsUnknownOption", {"stats", "--csv", "p.vbp"}, "unknown option --csv"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct StatsCase {
  const char* Name;
  const char* Project;
  const char* Table;
};

class CliStats : public testing::TestWithParam<StatsCase> {};

TEST_P(CliStats, TableAndJsonAgree) {
  const TRun table = RunArgs({"stats", GetParam().Project});
  ASSERT_EQ(table.Code, kExitOk) << table.Err;
  EXPECT_EQ(table.Err, "");
  EXPECT_EQ(table.Out, GetParam().Table);

  const TRun json = RunArgs({"stats", "--json", GetParam().Project});
  ASSERT_EQ(json.Code, kExitOk) << json.Err;
  const nlohmann::json document = nlohmann::json::parse(json.Out);
  EXPECT_EQ(document.at("project"), fs::path(GetParam().Project).filename().string());
  // The JSON holds the table's figures, field for field.
  std::ostringstream rebuilt;
  rebuilt << "name\tsize\tlines\troutines\tglobals\tpct_comments\tpct_whitespace\n";
  for (const auto& item : document.at("items")) {
    EXPECT_TRUE(fs::exists(item.at("path").get<std::string>())) << item.at("path");
    EXPECT_EQ(fs::path(item.at("path").get<std::string>()).filename().string().size(),
              item.at("name").get<std::string>().size());
    rebuilt << item.at("name").get<std::string>() << '\t' << item.at("size") << '\t' << item.at("lines") << '\t'
            << item.at("routines") << '\t' << item.at("globals") << '\t' << item.at("pctComments") << '\t'
            << item.at("pctWhitespace") << '\n';
  }
  for (const auto& type : document.at("types")) {
    rebuilt << "type\t" << type.at("extension").get<std::string>() << '\t' << type.at("count") << '\n';
  }
  EXPECT_EQ(rebuilt.str(), table.Out);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliStats,
    testing::Values(StatsCase{"VB4", EXAMPLES_DIR "/vb4/Inventory.vbp",
                              "name\tsize\tlines\troutines\tglobals\tpct_comments\tpct_whitespace\n"
                              "frmMain.frm\t2802\t104\t6\t0\t4\t7\n"
                              "frmAbout.frm\t1449\t51\t2\t0\t12\t4\n"
                              "UTILS.BAS\t1642\t61\t4\t1\t12\t12\n"
                              "STOCK.BAS\t1697\t53\t3\t0\t14\t9\n"
                              "CItem.cls\t1264\t50\t1\t0\t8\t20\n"
                              "type\t.BAS\t2\n"
                              "type\t.cls\t1\n"
                              "type\t.frm\t2\n"},
                    StatsCase{"VB3", EXAMPLES_DIR "/vb3/LEDGER.MAK",
                              "name\tsize\tlines\troutines\tglobals\tpct_comments\tpct_whitespace\n"
                              "LEDGER.FRM\t1593\t58\t3\t0\t6\t6\n"
                              "GLOBAL.BAS\t711\t31\t1\t6\t4\t15\n"
                              "REPORT.BAS\t1231\t46\t3\t0\t10\t8\n"
                              "type\t.BAS\t2\n"
                              "type\t.FRM\t1\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliStats, ASkippedEntryIsReportedAndLeftOut) {
  test::TempDir dir;
  dir.Write("A.BAS", "Sub A ()\r\nEnd Sub\r\n");
  dir.Write("OLD.FRM", std::string("\xFF\x01\x00", 3));
  const TRun run = RunArgs({"stats", dir.Write("P.MAK", "A.BAS\r\nOLD.FRM\r\n")});
  EXPECT_EQ(run.Code, kExitOk);
  EXPECT_EQ(run.Out,
            "name\tsize\tlines\troutines\tglobals\tpct_comments\tpct_whitespace\n"
            "A.BAS\t19\t2\t1\t0\t0\t0\n"
            "type\t.BAS\t1\n");
  EXPECT_NE(run.Err.find("OLD.FRM is not an ASCII file."), std::string::npos) << run.Err;
}

}  // namespace
}  // namespace qm::cli
