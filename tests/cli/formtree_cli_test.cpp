// SPDX-License-Identifier: MIT
// quillmate-cli formtree on the example forms and on files made for the purpose.

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

// The JSON tree as an outline: two blanks per level, caption, " #" image, and a Properties node's
// pairs as {NAME=VALUE; ...}.
void OutlineOf(const nlohmann::json& node, int depth, std::vector<std::string>& lines) {
  std::string line(static_cast<std::size_t>(depth) * 2, ' ');
  line += node.at("caption").get<std::string>() + " #" + std::to_string(node.at("image").get<int>());
  if (node.contains("properties")) {
    EXPECT_FALSE(node.contains("children"));
    line += " {";
    bool first = true;
    for (const auto& pair : node.at("properties")) {
      line += (first ? "" : "; ") + pair.at(0).get<std::string>() + "=" + pair.at(1).get<std::string>();
      first = false;
    }
    line += "}";
  }
  lines.push_back(line);
  if (node.contains("children")) {
    for (const auto& child : node.at("children")) OutlineOf(child, depth + 1, lines);
  }
}

std::vector<std::string> Outline(const std::string& json) {
  std::vector<std::string> lines;
  OutlineOf(nlohmann::json::parse(json), 0, lines);
  return lines;
}

TEST(CliFormTree, TheVB3ExampleFormAsATree) {
  const TRun run = RunArgs({"formtree", EXAMPLES_DIR "/vb3/LEDGER.FRM"});
  ASSERT_EQ(run.Code, kExitOk) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(Outline(run.Out),
            (std::vector<std::string>{
                "Form: LEDGER #0", "  File: LEDGER.FRM #3", "    Form: frmLedger #1",
                "      Properties #4 {Caption=\"Ledger\"; ClientHeight=4020; ClientLeft=1095; ClientTop=1770; "
                "ClientWidth=6345; Height=4425; Icon=LEDGER.FRX:0000; Left=1035; LinkTopic=\"Form1\"; ScaleHeight=4020; "
                "ScaleWidth=6345; Top=1425; Width=6465}",
                "      CommandButton: cmdPost #5",
                "        Properties #4 {Caption=\"&Post\"; Height=495; Left=4920; TabIndex=1; Top=3360; Width=1215}",
                "      TextBox: txtAmount #5",
                "        Properties #4 {Height=375; Left=120; TabIndex=0; Top=3420; Width=2055}"}));
}

struct FormTreeCase {
  const char* Name;
  const char* Bytes;
  TArgs Before;  // options before the file
  std::vector<std::string> Outline;
};

class CliFormTreeFiles : public testing::TestWithParam<FormTreeCase> {};

TEST_P(CliFormTreeFiles, PrintsTheTree) {
  test::TempDir dir;
  TArgs args{"formtree"};
  args.insert(args.end(), GetParam().Before.begin(), GetParam().Before.end());
  args.push_back(dir.Write("My Form.frm", GetParam().Bytes));
  const TRun run = RunArgs(args);
  ASSERT_EQ(run.Code, kExitOk) << run.Err;
  EXPECT_EQ(Outline(run.Out), GetParam().Outline);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliFormTreeFiles,
    testing::Values(
        FormTreeCase{"RootNamedAfterTheFile", "Begin VB.Form F\r\nEnd\r\n", {},
                     {"Form: My Form #0", "  File: My Form.frm #3", "    VB.Form: F #1"}},
        FormTreeCase{"ProjectNameGiven", "Begin VB.Form F\r\nEnd\r\n", {"--project", "Inventory.vbp"},
                     {"Form: Inventory.vbp #0", "  File: My Form.frm #3", "    VB.Form: F #1"}},
        FormTreeCase{"Windows1252BecomesUtf8", "Begin VB.Form F\r\n  Caption = \"Caf\xE9 \x80\"\r\nEnd\r\n",
                     {"--project="},
                     {"Form:  #0", "  File: My Form.frm #3", "    VB.Form: F #1",
                      "      Properties #4 {Caption=\"Caf\xC3\xA9 \xE2\x82\xAC\"}"}},
        FormTreeCase{"CodeModule", "Attribute VB_Name = \"M\"\r\nSub A()\r\nEnd Sub\r\n", {},
                     {"Form: My Form #0", "  File: My Form.frm #3"}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct FailCase {
  const char* Name;
  TArgs Args;        // "@" stands for the temporary directory
  const char* Err;   // part of the message
};

class CliFormTreeFailures : public testing::TestWithParam<FailCase> {};

TEST_P(CliFormTreeFailures, ExitTwoWithAMessage) {
  test::TempDir dir;
  dir.Write("OLD.FRM", std::string("\xFF\x01\x00\x05Form1\r\n", 11));
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
    Cli, CliFormTreeFailures,
    testing::Values(
        FailCase{"FormTreeMissingFile", {"formtree", "@missing.frm"}, "cannot read"},
        FailCase{"FormTreeDirectory", {"formtree", "@"}, "is a directory"},
        FailCase{"FormTreeBinaryForm", {"formtree", "@OLD.FRM"}, "OLD.FRM is a binary form; its controls cannot be listed."},
        FailCase{"FormTreeNoFile", {"formtree"}, "no form file given"},
        FailCase{"FormTreeTwoFiles", {"formtree", "a.frm", "b.frm"}, "give exactly one form file"},
        FailCase{"FormTreeUnknownOption", {"formtree", "--deep", "a.frm"}, "unknown option --deep"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliFormTree, HundredThousandNestedBlocks) {
  test::TempDir dir;
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += "Begin VB.Frame F\r\n";
  const TRun run = RunArgs({"formtree", dir.Write("Deep.frm", bytes)});
  ASSERT_EQ(run.Code, kExitOk);
  std::size_t nodes = 0;
  for (std::size_t at = 0; (at = run.Out.find("\"caption\":", at)) != std::string::npos; ++at) ++nodes;
  EXPECT_EQ(nodes, 100002u);
  EXPECT_TRUE(run.Out.ends_with("]}]}\n"));
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '['), std::count(run.Out.begin(), run.Out.end(), ']'));
}

}  // namespace
}  // namespace qm::cli
