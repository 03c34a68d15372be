// SPDX-License-Identifier: MIT
// Options with a value, as every subcommand reads them: "NAME VALUE" and "NAME=VALUE".

#include <gtest/gtest.h>

#include <string>

#include "cli.h"
#include "cli_args.h"

namespace qm::cli {
namespace {

struct ValueRow {
  const char* Name;
  TArgs Args;           // the option read is args[0]
  bool IsTheOption;
  std::string Value;    // what the option holds afterwards
  std::size_t Next;     // the index the parser is left at
  std::string Problem;
};

class IsValueOptionTest : public ::testing::TestWithParam<ValueRow> {};

TEST_P(IsValueOptionTest, TakesTheValue) {
  const ValueRow& row = GetParam();
  std::size_t i = 0;
  std::string value = "unset", problem;
  EXPECT_EQ(IsValueOption(row.Args, i, "--encoding", value, problem), row.IsTheOption);
  EXPECT_EQ(value, row.Value);
  EXPECT_EQ(i, row.Next);
  EXPECT_EQ(problem, row.Problem);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IsValueOptionTest,
    ::testing::Values(ValueRow{"SeparateValue", {"--encoding", "gbk", "x.frm"}, true, "gbk", 1, ""},
                      ValueRow{"ValueAfterEquals", {"--encoding=gbk", "x.frm"}, true, "gbk", 0, ""},
                      ValueRow{"EmptyAfterEquals", {"--encoding="}, true, "", 0, ""},
                      ValueRow{"ValueLooksLikeAnOption", {"--encoding", "--json"}, true, "--json", 1, ""},
                      ValueRow{"MissingValue", {"--encoding"}, true, "unset", 0, "option --encoding needs a value"},
                      ValueRow{"LongerName", {"--encodings", "gbk"}, false, "unset", 0, ""},
                      ValueRow{"OtherArgument", {"x.frm"}, false, "unset", 0, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm::cli
