// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/ascii.h"
#include "platform/cp1252.h"
#include "row_name.h"

namespace qm {
namespace {

struct PrefixRow {
  std::string_view Name;
  std::string_view Text;
  std::string_view UpperPrefix;
  bool Prefix;  // HasUpperPrefix
  bool Equal;   // EqualsUpperIgnoringCase
};

class AsciiCase : public ::testing::TestWithParam<PrefixRow> {};

TEST_P(AsciiCase, ComparesIgnoringTheCaseOfAsciiLettersOnly) {
  EXPECT_EQ(HasUpperPrefix(GetParam().Text, GetParam().UpperPrefix), GetParam().Prefix);
  EXPECT_EQ(EqualsUpperIgnoringCase(GetParam().Text, GetParam().UpperPrefix), GetParam().Equal);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AsciiCase,
    ::testing::Values(PrefixRow{"EmptyPrefix", "Dim", "", true, false},
                      PrefixRow{"EmptyBoth", "", "", true, true},
                      PrefixRow{"MixedCase", "oPtIoN Explicit", "OPTION", true, false},
                      PrefixRow{"WholeWord", "End", "END", true, true},
                      PrefixRow{"TextShorterThanPrefix", "En", "END", false, false},
                      PrefixRow{"DigitsAndMarksAsThey", "www.x", "WWW.", true, false},
                      // Letters above 127 keep their case: e acute is not E ACUTE.
                      PrefixRow{"Cp1252LetterKeepsItsCase", "\xE9t\xE9", "\xC9T\xC9", false, false},
                      // A lower-case prefix never matches: the prefix is given in capitals.
                      PrefixRow{"LowerPrefixNeverMatches", "end", "end", false, false}),
    test::RowName(&PrefixRow::Name));

struct ByteRow {
  std::string_view Name;
  unsigned char Byte;
  char16_t Char;
};

class Cp1252Bytes : public ::testing::TestWithParam<ByteRow> {};

TEST_P(Cp1252Bytes, MapsBothWays) {
  EXPECT_EQ(Cp1252Char(GetParam().Byte), GetParam().Char);
  EXPECT_EQ(Cp1252Byte(GetParam().Char), GetParam().Byte);
}

INSTANTIATE_TEST_SUITE_P(Rows, Cp1252Bytes,
                         ::testing::Values(ByteRow{"Ascii", 'A', u'A'}, ByteRow{"Euro", 0x80, 0x20AC},
                                           ByteRow{"UndefinedIsItsControl", 0x81, 0x0081},
                                           ByteRow{"Trademark", 0x99, 0x2122},
                                           ByteRow{"YDiaeresis", 0x9F, 0x0178},
                                           ByteRow{"NoBreakSpaceAsLatin1", 0xA0, 0x00A0},
                                           ByteRow{"LastByte", 0xFF, 0x00FF}),
                         test::RowName(&ByteRow::Name));

// Every byte comes back from its character, so that no source byte is lost on its way through a
// window; a character the code page lacks has no byte.
TEST(Cp1252Bytes, EveryByteSurvivesTheRoundTripAndForeignCharactersHaveNone) {
  for (int b = 0; b < 256; ++b) EXPECT_EQ(Cp1252Byte(Cp1252Char(static_cast<unsigned char>(b))), b) << b;
  EXPECT_EQ(Cp1252Byte(0x0100), -1);  // A macron
  EXPECT_EQ(Cp1252Byte(0x0080), -1);  // the C1 control that 80 is not
}

}  // namespace
}  // namespace qm
