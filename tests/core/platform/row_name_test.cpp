// SPDX-License-Identifier: MIT
#include "row_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

struct TextRow {
  const char* Name;
  std::string Text;
  std::string Expected;
};

class NameFromTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(NameFromTextTest, GivesAValidName) { EXPECT_EQ(test::NameFromText(GetParam().Text), GetParam().Expected); }

INSTANTIATE_TEST_SUITE_P(
    Rows, NameFromTextTest,
    ::testing::Values(TextRow{"ValidNameStays", "DotBackslash", "DotBackslash"},
                      TextRow{"RunsBecomeOneUnderscore", "x = \"a:b\"", "x_a_b"},
                      TextRow{"NoUnderscoreAtEitherEnd", "  ' note '", "note"},
                      TextRow{"CodePageBytesAreNoLetters", "y = \xE9t\xE9", "y_t"},
                      TextRow{"EmptyText", "", "Empty"},
                      TextRow{"BlanksOnly", " \t ", "Blank"},
                      TextRow{"NothingButPunctuation", "'=\r\n", "Symbols"},
                      TextRow{"DigitsAloneGetALetter", "-12", "N12"},
                      TextRow{"DigitsAmongLetters", "0x1A", "0x1A"},
                      TextRow{"CutToLength", std::string(50, 'a'), std::string(test::kRowNameLength, 'a')},
                      TextRow{"CutLeavesNoUnderscore", std::string(test::kRowNameLength - 1, 'a') + " b",
                              std::string(test::kRowNameLength - 1, 'a')}),
    test::RowName(&TextRow::Name));

struct Line {
  std::string Text;
};

// The names the generator gives the rows of one instantiation, named in order as the runner does.
std::vector<std::string> NamesFor(const std::vector<std::string>& texts) {
  const auto name = test::RowName(&Line::Text);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < texts.size(); ++i)
    names.push_back(name(::testing::TestParamInfo<Line>(Line{texts[i]}, i)));
  return names;
}

TEST(RowNameTest, NumbersOnlyTheRepeatsAndStartsAfreshPerInstantiation) {
  EXPECT_EQ(NamesFor({"x = 1", "x: 1", "B", "x 1"}), (std::vector<std::string>{"x_1", "x_1_1", "B", "x_1_3"}));
  EXPECT_EQ(NamesFor({"a", "a", "a_1"}), (std::vector<std::string>{"a", "a_1", "a_1_2"}));
  EXPECT_EQ(NamesFor({"x 1"}), (std::vector<std::string>{"x_1"}));
}

}  // namespace
}  // namespace qm
