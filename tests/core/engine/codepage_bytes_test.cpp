// SPDX-License-Identifier: MIT
// Source written in other code pages than Windows-1252 (Shift-JIS, UTF-8) goes through the engine
// byte for byte: only the rules' own changes (indentation, splitting) differ from the input.

#include <gtest/gtest.h>

#include <string>

#include "format_verify.h"

namespace qm {
namespace {

struct BytesRow {
  const char* name;
  const char* input;
  const char* expected;  // with the mark column of verifyFormat
};

class CodePageBytesTest : public ::testing::TestWithParam<BytesRow> {};

TEST_P(CodePageBytesTest, KeepsEveryByteTheRulesDoNotChange) {
  TSettings settings = test::RulesOffSettings();
  settings.SetBool(SettingKey::CodeIndentPerform, true);
  settings.SetBool(SettingKey::MultiStatementSplit, true);
  verifyFormat(GetParam().expected, GetParam().input, settings);
}

// Shift-JIS: "\x95\x5C\x8E\xA6" (two characters whose first trail byte is a backslash),
// "\x83\x5C" (a katakana ending in 0x5C), "\x93\xFA\x96\x7B\x8C\xEA" (three kanji).
// UTF-8: "caf\xC3\xA9", "\xE6\x97\xA5\xE6\x9C\xAC" (two kanji), "\xE2\x80\x99" (a quote mark).
INSTANTIATE_TEST_SUITE_P(
    Rows, CodePageBytesTest,
    ::testing::Values(
        BytesRow{"ShiftJis",
                 "Sub Show()\n"
                 "s = \"\x95\x5C\x8E\xA6\x83\x5C\" ' \x93\xFA\x96\x7B\x8C\xEA\n"
                 "    a = \"\x93\xFA\": b = \"\x83\x5C\"\n"
                 "End Sub\n",
                 ".Sub Show()\n"
                 "*    s = \"\x95\x5C\x8E\xA6\x83\x5C\" ' \x93\xFA\x96\x7B\x8C\xEA\n"
                 "*    a = \"\x93\xFA\"\n"
                 "*    b = \"\x83\x5C\"\n"
                 ".End Sub\n"},
        BytesRow{"Utf8",
                 "Sub Show()\n"
                 "s = \"caf\xC3\xA9\" ' \xE6\x97\xA5\xE6\x9C\xAC\xE2\x80\x99s\n"
                 "    a = \"\xE6\x97\xA5\": b = 1\n"
                 "End Sub\n",
                 ".Sub Show()\n"
                 "*    s = \"caf\xC3\xA9\" ' \xE6\x97\xA5\xE6\x9C\xAC\xE2\x80\x99s\n"
                 "*    a = \"\xE6\x97\xA5\"\n"
                 "*    b = 1\n"
                 ".End Sub\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
