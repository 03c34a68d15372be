// SPDX-License-Identifier: MIT
// The whole processing run over a large generated project, with every formatting rule switched on.
// Two inputs: the synthetic one, every construct the engine knows in every procedure, and one that
// reads like a real application's code (its line mix is printed by --generate).
//
//   bench_run                      runs the benchmarks (Google Benchmark flags apply)
//   bench_run --generate DIR [N] [--realcode]
//                                  writes the synthetic project (or, with --realcode, the one that
//                                  reads like real code; N files, default 200) and a settings file
//                                  with every rule on (EVERYRULE.INI) into DIR, so that the program
//                                  itself can be measured on it, and tells the input's line mix

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <memory>
#include <vector>

#include "engine/formatter.h"
#include "project_run.h"
#include "source_generators.h"
#include "engine/programcheck.h"
#include "platform/inorder.h"
#include "platform/linefile.h"
#include "platform/profile.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace {

namespace fs = std::filesystem;
using namespace qm;
using namespace qm::bench;


// The two inputs the benchmarks run on.
enum class TInput { Synthetic, RealCode };

// Writes the project (BENCH.VBP and its files) into dir; returns the number of source lines.
long GenerateProject(const std::string& dir, int files, TInput input = TInput::Synthetic, int linesPerFile = 1000) {
  fs::create_directories(dir);
  std::string project;
  long total = 0;
  for (int f = 0; f < files; ++f) {
    std::string name;
    int lines = 0;
    const std::string text = input == TInput::RealCode ? GenerateRealCodeFile(f, linesPerFile, name, lines)
                                                       : GenerateFile(f, linesPerFile, name, lines);
    WriteFileBytes(dir + "/" + name, text);
    total += lines;
    const std::string base = name.substr(0, name.find('.'));
    if (name.ends_with(".FRM")) {
      project += "Form=" + name + "\r\n";
    } else if (name.ends_with(".CLS")) {
      project += "Class=" + base + "; " + name + "\r\n";
    } else {
      project += "Module=" + base + "; " + name + "\r\n";
    }
  }
  project += "ProjWinSize=78,430,248,215\r\nTitle=\"Bench\"\r\n";
  WriteFileBytes(dir + "/BENCH.VBP", project);
  return total;
}

using bench::EveryRuleOn;
using bench::TSilentPrompts;

// What a generated input is made of, so that its mix can be compared with real projects.
struct TInputMix {
  long Lines = 0, Blank = 0, Comment = 0, Literal = 0, Over100 = 0, Over223 = 0, Characters = 0;
};

TInputMix MixOf(const std::string& dir) {
  TInputMix mix;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".FRM" && ext != ".BAS" && ext != ".CLS") continue;
    std::string bytes;
    if (!ReadFileBytes(entry.path().string(), bytes)) continue;
    std::string_view rest = bytes;
    while (!rest.empty()) {
      const std::size_t end = rest.find("\r\n");
      const std::string_view line = rest.substr(0, end);
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
      ++mix.Lines;
      mix.Characters += static_cast<long>(line.size());
      const std::size_t first = line.find_first_not_of(" \t");
      if (first == std::string_view::npos) {
        ++mix.Blank;
      } else if (line[first] == '\'') {
        ++mix.Comment;
      } else if (line.find('"') != std::string_view::npos) {
        ++mix.Literal;
      }
      if (line.size() > 100) ++mix.Over100;
      if (line.size() > 223) ++mix.Over223;
    }
  }
  return mix;
}

std::string Percent(long part, long whole) {
  return std::to_string(whole > 0 ? (part * 1000 / whole + 5) / 10 : 0) + " %";
}

struct TBenchProject {
  std::string Dir;
  long Lines = 0;
  TBenchProject(TInput input, std::string_view name) {
    Dir = (fs::temp_directory_path() / name).string();
    fs::remove_all(Dir);
    // The settings of the user stay untouched: the run reads only what the bench sets.
    SetSettingsDirectory(Dir + "/settings/");
    Lines = GenerateProject(Dir, 200, input);
  }
  ~TBenchProject() {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
};

TBenchProject& Project(TInput input) {
  if (input == TInput::RealCode) {
    static TBenchProject realCode(TInput::RealCode, "quillmate-bench-realcode");
    return realCode;
  }
  static TBenchProject synthetic(TInput::Synthetic, "quillmate-bench-project");
  return synthetic;
}

void BM_ProcessProject(benchmark::State& state, TInput input) {
  TBenchProject& bench = Project(input);
  TSettings settings;
  EveryRuleOn(settings);
  for (auto _ : state) {
    if (!bench::ReadAndRun(state, bench.Dir + "/BENCH.VBP", settings)) break;
  }
  state.counters["lines"] = static_cast<double>(bench.Lines);
  state.counters["lines_per_second"] =
      benchmark::Counter(static_cast<double>(bench.Lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(BM_ProcessProject, synthetic, TInput::Synthetic)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_ProcessProject, realcode, TInput::RealCode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The passes alone, without copying, logging or saving: the engine's own speed.
void BM_FormatOnly(benchmark::State& state, TInput input) {
  TBenchProject& bench = Project(input);
  TSettings settings;
  EveryRuleOn(settings);
  TSilentPrompts prompts;
  TNullProgress processing, copying;
  TSourceMgt project;
  if (project.ReadProjectFile(bench.Dir + "/BENCH.VBP", prompts) != TReadOutcome::Read) {
    state.SkipWithError("the project could not be read");
    return;
  }
  for (RFile* item : project.Items()) project.LoadLines(*item);
  for (auto _ : state) {
    TVBSrcFormatter formatter(TEngineServices{settings, prompts, processing, copying, nullptr});
    for (RFile* item : project.Items()) {
      formatter.FormatPasses(item->Lines);
      benchmark::DoNotOptimize(formatter.FOutput.data());
    }
  }
  state.counters["lines_per_second"] =
      benchmark::Counter(static_cast<double>(bench.Lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(BM_FormatOnly, synthetic, TInput::Synthetic)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_FormatOnly, realcode, TInput::RealCode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The passes and the safety check a run makes before it writes a file: the check's cost is the
// difference to BM_FormatOnly. The every_core rows run them as the check command does.
void BM_FormatAndCheck(benchmark::State& state, TInput input, unsigned workers) {
  TBenchProject& bench = Project(input);
  TSettings settings;
  EveryRuleOn(settings);
  TSilentPrompts prompts;
  TNullProgress processing, copying;
  TSourceMgt project;
  if (project.ReadProjectFile(bench.Dir + "/BENCH.VBP", prompts) != TReadOutcome::Read) {
    state.SkipWithError("the project could not be read");
    return;
  }
  const std::vector<RFile*> items = project.Items();
  for (RFile* item : items) project.LoadLines(*item);
  const TProgramCheckOptions options = ProgramCheckOptionsFor(settings, nullptr);
  for (auto _ : state) {
    // One formatter per thread, files shared out and taken in order, as the check command does.
    std::vector<std::unique_ptr<TVBSrcFormatter>> formatters;
    for (unsigned i = 0; i < std::max(workers, 1U); ++i) {
      formatters.push_back(std::make_unique<TVBSrcFormatter>(TEngineServices{settings, prompts, processing, copying}));
    }
    std::atomic<bool> refused{false};
    RunInOrder(
        items.size(), workers, 2 * std::size_t{workers},
        [&](std::size_t index, unsigned worker) {
          TVBSrcFormatter& formatter = *formatters[worker];
          formatter.FormatPasses(items[index]->Lines);
          if (ProgramMismatchLine(items[index]->Lines, formatter.FOutput, options)) refused = true;
          return true;
        },
        [](std::size_t) { return true; });
    if (refused) {
      state.SkipWithError("the safety check refused a file");
      return;
    }
  }
  state.counters["lines_per_second"] =
      benchmark::Counter(static_cast<double>(bench.Lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(BM_FormatAndCheck, synthetic, TInput::Synthetic, 1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_FormatAndCheck, realcode, TInput::RealCode, 1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// On every core (at most four), timed by the wall clock: the CPU time counts the calling thread only.
BENCHMARK_CAPTURE(BM_FormatAndCheck, synthetic_every_core, TInput::Synthetic, WorkerThreads())
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FormatAndCheck, realcode_every_core, TInput::RealCode, WorkerThreads())
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string_view(argv[1]) == "--generate") {
    const std::string dir = argv[2];
    int files = 200;
    TInput input = TInput::Synthetic;
    for (int i = 3; i < argc; ++i) {
      const std::string_view arg = argv[i];
      if (arg == "--realcode") {
        input = TInput::RealCode;
      } else if (arg == "--synthetic") {
        input = TInput::Synthetic;
      } else {
        files = std::stoi(std::string(arg));
      }
    }
    const long lines = GenerateProject(dir, files, input);
    TSettings settings;
    EveryRuleOn(settings);
    settings.SaveINIControls(fs::absolute(dir + "/EVERYRULE.INI").string());
    const TInputMix mix = MixOf(dir);
    std::cout << "wrote " << files << (input == TInput::RealCode ? " real-code-like" : " synthetic") << " files, "
              << lines << " lines: " << dir << "/BENCH.VBP, settings " << dir << "/EVERYRULE.INI\n"
              << "  blank " << Percent(mix.Blank, mix.Lines) << ", whole-line comments "
              << Percent(mix.Comment, mix.Lines) << ", code with literals " << Percent(mix.Literal, mix.Lines)
              << ", longer than 100 " << Percent(mix.Over100, mix.Lines) << " (" << mix.Over223
              << " longer than 223), mean length " << (mix.Lines > 0 ? mix.Characters / mix.Lines : 0) << "\n";
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
