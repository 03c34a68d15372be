// SPDX-License-Identifier: MIT
// --encoding of formtree, stats, spell and the project report, and the settings' Encoding choice
// when it is not given: texts of a Shift-JIS project are shown as what they say, and spelling
// never takes the bytes of a double-byte character for letters.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>

#include "cli.h"
#include "cli_encoding.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

using test::TempDir;

struct NameRow {
  const char* Name;
  std::string Encoding;
  std::optional<TCodePage> Words;
};

class WordsCodePageOfNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(WordsCodePageOfNameTest, SplitsInTheRightCodePage) {
  EXPECT_EQ(WordsCodePageOfName(GetParam().Encoding), GetParam().Words);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WordsCodePageOfNameTest,
    ::testing::Values(NameRow{"ShiftJisAnyCase", "shift_jis", TCodePage::ShiftJIS},
                      NameRow{"ShiftJisWithHyphen", "Shift-JIS", TCodePage::ShiftJIS},
                      NameRow{"Cp932", "CP932", TCodePage::ShiftJIS},
                      NameRow{"Gbk", "GBK", TCodePage::GBK},
                      NameRow{"Big5", "big5", TCodePage::Big5},
                      NameRow{"EucKr", "EUC-KR", TCodePage::Korean949},
                      NameRow{"Windows1251", "windows-1251", TCodePage::Cyrillic1251},
                      NameRow{"Cp1252", "cp1252", TCodePage::Windows1252},
                      NameRow{"Utf8", "utf8", TCodePage::Utf8},
                      NameRow{"OtherMultiByteIsDoubleByte", "EUC-JP", TCodePage::GBK},
                      NameRow{"OtherSingleByteIsWestern", "ISO-8859-7", TCodePage::Windows1252},
                      NameRow{"Unknown", "no-such-code-page", std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

// "日本語の画面" and a comment whose Shift-JIS bytes read as Windows-1252 letters ("àaàbàcép").
const std::string kJapanese = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x89\xE6\x96\xCA";
const std::string kJapaneseUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE7\x94\xBB\xE9\x9D\xA2";
const std::string kLetterBytes = "\xE0\x61\xE0\x62\xE0\x63\xE9\x70";

std::string Form(const std::string& caption) {
  return "VERSION 5.00\r\nBegin VB.Form frmMain\r\n   Caption         =   \"" + caption +
         "\"\r\nEnd\r\nAttribute VB_Name = \"frmMain\"\r\n";
}

struct TreeRow {
  const char* Name;
  TArgs Options;
  std::string Ini;      // the settings file beside the form; empty: none
  std::string Caption;  // the form's caption as written
  int Code;
  std::string Shown;    // a part of standard output (the caption as JSON holds it) or of the error
};

class CliFormTreeEncoding : public ::testing::TestWithParam<TreeRow> {};

TEST_P(CliFormTreeEncoding, ShowsTheCaption) {
  TempDir dir;
  const TreeRow& row = GetParam();
  if (!row.Ini.empty()) dir.Write("f/VBQUILL3.INI", row.Ini);
  TArgs args = {"formtree"};
  args.insert(args.end(), row.Options.begin(), row.Options.end());
  args.push_back(dir.Write("f/JP.FRM", Form(row.Caption)));
  const test::TCliRun r = test::RunCaptured(args);
  EXPECT_EQ(r.Code, row.Code) << r.Err;
  EXPECT_NE((r.Code == kExitOk ? r.Out : r.Err).find(row.Shown), std::string::npos) << r.Out << r.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliFormTreeEncoding,
    ::testing::Values(
        TreeRow{"ShiftJisOption", {"--encoding", "shift_jis"}, "", kJapanese, kExitOk, kJapaneseUtf8},
        TreeRow{"OptionWithEquals", {"--encoding=CP932"}, "", kJapanese, kExitOk, kJapaneseUtf8},
        TreeRow{"SettingsChoice", {}, "[Encoding]\nCodePage=932\n", kJapanese, kExitOk, kJapaneseUtf8},
        TreeRow{"OptionOverridesSettings", {"--encoding", "shift_jis"}, "[Encoding]\nCodePage=1251\n", kJapanese,
                kExitOk, kJapaneseUtf8},
        TreeRow{"AutoTakesUtf8", {"--encoding", "auto"}, "", kJapaneseUtf8, kExitOk, kJapaneseUtf8},
        TreeRow{"AutoFallsBackAsTheSettingsSay", {"--encoding", "auto"}, "[Encoding]\nAutoFallback=932\n", kJapanese,
                kExitOk, kJapaneseUtf8},
        TreeRow{"DefaultIsWindows1252", {}, "", "Caf\xE9", kExitOk, "Caf\xC3\xA9"},
        TreeRow{"UndecodableBytesBecomeReplacements", {"--encoding", "utf-8"}, "", "a\xFF", kExitOk,
                "a\xEF\xBF\xBD"},
        TreeRow{"UnknownName", {"--encoding", "klingon"}, "", kJapanese, kExitError, "unknown encoding klingon"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct SpellRow {
  const char* Name;
  TArgs Options;
  std::string Ini;
  bool ListsFragment;
};

class CliSpellEncoding : public ::testing::TestWithParam<SpellRow> {};

TEST_P(CliSpellEncoding, SplitsWordsOnCharacters) {
  TempDir dir;
  const SpellRow& row = GetParam();
  if (!row.Ini.empty()) dir.Write("s/VBQUILL3.INI", row.Ini);
  TArgs args = {"spell"};
  args.insert(args.end(), row.Options.begin(), row.Options.end());
  args.push_back(dir.Write("s/JP.BAS", "Sub A ()\r\n  ' " + kLetterBytes + " " + kJapanese + "\r\nEnd Sub\r\n"));
  const test::TCliRun r = test::RunCaptured(args);
  if (r.Err.find("no spell checker") != std::string::npos) GTEST_SKIP() << "this build has no spell checker";
  EXPECT_EQ(r.Code, row.ListsFragment ? kExitFindings : kExitOk) << r.Err;
  EXPECT_EQ(r.Out.find(kLetterBytes) != std::string::npos, row.ListsFragment) << r.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliSpellEncoding,
    ::testing::Values(SpellRow{"Windows1252ReadsLetters", {"--encoding", "cp1252"}, "", true},
                      SpellRow{"DefaultAutoDetectsShiftJis", {}, "", false},
                      SpellRow{"ShiftJisOption", {"--encoding", "shift_jis"}, "", false},
                      SpellRow{"SettingsChoice", {}, "[Encoding]\nCodePage=932\n", false},
                      SpellRow{"AutoWithShiftJisFallback", {"--encoding", "auto"}, "[Encoding]\nAutoFallback=932\n",
                               false},
                      SpellRow{"OtherMultiByteEncoding", {"--encoding", "EUC-JP"}, "", false}),
    [](const auto& info) { return std::string(info.param.Name); });

// The names a project file gives its items, in the stats and in the run's report.
TEST(CliEncodingReports, NamesOfTheProjectFileAreDecoded) {
  TempDir dir;
  dir.Write("p/VBQUILL3.INI", "[Encoding]\nCodePage=932\n");
  dir.Write("p/P.VBP", "Type=Exe\r\nModule=M; " + kJapanese + ".BAS\r\n");
  dir.Write("p/" + kJapanese + ".BAS", "Attribute VB_Name = \"M\"\r\n");
  const test::TCliRun stats = test::RunCaptured({"stats", "--json", dir / "p/P.VBP"});
  ASSERT_EQ(stats.Code, kExitOk) << stats.Err;
  EXPECT_EQ(nlohmann::json::parse(stats.Out)["items"][0]["name"], kJapaneseUtf8 + ".BAS");
  const test::TCliRun report = test::RunCaptured({"--check", "--report", "json", dir / "p/P.VBP"});
  ASSERT_LE(report.Code, kExitFindings) << report.Err;
  EXPECT_EQ(nlohmann::json::parse(report.Out)["items"][0]["name"], kJapaneseUtf8 + ".BAS");
  // The option wins over the settings.
  const test::TCliRun western =
      test::RunCaptured({"--check", "--report", "json", "--encoding", "windows-1252", dir / "p/P.VBP"});
  ASSERT_LE(western.Code, kExitFindings) << western.Err;
  EXPECT_NE(nlohmann::json::parse(western.Out)["items"][0]["name"], kJapaneseUtf8 + ".BAS");
  const test::TCliRun bad = test::RunCaptured({"stats", "--encoding", "klingon", dir / "p/P.VBP"});
  EXPECT_EQ(bad.Code, kExitError);
  EXPECT_NE(bad.Err.find("unknown encoding klingon"), std::string::npos) << bad.Err;
}

}  // namespace
}  // namespace qm::cli
