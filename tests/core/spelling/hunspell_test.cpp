// SPDX-License-Identifier: MIT
// The speller on the installed en_US Hunspell dictionary.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "spelling/vcspeller.h"
#include "temp_dir.h"

namespace qm {
namespace {

class HunspellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string problem;
    if (!speller.BeginRun(&problem)) GTEST_SKIP() << problem;
  }

  // Every word reported in text, ignoring each.
  std::vector<std::string> Reported(const std::string& text) {
    std::vector<std::string> words;
    speller.SetCheckText(text);
    for (int r = speller.ResultCode(); r < 0; r = speller.ResumeCheck()) words.push_back(speller.MisspelledWord());
    return words;
  }

  std::vector<std::string> Suggestions(const std::string& word) {
    speller.SetFindSuggestions(word);
    std::vector<std::string> out;
    for (int i = 1; i <= speller.SuggestionCount(); ++i) out.push_back(speller.GetSuggestion(i));
    return out;
  }

  test::TempDir dir;
  TVCSpeller speller;
};

TEST_F(HunspellTest, FindsMisspellingsWithSuggestions) {
  EXPECT_EQ(Reported("Teh file will recieve data"), (std::vector<std::string>{"Teh", "recieve"}));
  const std::vector<std::string> teh = Suggestions("Teh");
  EXPECT_NE(std::find(teh.begin(), teh.end(), "The"), teh.end());
  const std::vector<std::string> recieve = Suggestions("recieve");
  EXPECT_NE(std::find(recieve.begin(), recieve.end(), "receive"), recieve.end());
}

TEST_F(HunspellTest, ProgramTextIsNotReported) {
  EXPECT_TRUE(Reported("Hello World frmMain MAX_PATH %1 C:\\TEMP\\A.TXT http://example.com").empty());
}

// A Windows-1252 word reaches the UTF-8 dictionary whole and is reported in the line's code page.
TEST_F(HunspellTest, Cp1252WordsConverted) {
  EXPECT_EQ(Reported("the caf\xE9 opens"), (std::vector<std::string>{"caf\xE9"}));
  const std::vector<std::string> s = Suggestions("caf\xE9");
  EXPECT_NE(std::find(s.begin(), s.end(), "cafe"), s.end());
}

// Letters the dictionary's alphabet does not have (another script read as Windows-1252) make no
// word it can judge: only the word with one of its letters is reported.
TEST_F(HunspellTest, WordsWithoutALetterOfTheAlphabetNotReported) {
  EXPECT_EQ(Reported("\xDE\xF0\xFE and \xDE\xF0\xFEx"), (std::vector<std::string>{"\xDE\xF0\xFEx"}));
}

// In a double-byte code page the trail bytes of Japanese text are no letters.
TEST_F(HunspellTest, ShiftJisTextOffersOnlyItsWords) {
  TSpellerOptions options = speller.Options();
  options.Rules.CodePage = TCodePage::ShiftJIS;
  speller.SetOptions(options);
  EXPECT_EQ(Reported("\x83\x66\x81\x5B\x83\x5E\x82\xF0 recieve"), (std::vector<std::string>{"recieve"}));
}

TEST_F(HunspellTest, CustomWordNotReportedAgain) {
  ASSERT_EQ(Reported("Quillmate"), (std::vector<std::string>{"Quillmate"}));
  speller.SetCheckText("Quillmate");
  ASSERT_TRUE(speller.AddToCustomDict(-1, kIRIgnore));
  EXPECT_TRUE(Reported("Quillmate rocks").empty());
  TVCSpeller later;
  ASSERT_TRUE(later.BeginRun(nullptr));
  later.SetCheckText("Quillmate");
  EXPECT_EQ(later.ResultCode(), kSpellEndOfText);
}

TEST(HunspellDictionaries, MissingDirectoryFindsNone) {
  SetDictionaryDirectories({"/nonexistent-dictionaries"});
  TVCSpeller speller;
  std::string problem;
  EXPECT_FALSE(speller.BeginRun(&problem));
  EXPECT_EQ(problem, "no dictionary en_US in /nonexistent-dictionaries");
  SetDictionaryDirectories({});
}

}  // namespace
}  // namespace qm
