// SPDX-License-Identifier: MIT
// The speller and the decisions of the spelling dialog, with a scripted dictionary and scripted
// clicks.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "messages.h"
#include "scripted_dictionary.h"
#include "spelling/spelldialoglogic.h"
#include "temp_dir.h"

namespace qm {
namespace {

enum class Click { Ignore, IgnoreAll, Replace, ReplaceAll, Cancel, AddCustom };

struct Step {
  Click click;
  const char* replaceWith = nullptr;  // typed into ReplaceWith first; null keeps what it shows
};

// A dictionary with a few words and suggestions, a speller over it, and the dialog answering
// from a script; every dialog shown records the word it showed.
struct DialogFixture {
  test::TempDir dir;
  test::ScriptedWords words{{"the", "The", "ten", "cat", "sat", "dog", "big", "it", "receive", "a", "lot", "on", "mat"},
                            {{"teh", {"the", "ten"}}, {"recieve", {"receive"}}, {"dgo", {"dog", "ago"}}},
                            0};
  TVCSpeller speller{test::ScriptedOpener(words)};
  test::FakePrompts prompts;
  TSpellDialogLogic dialog{speller, prompts};
  std::deque<Step> script;
  std::vector<std::string> shown;

  DialogFixture() {
    EXPECT_TRUE(speller.BeginRun(nullptr));
    dialog.ShowModal = [this] {
      shown.push_back(dialog.State.Misspell);
      for (TSpellClose close = TSpellClose::StayOpen; close == TSpellClose::StayOpen;) {
        if (script.empty()) {
          ADD_FAILURE() << "no scripted click for " << dialog.State.Misspell;
          return;
        }
        const Step step = script.front();
        script.pop_front();
        if (step.replaceWith) dialog.State.ReplaceWith = step.replaceWith;
        close = Press(step.click);
      }
    };
  }

  TSpellClose Press(Click click) {
    switch (click) {
      case Click::Ignore: return dialog.IgnoreButtonClick();
      case Click::IgnoreAll: return dialog.IgnoreAllButtonClick();
      case Click::Replace: return dialog.ReplaceButtonClick();
      case Click::ReplaceAll: return dialog.ReplaceAllButtonClick();
      case Click::Cancel: return dialog.CancelSpellcheckButtonClick();
      case Click::AddCustom: return dialog.AddCustomButtonClick();
    }
    return TSpellClose::Ok;
  }

  std::string Check(std::string text, bool& cancelled, bool& changed, bool literal = false) {
    dialog.RunSpellCheck("context line", text, TSpellTarget{literal, 1}, cancelled, changed);
    EXPECT_TRUE(script.empty()) << script.size() << " scripted clicks left";
    return text;
  }
};

struct RunRow {
  const char* name;
  std::string text;
  std::vector<Step> steps;
  std::string expected;
  std::vector<std::string> shown;
  bool changed;
  bool cancelled = false;
};

class RunSpellCheckTest : public ::testing::TestWithParam<RunRow> {};

TEST_P(RunSpellCheckTest, ChecksTheTextWithTheUser) {
  const RunRow& r = GetParam();
  DialogFixture f;
  f.script.assign(r.steps.begin(), r.steps.end());
  bool cancelled = true, changed = true;
  EXPECT_EQ(f.Check(r.text, cancelled, changed), r.expected);
  EXPECT_EQ(f.shown, r.shown);
  EXPECT_EQ(changed, r.changed);
  EXPECT_EQ(cancelled, r.cancelled);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, RunSpellCheckTest,
    ::testing::Values(
        RunRow{"AllKnown", "the cat sat", {}, "the cat sat", {}, false},
        RunRow{"IgnoreEvery", "teh cat dgo", {{Click::Ignore}, {Click::Ignore}}, "teh cat dgo", {"teh", "dgo"}, false},
        RunRow{"ReplaceWithFirstSuggestion", "teh big dgo", {{Click::Replace}, {Click::Replace}}, "the big dog",
               {"teh", "dgo"}, true},
        RunRow{"ReplaceLonger", "recieve it", {{Click::Replace}}, "receive it", {"recieve"}, true},
        RunRow{"ReplaceWithPhrase", "alot", {{Click::Replace, "a lot"}}, "a lot", {"alot"}, true},
        RunRow{"BlanksAroundKept", "  teh  ", {{Click::Replace}}, "  the  ", {"teh"}, true},
        RunRow{"NothingElseTouched", "Teh CAT, teh!", {{Click::Replace, "The"}, {Click::Replace}}, "The CAT, the!",
               {"Teh", "teh"}, true},
        RunRow{"CancelStops", "teh dgo", {{Click::Cancel}}, "teh dgo", {"teh"}, false, true},
        RunRow{"CancelKeepsEarlierReplacement", "teh dgo", {{Click::Replace}, {Click::Cancel}}, "the dgo",
               {"teh", "dgo"}, true, true},
        RunRow{"IgnoreAllSkipsTheRest", "teh cat teh", {{Click::IgnoreAll}}, "teh cat teh", {"teh"}, false},
        RunRow{"ReplaceAllOffersItsReplacement", "teh cat teh", {{Click::ReplaceAll, "ten"}, {Click::Replace}},
               "ten cat ten", {"teh", "teh"}, true},
        RunRow{"AddToCustomFoundAtOnce", "zork zork", {{Click::AddCustom}, {Click::Ignore}}, "zork zork", {"zork"},
               false}),
    [](const ::testing::TestParamInfo<RunRow>& info) { return info.param.name; });

// "&Replace" with a word that is itself unknown asks first; No leaves the word.
TEST(SpellDialogTest, ReplacementNotInDictionaryAsks) {
  for (const TAnswer answer : {TAnswer::No, TAnswer::Yes}) {
    DialogFixture f;
    f.prompts.Answer(answer);
    f.script = {{Click::Replace, "thw"}};
    bool cancelled = false, changed = false;
    const std::string out = f.Check("teh cat", cancelled, changed);
    f.prompts.ExpectMessage(TMsgKind::Warning, std::string(msg::ReplacementNotInDictionary));
    EXPECT_EQ(out, answer == TAnswer::Yes ? "thw cat" : "teh cat");
    EXPECT_EQ(changed, answer == TAnswer::Yes);
  }
}

// A double quote would end a literal: refused with a message, the dialog stays open.
TEST(SpellDialogTest, QuoteInLiteralReplacementRefused) {
  DialogFixture f;
  f.script = {{Click::Replace, "the\""}, {Click::Replace, "the"}};
  bool cancelled = false, changed = false;
  EXPECT_EQ(f.Check("teh cat", cancelled, changed, true), "the cat");
  f.prompts.ExpectMessage(TMsgKind::Warning, std::string(msg::SpellReplacementHasQuote));
  EXPECT_EQ(f.shown.size(), 1u);

  // In a comment a quote is only text.
  f.script = {{Click::Replace, "\"the\""}};
  EXPECT_EQ(f.Check("teh cat", cancelled, changed, false), "\"the\" cat");
}

TEST(SpellDialogTest, PrepareDialogFillsTheControls) {
  DialogFixture f;
  f.speller.SetCheckText("teh");
  f.dialog.PrepareDialog();
  const TSpellDialogState& s = f.dialog.State;
  EXPECT_EQ(s.Misspell, "teh");
  EXPECT_EQ(s.SuggestList, (std::vector<std::string>{"the", "ten"}));
  EXPECT_TRUE(s.SuggestEnabled);
  EXPECT_EQ(s.SuggestIndex, 0);
  EXPECT_EQ(s.ReplaceWith, "the");
  EXPECT_EQ(s.Customs, (std::vector<std::string>{"VBQUILL3.DIC"}));
  EXPECT_EQ(s.CustomIndex, 0);
  EXPECT_TRUE(s.AddCustomEnabled);

  f.dialog.SuggestListClick(1);
  EXPECT_EQ(s.ReplaceWith, "ten");
  f.dialog.State.ReplaceWith = "dgo";
  f.dialog.SuggestionsButton2Click();
  EXPECT_EQ(s.SuggestList, (std::vector<std::string>{"dog", "ago"}));
  EXPECT_EQ(s.ReplaceWith, "dog");
  f.dialog.SuggestionsButton1Click();
  EXPECT_EQ(s.SuggestList.front(), "the");
}

// No suggestions: one disabled entry, and ReplaceWith stays as it was.
TEST(SpellDialogTest, NoSuggestions) {
  DialogFixture f;
  f.speller.SetCheckText("zork");
  f.dialog.PrepareDialog();
  const TSpellDialogState& s = f.dialog.State;
  EXPECT_EQ(s.SuggestList, (std::vector<std::string>{std::string(kNoSuggestions)}));
  EXPECT_FALSE(s.SuggestEnabled);
  EXPECT_EQ(s.ReplaceWith, "");
  f.dialog.SuggestListClick(0);
  EXPECT_EQ(s.ReplaceWith, "");
}

TEST(SpellDialogTest, ContextShowsTheLineThenTheTextOnSilver) {
  DialogFixture f;
  f.script = {{Click::Ignore}};
  bool cancelled = false, changed = false;
  f.Check("teh", cancelled, changed);
  ASSERT_EQ(f.dialog.State.Context.size(), 2u);
  EXPECT_EQ(f.dialog.State.Context[0].Text, "context line");
  EXPECT_EQ(f.dialog.State.Context[0].Background, clWindow);
  EXPECT_EQ(f.dialog.State.Context[1].Text, "teh");
  EXPECT_EQ(f.dialog.State.Context[1].Background, clSilver);
}

// Each distinct word goes to the dictionary once per run; a new run asks again.
TEST(SpellerTest, LooksEachWordUpOncePerRun) {
  DialogFixture f;
  f.speller.SetCheckText("the cat the cat sat the");
  EXPECT_EQ(f.speller.ResultCode(), kSpellEndOfText);
  f.speller.SetCheckText("cat sat");
  EXPECT_EQ(f.words.Checks, 3);
  EXPECT_TRUE(f.speller.BeginRun(nullptr));
  f.speller.SetCheckText("cat");
  EXPECT_EQ(f.words.Checks, 4);
}

// A word added to the custom dictionary is written to its file and known in later runs.
TEST(SpellerTest, CustomDictionaryPersists) {
  DialogFixture f;
  f.speller.SetCheckText("zork");
  ASSERT_EQ(f.speller.ResultCode(), kSpellNotFound);
  ASSERT_TRUE(f.speller.AddToCustomDict(-1, kIRIgnore));
  EXPECT_EQ(f.dir.Read("VBQUILL3.DIC"), "zork\r\n");

  test::ScriptedWords fresh = f.words;
  fresh.Known.erase("zork");
  TVCSpeller later{test::ScriptedOpener(fresh)};
  ASSERT_TRUE(later.BeginRun(nullptr));
  later.SetCheckText("zork Zork");
  EXPECT_EQ(later.ResultCode(), kSpellEndOfText);
}

TEST(SpellerTest, NoDictionaryIsReported) {
  TVCSpeller speller{test::MissingOpener()};
  std::string problem;
  EXPECT_FALSE(speller.BeginRun(&problem));
  EXPECT_EQ(problem, "no dictionary en_US in /nowhere");
}

TEST(SpellerTest, OptionsRoundTripThroughTheSettingsFile) {
  test::TempDir dir;
  TSpellerOptions options;
  options.Dictionary = "de_DE";
  options.Rules.IgnoreCamelCase = false;
  ASSERT_TRUE(options.Save("VBQUILL3.INI", nullptr));
  TSpellerOptions read;
  read.Load("VBQUILL3.INI");
  EXPECT_EQ(read, options);
}

}  // namespace
}  // namespace qm
