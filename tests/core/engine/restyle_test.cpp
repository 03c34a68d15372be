// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/restyle.h"
#include "fake_ui.h"
#include "format_verify.h"
#include "project/sourcemgt.h"
#include "row_name.h"

namespace qm {
namespace {

struct RestyleRow {
  std::string_view Name;
  std::string_view Input;
  int TabWidth;
  bool Indent;
  bool CancelFirst;
  std::string_view Expected;  // the output lines rendered as format_verify does; unused when cancelled
};

class RestyleLinesCase : public ::testing::TestWithParam<RestyleRow> {};

TEST_P(RestyleLinesCase, RestylesOneSourceWithTheGivenSettings) {
  const RestyleRow& row = GetParam();
  TSettings settings = test::RulesOffSettings();
  settings.SetBool(SettingKey::CodeIndentPerform, row.Indent);
  settings.SetTabWidth(row.TabWidth);
  test::FakePrompts prompts;
  TNullProgress window;
  TCancelToken cancel;
  if (row.CancelFirst) cancel.Request();
  const TRestyled result =
      RestyleLines(test::TextLines(row.Input), "MAIN.BAS", rkModule, TEngineServices{settings, prompts, window, window},
                   &cancel);
  EXPECT_EQ(result.Done, !row.CancelFirst);
  if (row.CancelFirst) return;
  EXPECT_EQ(test::RenderMarked(result.Output), row.Expected);
  EXPECT_FALSE(result.MismatchLine);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestyleLinesCase,
    ::testing::Values(
        RestyleRow{"TabsByTheSettingsWidth", "Sub T ()\n\tx = 1\nEnd Sub\n", 8, false, false,
                   ".Sub T ()\n.        x = 1\n.End Sub\n"},
        RestyleRow{"AnotherWidthAnotherText", "Sub T ()\n\tx = 1\nEnd Sub\n", 2, false, false,
                   ".Sub T ()\n.  x = 1\n.End Sub\n"},
        RestyleRow{"IndentedByTheRules", "Sub T ()\nx = 1\nEnd Sub\n", 4, true, false,
                   ".Sub T ()\n*    x = 1\n.End Sub\n"},
        RestyleRow{"CancelledBeforeItStarts", "Sub T ()\nx = 1\nEnd Sub\n", 4, true, true, ""}),
    test::RowName(&RestyleRow::Name));

}  // namespace
}  // namespace qm
