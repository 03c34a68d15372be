// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linefile.h"
#include "row_name.h"
#include "settings/charsetdetector.h"
#include "settings/encoding.h"
#include "settings/fileencodings.h"
#include "temp_dir.h"

namespace qm {
namespace {

using P = TCodePage;

std::string SampleBytes(const std::string& name) {
  std::string bytes;
  std::string err;
  EXPECT_TRUE(ReadFileBytes(std::string(TEST_DATA_DIR) + "/encodings/" + name, bytes, &err)) << err;
  return bytes;
}

struct SampleRow {
  std::string Name;
  std::string File;
  TCodePage Expected;
};

class AutoOnSampleTest : public ::testing::TestWithParam<SampleRow> {};

// Short modules as a user's project holds them: a few comments and strings in their language.
TEST_P(AutoOnSampleTest, FindsTheCodePageOfTheWholeFile) {
  const SampleRow& row = GetParam();
  if (!CharsetDetectionAvailable() && row.Expected != P::Utf8 && row.Expected != P::Windows1252) {
    GTEST_SKIP() << "this build has no code page detector";
  }
  const std::string bytes = SampleBytes(row.File);
  EXPECT_EQ(ResolveCodePage(TEncodingSettings{}, bytes), row.Expected);
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", pos);
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end == std::string::npos ? bytes.size() : end + 2;
  }
  EXPECT_EQ(ResolveCodePage(TEncodingSettings{}, lines), row.Expected) << "line by line";
  // A chosen code page is never second-guessed.
  EXPECT_EQ(ResolveCodePage(TEncodingSettings{P::Greek1253, P::Windows1252}, bytes), P::Greek1253);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, AutoOnSampleTest,
    ::testing::Values(SampleRow{"ShiftJis", "shiftjis.bas", P::ShiftJIS},
                      SampleRow{"Gbk", "gbk.bas", P::GBK},
                      SampleRow{"Big5", "big5.bas", P::Big5},
                      SampleRow{"EucKr", "korean949.bas", P::Korean949},
                      SampleRow{"Windows1251", "cyrillic1251.bas", P::Cyrillic1251},
                      SampleRow{"Utf8", "utf8.bas", P::Utf8},
                      SampleRow{"LatinAccentsTakeTheFallback", "western1252.bas", P::Windows1252}),
    test::RowName(&SampleRow::Name));

TEST(AutoOnSample, LatinTextKeepsTheUsersFallback) {
  const std::string bytes = SampleBytes("western1252.bas");
  EXPECT_EQ(ResolveCodePage(TEncodingSettings{P::Auto, P::CentralEuropean1250}, bytes), P::CentralEuropean1250);
}

struct NameRow {
  std::string Name;
  std::string Charset;
  std::optional<TCodePage> Expected;
};

class CharsetNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(CharsetNameTest, MapsToTheMenusCodePage) {
  EXPECT_EQ(CodePageOfCharsetName(GetParam().Charset), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CharsetNameTest,
    ::testing::Values(NameRow{"ShiftJis", "SHIFT_JIS", P::ShiftJIS}, NameRow{"Gb18030IsGbk", "GB18030", P::GBK},
                      NameRow{"UhcIsKorean", "UHC", P::Korean949}, NameRow{"EucKrIsKorean", "euc-kr", P::Korean949},
                      NameRow{"Latin1IsWindows1252", "ISO-8859-1", P::Windows1252},
                      NameRow{"Tis620IsThai", "TIS-620", P::Thai874},
                      NameRow{"Koi8rHasNoEntry", "KOI8-R", std::nullopt},
                      NameRow{"EucJpHasNoEntry", "EUC-JP", std::nullopt},
                      NameRow{"EmptyIsNone", "", std::nullopt}),
    test::RowName(&NameRow::Name));

struct PairRow {
  std::string Name;
  std::string Bytes;
  TCodePage Page;
  bool Expected;
};

class DoubleByteTest : public ::testing::TestWithParam<PairRow> {};

TEST_P(DoubleByteTest, ChecksEveryLeadByteHasItsTrail) {
  EXPECT_EQ(IsWellFormedDoubleByte(GetParam().Bytes, GetParam().Page), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, DoubleByteTest,
    ::testing::Values(PairRow{"ShiftJisPair", "\x93\xFA\x96\x7B", P::ShiftJIS, true},
                      PairRow{"ShiftJisHalfWidthKana", "\xB1\xB2", P::ShiftJIS, true},
                      PairRow{"ShiftJisLeadBeforeBlank", "caf\xE9 ok", P::ShiftJIS, false},
                      PairRow{"LeadAtTheEnd", "abc\x93", P::GBK, false},
                      PairRow{"Big5TrailBelowA1", "\xA4\x80", P::Big5, false},
                      PairRow{"KoreanPair", "\xB0\xED", P::Korean949, true},
                      PairRow{"SingleBytePageAlwaysFits", "\xE9 ", P::Cyrillic1251, true}),
    test::RowName(&PairRow::Name));

struct GuardRow {
  std::string Name;
  std::string Bytes;
};

class DetectorGuardTest : public ::testing::TestWithParam<GuardRow> {};

// Short or broken texts on which a detector guesses: Auto keeps the fallback rather than a guess.
TEST_P(DetectorGuardTest, UnsureTextTakesTheFallback) {
  const TEncodingSettings settings{P::Auto, P::Windows1252};
  EXPECT_EQ(ResolveCodePage(settings, GetParam().Bytes), P::Windows1252);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DetectorGuardTest,
    ::testing::Values(GuardRow{"OneAccent", "' caf\xE9\r\n"},
                      GuardRow{"Utf8AndLatinMixed", "' caf\xC3\xA9\r\n' caf\xE9\r\n"},
                      GuardRow{"BeyondUnicodeLooksUtf8", "' \xF4\x90\x80\x80\r\n"},
                      GuardRow{"TruncatedUtf8", "' \xE2\x82\r\n"}),
    test::RowName(&GuardRow::Name));

struct FileEncodingRow {
  std::string Name;
  std::string Project;
  std::string Source;
  bool Stored;
};

class FileEncodingTest : public ::testing::TestWithParam<FileEncodingRow> {};

TEST_P(FileEncodingTest, RemembersAChoicePerProjectAndFile) {
  test::TempDir dir;
  const FileEncodingRow& row = GetParam();
  std::string err;
  EXPECT_EQ(SaveFileEncoding(row.Project, row.Source, P::ShiftJIS, kSettingsFileName, &err), row.Stored) << err;
  EXPECT_EQ(LoadFileEncoding(row.Project, row.Source), row.Stored ? P::ShiftJIS : P::Auto);
  // Another project's file of the same name has its own entry.
  EXPECT_EQ(LoadFileEncoding("/other/OTHER.VBP", row.Source), P::Auto);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileEncodingTest,
    ::testing::Values(FileEncodingRow{"PosixPaths", "/home/u/ORDERS.VBP", "/home/u/ORDERS.FRM", true},
                      FileEncodingRow{"WindowsPaths", "C:\\VB\\ORDERS.MAK", "C:\\VB\\FORMS\\MAIN.FRM", true},
                      FileEncodingRow{"NameWithBlanks", "/p/My Project.vbp", "/p/Main Form.frm", true},
                      FileEncodingRow{"BracketInProject", "/p/[old]/A.VBP", "/p/A.BAS", false},
                      FileEncodingRow{"EqualsInFileName", "/p/A.VBP", "/p/A=B.BAS", false},
                      FileEncodingRow{"NoProject", "", "/p/A.BAS", false}),
    test::RowName(&FileEncodingRow::Name));

TEST(FileEncoding, KeyIgnoresLetterCaseAndAutoForgets) {
  test::TempDir dir;
  ASSERT_TRUE(SaveFileEncoding("/p/A.VBP", "/p/MAIN.FRM", P::Big5));
  EXPECT_EQ(LoadFileEncoding("/p/A.VBP", "/p/main.frm"), P::Big5);
  ASSERT_TRUE(SaveFileEncoding("/p/A.VBP", "/p/MAIN.FRM", P::Auto));
  EXPECT_EQ(LoadFileEncoding("/p/A.VBP", "/p/MAIN.FRM"), P::Auto);
  // The display choice of every file is not touched.
  EXPECT_EQ(LoadEncodingSettings(), TEncodingSettings{});
}

}  // namespace
}  // namespace qm
