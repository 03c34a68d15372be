// SPDX-License-Identifier: MIT
// Word splitting for program text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spelling/words.h"

namespace qm {
namespace {

struct SplitRow {
  const char* name;
  std::string text;
  std::vector<std::string> words;
  TWordRules rules = {};
};

class SplitWordsTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitWordsTest, FindsTheWordsToCheck) {
  const SplitRow& r = GetParam();
  std::vector<std::string> got;
  for (const TWordSpan& w : SplitWords(r.text, r.rules)) got.push_back(r.text.substr(w.Pos, w.Len));
  EXPECT_EQ(got, r.words);
}

TWordRules CheckEverything() { return {false, false, false}; }

TWordRules Page(TCodePage page) {
  TWordRules rules;
  rules.CodePage = page;
  return rules;
}

INSTANTIATE_TEST_SUITE_P(
    Words, SplitWordsTest,
    ::testing::Values(
        SplitRow{"Prose", "Hello World, it's done.", {"Hello", "World", "it's", "done"}},
        SplitRow{"ApostropheOnlyInside", "'quoted' users' rock'n'roll", {"quoted", "users", "rock'n'roll"}},
        SplitRow{"TypographicApostrophe", "don\x92t", {"don\x92t"}},
        SplitRow{"Cp1252Letters", "caf\xE9 na\xEFve \x9Aum", {"caf\xE9", "na\xEFve", "\x9Aum"}},
        SplitRow{"DigitsAndUnderscores", "Form1 MAX_PATH x2 tea", {"tea"}},
        SplitRow{"DigitsSeparateWhenAsked", "Form1Name snake_case", {"Form", "Name", "snake", "case"},
                 CheckEverything()},
        SplitRow{"Capitals", "OK TODO Save", {"Save"}},
        SplitRow{"CapitalsWhenAsked", "OK TODO", {"OK", "TODO"}, CheckEverything()},
        SplitRow{"CamelCase", "frmMain ListIndex HTMLParser Window", {"Window"}},
        SplitRow{"CamelCaseWhenAsked", "frmMain", {"frmMain"}, CheckEverything()},
        SplitRow{"SingleLetters", "a I x go", {"go"}},
        SplitRow{"Paths", "C:\\TEMP\\A.TXT /usr/lib and/or here", {"here"}},
        SplitRow{"Urls", "see http://example.com www.example.org now", {"see", "now"}},
        SplitRow{"Email", "mail bob@example.com today", {"mail", "today"}},
        SplitRow{"DottedNames", "VBQUILL3.INI frm.Show e.g. end.", {"end"}},
        SplitRow{"Placeholders", "%s and %ld %-10s %1 {0} done", {"and", "done"}},
        SplitRow{"Accelerators", "E&xit &Save", {"Save"}},
        SplitRow{"Punctuation", "(teh) \"Recieve\"; <ok>", {"teh", "Recieve", "ok"}},
        SplitRow{"Empty", "", {}},
        SplitRow{"OnlyBlanks", "   \t  ", {}},
        // Double-byte code pages: a trail byte that is an ASCII letter belongs to its character.
        SplitRow{"ShiftJisTrailLetterIsNoWord", "\x83\x66\x81\x5B\x83\x5E", {}, Page(TCodePage::ShiftJIS)},
        SplitRow{"SameBytesInWindows1252", "\x83\x66\x81\x5B\x83\x5E", {"\x83\x66"}},
        SplitRow{"ShiftJisBackslashTrailIsNoPath", "\x95\x5C\x8E\xA6 the list", {"the", "list"},
                 Page(TCodePage::ShiftJIS)},
        SplitRow{"ShiftJisHalfWidthKatakana", "\xB1\xB2open\xB3", {"open"}, Page(TCodePage::ShiftJIS)},
        SplitRow{"ShiftJisBrokenPairAtEnd", "save\x83", {"save"}, Page(TCodePage::ShiftJIS)},
        SplitRow{"GbkCharactersSeparateWords", "\xD6\xD0\xCE\xC4text\xD6\xD0more", {"text", "more"},
                 Page(TCodePage::GBK)},
        SplitRow{"Big5TrailLetter", "\xA4\x61test", {"test"}, Page(TCodePage::Big5)},
        SplitRow{"KoreanTrailLetter", "\x81\x61go value", {"go", "value"}, Page(TCodePage::Korean949)}),
    [](const ::testing::TestParamInfo<SplitRow>& info) { return info.param.name; });

// Checking resumes after a word, also from inside a chunk.
TEST(NextWordTest, ResumesAfterAWord) {
  const std::string text = "teh (cat) sat";
  const TWordSpan first = NextWord(text, 0, {});
  EXPECT_EQ(first, (TWordSpan{0, 3}));
  EXPECT_EQ(NextWord(text, 5, {}), (TWordSpan{5, 3}));
  EXPECT_EQ(NextWord(text, 8, {}), (TWordSpan{10, 3}));
  EXPECT_EQ(NextWord(text, 13, {}).Len, 0u);
}

}  // namespace
}  // namespace qm
