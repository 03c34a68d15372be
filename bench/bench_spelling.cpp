// SPDX-License-Identifier: MIT
// Spell checking of comments and literals: words checked per second once each distinct word has
// been looked up, and a first pass with spelling on against one with it off.
//
// The input is a module of 20,000 lines written like real Visual Basic: procedures whose lines carry
// in-line and whole-line comments in English prose, MsgBox and caption literals, format strings,
// paths, identifiers in comments (frmMain, MAX_PATH), and a few misspellings. The dialog answers
// "Ignore" to every word it is shown (nobody is there), as a run in which the user answers nothing.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "platform/linefile.h"
#include "settings/catalogue.h"
#include "spelling/spelldialoglogic.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace {

using namespace qm;

constexpr const char* kComments[] = {
    "Open the customer file and read every record into the grid",
    "Make sure the user has selected a valid account before posting",
    "If the balance is negative, show the warning and leave the form",
    "The totals are recalculated whenever a line of the ledger changes",
    "TODO: move this to frmMain once the report module is finished",
    "Check MAX_PATH before building the full name of the backup file",
    "Teh old version wrote the date as dd/mm/yyyy; keep reading it",
    "Returns True when the item was found in the collection, else False",
    "Clear the list, then add one entry for every open window",
    "See C:\\VB\\SAMPLES\\README.TXT and http://example.com for details",
};
constexpr const char* kLiterals[] = {
    "Are you sure you want to delete this record?",
    "The file could not be opened.  Please check the path and try again.",
    "Invoice total: ",
    "Enter the name of the new customer",
    "%1 records were recieved from the server",
    "Save changes to the current document?",
};

TLines RealisticModule(int lines) {
  TLines out;
  out.reserve(static_cast<std::size_t>(lines));
  int c = 0, l = 0;
  while (static_cast<int>(out.size()) < lines) {
    out.push_back("Sub Procedure" + std::to_string(out.size()) + "(ByVal nIndex As Integer)");
    out.push_back("    ' " + std::string(kComments[c++ % 10]));
    out.push_back("    Dim sText As String    ' " + std::string(kComments[c++ % 10]));
    out.push_back("    sText = \"" + std::string(kLiterals[l++ % 6]) + "\"");
    out.push_back("    If nIndex > 0 Then MsgBox \"" + std::string(kLiterals[l++ % 6]) + "\", vbQuestion");
    out.push_back("    lblStatus.Caption = \"" + std::string(kLiterals[l++ % 6]) + "\" & Format$(nIndex, \"#,##0\")");
    out.push_back("    nIndex = nIndex + 1");
    out.push_back("End Sub");
    out.push_back("");
  }
  out.resize(static_cast<std::size_t>(lines));
  return out;
}

// The texts a run hands to the speller: every literal and every comment.
std::vector<std::string> TextsOf(const TLines& lines) {
  std::vector<std::string> texts;
  for (const std::string& line : lines) {
    bool inside = false;
    std::string literal;
    const int comment = CommentPos(line);
    const std::size_t end = comment > 0 ? static_cast<std::size_t>(comment - 1) : line.size();
    for (std::size_t i = 0; i < end; ++i) {
      if (line[i] == '"') {
        if (inside) texts.push_back(literal);
        literal.clear();
        inside = !inside;
      } else if (inside) {
        literal.push_back(line[i]);
      }
    }
    if (comment > 0) texts.push_back(CommentText(line));
  }
  return texts;
}

// A dictionary that knows every word: nothing is ever reported.
class TAllKnown final : public ISpellDictionary {
 public:
  bool Check(std::string_view) override { return true; }
  std::vector<std::string> Suggest(std::string_view) override { return {}; }
  void Add(std::string_view) override {}
};

class TQuietPrompts final : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons, const std::string&) override { return TAnswer::Ok; }
};

struct TSpellRig {
  explicit TSpellRig(TVCSpeller::TOpener opener) : speller(std::move(opener)), dialog(speller, prompts) {
    dialog.ShowModal = [this] { dialog.IgnoreButtonClick(); };
  }
  TQuietPrompts prompts;
  TVCSpeller speller;
  TSpellDialogLogic dialog;
};

TVCSpeller::TOpener AllKnownOpener() {
  return [](std::string_view, std::string*) -> std::unique_ptr<ISpellDictionary> { return std::make_unique<TAllKnown>(); };
}

void CheckTexts(benchmark::State& state, TVCSpeller::TOpener opener) {
  const std::vector<std::string> texts = TextsOf(RealisticModule(20000));
  std::size_t words = 0;
  for (const std::string& t : texts) words += SplitWords(t, TWordRules{}).size();
  TSpellRig rig(std::move(opener));
  if (!rig.dialog.BeginSpellRun(nullptr)) {
    state.SkipWithError("no dictionary");
    return;
  }
  // One round first, so that the figure is the one after the cache has every word.
  const auto round = [&] {
    for (const std::string& t : texts) {
      std::string text = t;
      bool cancelled = false, changed = false;
      rig.dialog.RunSpellCheck(t, text, TSpellTarget{}, cancelled, changed);
      benchmark::DoNotOptimize(text);
    }
  };
  round();
  for (auto _ : state) round();
  state.counters["words/s"] = benchmark::Counter(static_cast<double>(words * state.iterations()),
                                                 benchmark::Counter::kIsRate);
  state.counters["dictionary lookups"] = static_cast<double>(rig.speller.DictionaryLookups());
}

void BM_CheckWords_ScriptedAllKnown(benchmark::State& state) { CheckTexts(state, AllKnownOpener()); }
void BM_CheckWords_HunspellIgnoreAll(benchmark::State& state) { CheckTexts(state, OpenHunspellDictionary); }

// The first pass over the module with every other rule off, with and without spelling.
void FirstPass(benchmark::State& state, bool spelling) {
  const TLines lines = RealisticModule(20000);
  TSettings settings;
  for (const TSettingDef& def : SettingsCatalogue()) {
    if (def.Kind == TSettingKind::CheckBox) settings.SetBool(def.Key, false);
    if (def.Kind == TSettingKind::RadioGroup) settings.SetInt(def.Key, 0);
  }
  settings.SetBool(SettingKey::SpellingPerform, spelling);
  settings.SetBool(SettingKey::SpellingLiterals, true);
  settings.SetBool(SettingKey::SpellingComments, true);
  TSpellRig rig(OpenHunspellDictionary);
  if (!rig.dialog.BeginSpellRun(nullptr)) {
    state.SkipWithError("no dictionary");
    return;
  }
  TNullProgress progress;
  for (auto _ : state) {
    TVBSrcFormatter formatter(TEngineServices{settings, rig.prompts, progress, progress, nullptr, nullptr, &rig.dialog});
    formatter.FormatFile(lines, kPass1);
    benchmark::DoNotOptimize(formatter.FOutput.data());
  }
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines.size() * state.iterations()),
                                                 benchmark::Counter::kIsRate);
}

void BM_FirstPass_SpellingOff(benchmark::State& state) { FirstPass(state, false); }
void BM_FirstPass_SpellingOn(benchmark::State& state) { FirstPass(state, true); }

}  // namespace

BENCHMARK(BM_CheckWords_ScriptedAllKnown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckWords_HunspellIgnoreAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPass_SpellingOff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPass_SpellingOn)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
