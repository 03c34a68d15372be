// SPDX-License-Identifier: MIT
// The options dialog's preview refresh: the sample of a page restyled by the engine with the
// values in the dialog, as the dialog does after every change.
//
//   bench_options                  every page's sample with the built-in settings, then with every
//                                  rule on, then a pasted snippet of 200 lines (Google Benchmark
//                                  flags apply)

#include <benchmark/benchmark.h>

#include <string>

#include "settings/catalogue.h"
#include "shell/optionspreview.h"

namespace {

using namespace qm;

struct TPreviewCase {
  TOptionsPage Page;
  TCommentsTab Tab;
  const char* Name;
};

constexpr TPreviewCase kCases[] = {
    {TOptionsPage::General, TCommentsTab::SingleLine, "General"},
    {TOptionsPage::Indents, TCommentsTab::SingleLine, "Indents"},
    {TOptionsPage::Comments, TCommentsTab::SingleLine, "SingleLine"},
    {TOptionsPage::Comments, TCommentsTab::InLine, "InLine"},
    {TOptionsPage::Comments, TCommentsTab::Subroutines, "Subroutines"},
    {TOptionsPage::Comments, TCommentsTab::Functions, "Functions"},
    {TOptionsPage::BlankLines, TCommentsTab::SingleLine, "BlankLines"},
    {TOptionsPage::SpellCheck, TCommentsTab::SingleLine, "SpellCheck"},
    {TOptionsPage::User, TCommentsTab::SingleLine, "User"},
};

// Every rule that changes text switched on, as a user trying them all out would.
TSettings EveryRule() {
  TSettings settings;
  for (SettingKey key : {SettingKey::MultiVarSplit, SettingKey::MultiConstSplit, SettingKey::IfThenSplit,
                         SettingKey::MultiStatementSplit, SettingKey::SubLevelCommentsPerform,
                         SettingKey::FunctionLevelCommentsPerform})
    settings.SetBool(key, true);
  settings.SetInt(SettingKey::GrpForNextProcessing, 1);
  settings.SetInt(SettingKey::GrpBlankLines, 1);
  return settings;
}

void BM_PreviewRefresh(benchmark::State& state) {
  const TPreviewCase& c = kCases[state.range(0)];
  const TSettings settings = state.range(1) ? EveryRule() : TSettings();
  const TCommentTemplates templates;
  const TLines& sample = PreviewSample(c.Page, c.Tab);
  for (auto _ : state) {
    TMarkedList out = FormatPreview(settings, templates, sample);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetLabel(std::string(c.Name) + (state.range(1) ? ", every rule" : ", built-in settings"));
  state.counters["lines"] = static_cast<double>(sample.size());
}

// A pasted snippet: the pages' samples one after the other until 200 lines.
void BM_PreviewOwnSample(benchmark::State& state) {
  TLines snippet;
  while (snippet.size() < 200)
    for (const TPreviewCase& c : kCases)
      for (const std::string& line : PreviewSample(c.Page, c.Tab))
        if (line != "Option Explicit") snippet.push_back(line);
  snippet.resize(200);
  const TSettings settings = EveryRule();
  const TCommentTemplates templates;
  for (auto _ : state) {
    TMarkedList out = FormatPreview(settings, templates, snippet);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["lines"] = static_cast<double>(snippet.size());
}

}  // namespace

BENCHMARK(BM_PreviewRefresh)
    ->ArgsProduct({benchmark::CreateDenseRange(0, std::size(kCases) - 1, 1), {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewOwnSample)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
