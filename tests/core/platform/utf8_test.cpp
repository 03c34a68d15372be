// SPDX-License-Identifier: MIT
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

struct Utf8Case {
  const char* Name;
  std::string Cp1252;
  std::string Utf8;
};

class Cp1252Conversion : public testing::TestWithParam<Utf8Case> {};

TEST_P(Cp1252Conversion, EveryByteHasItsCharacter) {
  const std::string utf8 = Cp1252ToUtf8(GetParam().Cp1252);
  EXPECT_EQ(utf8, GetParam().Utf8);
  EXPECT_TRUE(IsValidUtf8(utf8));
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, Cp1252Conversion,
    testing::Values(Utf8Case{"Ascii", "Caption = \"OK\"\t", "Caption = \"OK\"\t"},
                    Utf8Case{"Latin1Letters", "caf\xE9 \xFF", "caf\xC3\xA9 \xC3\xBF"},
                    Utf8Case{"EuroAndQuotes", "\x80\x93\x94", "\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x9D"},
                    Utf8Case{"UndefinedBytesKept", "\x81\x9D", "\xC2\x81\xC2\x9D"},
                    Utf8Case{"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.Name); });

// And back: every character of the code page, the undefined bytes' controls included.
TEST_P(Cp1252Conversion, ComesBackFromUtf8) {
  std::string back;
  ASSERT_TRUE(Utf8ToCp1252(GetParam().Utf8, back));
  EXPECT_EQ(back, GetParam().Cp1252);
}

struct NotCp1252Case {
  const char* Name;
  std::string Utf8;
};

class Utf8NotCp1252 : public testing::TestWithParam<NotCp1252Case> {};

TEST_P(Utf8NotCp1252, IsRefused) {
  std::string out;
  EXPECT_FALSE(Utf8ToCp1252(GetParam().Utf8, out));
}

INSTANTIATE_TEST_SUITE_P(Utf8, Utf8NotCp1252,
                         testing::Values(NotCp1252Case{"ChineseCharacter", "x \xE4\xB8\xAD"},
                                         NotCp1252Case{"C1ControlTheCodePageMaps", "\xC2\x80"},
                                         NotCp1252Case{"BeyondTheBasicPlane", "\xF0\x9F\x98\x80"},
                                         NotCp1252Case{"NotUtf8", "caf\xE9"}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct ValidityCase {
  const char* Name;
  std::string Bytes;
  bool Valid;
};

class Utf8Validity : public testing::TestWithParam<ValidityCase> {};

TEST_P(Utf8Validity, WellFormedOnly) { EXPECT_EQ(IsValidUtf8(GetParam().Bytes), GetParam().Valid); }

INSTANTIATE_TEST_SUITE_P(Utf8, Utf8Validity,
                         testing::Values(ValidityCase{"Empty", "", true},
                                         ValidityCase{"FourBytes", "\xF0\x9F\x98\x80", true},
                                         ValidityCase{"LoneCp1252Byte", "caf\xE9", false},
                                         ValidityCase{"Truncated", "\xE2\x82", false},
                                         ValidityCase{"Overlong", "\xC0\xAF", false},
                                         ValidityCase{"OverlongThreeBytes", "\xE0\x80\xAF", false},
                                         ValidityCase{"Surrogate", "\xED\xA0\x80", false},
                                         ValidityCase{"BeyondUnicode", "\xF4\x90\x80\x80", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm
