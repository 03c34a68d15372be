// SPDX-License-Identifier: MIT
#include "settings/encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile.h"
#include "temp_dir.h"

namespace qm {
namespace {

using P = TCodePage;

struct ResolveRow {
  const char* name;
  TEncodingSettings settings;
  std::vector<std::string> lines;
  TCodePage expected;
};

class ResolveCodePageTest : public ::testing::TestWithParam<ResolveRow> {};

TEST_P(ResolveCodePageTest, ChoosesTheCodePageOfAText) {
  const ResolveRow& row = GetParam();
  EXPECT_EQ(ResolveCodePage(row.settings, row.lines), row.expected);
  std::string joined;
  for (const std::string& line : row.lines) joined += line + "\r\n";
  EXPECT_EQ(ResolveCodePage(row.settings, joined), row.expected) << "as one byte string";
}

const TEncodingSettings kAuto{};
const TEncodingSettings kAutoJapanese{P::Auto, P::ShiftJIS};

INSTANTIATE_TEST_SUITE_P(
    Rows, ResolveCodePageTest,
    ::testing::Values(
        ResolveRow{"AsciiOnlyTakesTheFallback", kAuto, {"Dim x As Integer", "' plain"}, P::Windows1252},
        ResolveRow{"Utf8CommentIsUtf8", kAuto, {"Dim x", "' caf\xC3\xA9 \xE2\x82\xAC"}, P::Utf8},
        ResolveRow{"FourByteUtf8IsUtf8", kAuto, {"' \xF0\x9F\x98\x80"}, P::Utf8},
        ResolveRow{"Windows1252AccentIsNotUtf8", kAuto, {"' caf\xE9"}, P::Windows1252},
        ResolveRow{"ShiftJisFallsBackWhenSet", kAutoJapanese, {"' \x93\xFA\x96\x7B\x8C\xEA"}, P::ShiftJIS},
        ResolveRow{"OneBadLineRulesUtf8Out", kAuto, {"' caf\xC3\xA9", "' caf\xE9"}, P::Windows1252},
        ResolveRow{"OverlongSlashIsNotUtf8", kAuto, {"' \xC0\xAF"}, P::Windows1252},
        ResolveRow{"SurrogateIsNotUtf8", kAuto, {"' \xED\xA0\x80"}, P::Windows1252},
        ResolveRow{"PastUnicodeIsNotUtf8", kAuto, {"' \xF4\x90\x80\x80"}, P::Windows1252},
        ResolveRow{"TruncatedSequenceIsNotUtf8", kAuto, {"' \xE2\x82"}, P::Windows1252},
        ResolveRow{"ChosenPageWinsOverDetection", {P::Cyrillic1251, P::Windows1252}, {"' caf\xC3\xA9"},
                   P::Cyrillic1251},
        ResolveRow{"FallbackAutoMeansWindows1252", {P::Auto, P::Auto}, {"' \xE9"}, P::Windows1252}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodePages, HaveDistinctKeysAndConvertersAndAutoFirst) {
  const std::vector<TCodePageInfo>& pages = CodePages();
  ASSERT_EQ(pages.size(), 16u);
  EXPECT_EQ(pages.front().Page, P::Auto);
  EXPECT_EQ(pages.front().Caption, "Auto");
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(CodePageFromKey(pages[i].Key), pages[i].Page) << pages[i].Caption;
    EXPECT_EQ(i == 0, pages[i].Converter.empty()) << pages[i].Caption;
    for (std::size_t j = i + 1; j < pages.size(); ++j) {
      EXPECT_NE(pages[i].Key, pages[j].Key);
      EXPECT_NE(pages[i].Caption, pages[j].Caption);
    }
  }
  EXPECT_EQ(CodePageFromKey("utf-8"), P::Utf8);
  EXPECT_EQ(CodePageFromKey("EBCDIC"), std::nullopt);
}

struct StoredRow {
  const char* name;
  const char* file;  // the settings file's text; empty: no file
  TEncodingSettings expected;
};

class EncodingSectionTest : public ::testing::TestWithParam<StoredRow> {};

TEST_P(EncodingSectionTest, ReadsTheSectionOfItsOwn) {
  test::TempDir dir;
  if (*GetParam().file) dir.Write("VBQUILL3.INI", GetParam().file);
  EXPECT_EQ(LoadEncodingSettings(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EncodingSectionTest,
    ::testing::Values(
        StoredRow{"NoFile", "", {P::Auto, P::Windows1252}},
        StoredRow{"OlderFileWithoutTheSection", "[General]\r\nIfThenSplit=1\r\n", {P::Auto, P::Windows1252}},
        StoredRow{"JapaneseChosen", "[Encoding]\r\nCodePage=932\r\n", {P::ShiftJIS, P::Windows1252}},
        StoredRow{"AutoWithKoreanFallback", "[encoding]\r\ncodepage=auto\r\nAutoFallback=949\r\n",
                  {P::Auto, P::Korean949}},
        StoredRow{"UnknownValuesKeepDefaults", "[Encoding]\r\nCodePage=EBCDIC\r\nAutoFallback=Auto\r\n",
                  {P::Auto, P::Windows1252}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncodingSection, SavedValuesReadBackAndLeaveOtherSectionsAlone) {
  test::TempDir dir;
  dir.Write("VBQUILL3.INI", "[RecentFiles]\r\nItem1=/p/A.VBP\r\n");
  const TEncodingSettings chosen{P::Big5, P::GBK};
  std::string err;
  ASSERT_TRUE(SaveEncodingSettings(chosen, kSettingsFileName, &err)) << err;
  EXPECT_EQ(LoadEncodingSettings(), chosen);
  EXPECT_EQ(GetPrivateProfileString("RecentFiles", "Item1", "", kSettingsFileName), "/p/A.VBP");
  EXPECT_EQ(GetPrivateProfileString("Encoding", "CodePage", "", kSettingsFileName), "950");
}

}  // namespace
}  // namespace qm
