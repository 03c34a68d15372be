// SPDX-License-Identifier: MIT
// The line difference engine on files that differ the way a restyled file differs from its
// source: procedures re-indented, blank lines inserted around blocks, header comments added
// before procedures, declarations and colon-joined statements and single-line Ifs split.
// Also the engine against the plain step-by-step matching on the same files.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "../tests/core/analysis/linediff_literal.h"
#include "analysis/linediff.h"

namespace {

using qm::TLines;

struct TFilePair {
  TLines Before;
  TLines After;
};

// Writes a made-up Visual Basic module and, beside it, the module as the formatter would restyle
// it. Both come from one seeded generator, so every run measures the same files.
class TModuleMaker {
 public:
  explicit TModuleMaker(unsigned seed) : FRng(seed) {}

  TFilePair Make(std::size_t lines) {
    FFiles = {};
    FFiles.Before.insert(FFiles.Before.end(), {"Attribute VB_Name = \"Module1\"", "Option Explicit", ""});
    FFiles.After.insert(FFiles.After.end(), {"Attribute VB_Name = \"Module1\"", "Option Explicit", ""});
    while (FFiles.Before.size() < lines) Procedure();
    return FFiles;
  }

 private:
  int Roll(int sides) { return std::uniform_int_distribution<int>(0, sides - 1)(FRng); }
  std::string Unique() { return std::to_string(++FCounter); }
  static std::string Pad(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

  void Both(const std::string& before, const std::string& after) {
    FFiles.Before.push_back(before);
    FFiles.After.push_back(after);
  }
  void BeforeOnly(const std::string& line) { FFiles.Before.push_back(line); }
  void AfterOnly(const std::string& line) { FFiles.After.push_back(line); }

  // One line of code at a nesting depth: the source indents by FUnit, the restyled file by 4.
  void Line(int depth, const std::string& text) { Both(Pad(depth * FUnit) + text, Pad(depth * 4) + text); }

  void Procedure() {
    const std::string name = "Routine" + Unique();
    // Most procedures were written with the formatter's own indent; the rest get re-indented.
    FUnit = Roll(10) < 6 ? 4 : (Roll(2) ? 2 : 3);
    if (Roll(3) == 0) Both("' " + name + " keeps the totals up to date", "' " + name + " keeps the totals up to date");
    for (const char* header : {"'------------------------------------------------------------",
                               "' Name: ", "' Author:", "'------------------------------------------------------------"}) {
      AfterOnly(std::string(header) + (std::string(header) == "' Name: " ? name : ""));
    }
    Both("Sub " + name + " ()", "Sub " + name + " ()");
    if (Roll(2)) {
      BeforeOnly("Dim I As Integer, Total" + Unique() + " As Currency");
      AfterOnly("Dim I As Integer");
      AfterOnly("Dim Total" + std::to_string(FCounter) + " As Currency");
    } else {
      Both("Dim I As Integer", "Dim I As Integer");
    }
    AfterOnly("");
    const int statements = 4 + Roll(12);
    for (int n = 0; n < statements; ++n) Statement(1);
    Both("End Sub", "End Sub");
    Both("", "");
  }

  void Statement(int depth) {
    const int kind = depth > 3 ? Roll(5) : Roll(10);
    switch (kind) {
      case 0: Line(depth, "Amount(" + Unique() + ") = Rate * " + std::to_string(Roll(100))); break;
      case 1: Line(depth, "lblStatus" + Unique() + ".Caption = \"Ready\""); break;
      case 2: Line(depth, Roll(2) ? "DoEvents" : "I = I + 1"); break;
      case 3: Line(depth, "' check " + Unique()); break;
      case 4: {
        const std::string a = "A" + Unique() + " = 0", b = "B" + std::to_string(FCounter) + " = 1";
        BeforeOnly(Pad(depth * FUnit) + a + ": " + b);
        AfterOnly(Pad(depth * 4) + a);
        AfterOnly(Pad(depth * 4) + b);
        break;
      }
      case 5: {
        const std::string cond = "Count" + Unique() + " > 0", then = "Refresh";
        BeforeOnly(Pad(depth * FUnit) + "If " + cond + " Then " + then);
        AfterOnly(Pad(depth * 4) + "If " + cond + " Then");
        AfterOnly(Pad(depth * 4 + 4) + then);
        AfterOnly(Pad(depth * 4) + "End If");
        break;
      }
      case 6:
      case 7: {
        if (depth == 1) AfterOnly("");
        Line(depth, "If Flag" + Unique() + " Then");
        const int inner = 1 + Roll(4);
        for (int n = 0; n < inner; ++n) Statement(depth + 1);
        if (Roll(3) == 0) {
          Line(depth, "Else");
          Statement(depth + 1);
        }
        Line(depth, "End If");
        if (depth == 1) AfterOnly("");
        break;
      }
      default: {
        if (depth == 1) AfterOnly("");
        Line(depth, "For I = 1 To " + std::to_string(1 + Roll(50)));
        const int inner = 1 + Roll(4);
        for (int n = 0; n < inner; ++n) Statement(depth + 1);
        Line(depth, "Next I");
        if (depth == 1) AfterOnly("");
      }
    }
  }

  std::mt19937 FRng;
  TFilePair FFiles;
  int FUnit = 4;
  int FCounter = 0;
};

const TFilePair& RestyledPair(std::size_t lines) {
  static TFilePair small = TModuleMaker(1).Make(5000);
  static TFilePair large = TModuleMaker(2).Make(20000);
  return lines <= 5000 ? small : large;
}

// Every code line re-indented, a blank line between every two: thousands of one-line blocks.
const TFilePair& BlankLinePair() {
  static TFilePair files = [] {
    TFilePair f;
    for (int n = 0; n < 10000; ++n) {
      f.Before.insert(f.Before.end(), {"  Total = Total + Amount(" + std::to_string(n) + ")", ""});
      f.After.insert(f.After.end(), {"    Total = Total + Amount(" + std::to_string(n) + ")", ""});
    }
    return f;
  }();
  return files;
}

void SetCounters(benchmark::State& state, const TFilePair& files) {
  state.counters["left_lines"] = static_cast<double>(files.Before.size());
  state.counters["right_lines"] = static_cast<double>(files.After.size());
}

void BM_CompareLines(benchmark::State& state) {
  const TFilePair& files = RestyledPair(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    qm::TDiffResult result = qm::CompareLines(files.Before, files.After, false);
    benchmark::DoNotOptimize(result.Rows.data());
  }
  SetCounters(state, files);
}
BENCHMARK(BM_CompareLines)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_CompareLinesIgnoringBlankLines(benchmark::State& state) {
  const TFilePair& files = RestyledPair(20000);
  for (auto _ : state) {
    qm::TDiffResult result = qm::CompareLines(files.Before, files.After, true);
    benchmark::DoNotOptimize(result.Rows.data());
  }
  SetCounters(state, files);
}
BENCHMARK(BM_CompareLinesIgnoringBlankLines)->Unit(benchmark::kMillisecond);

void BM_CompareLinesBlankLineEvery2nd(benchmark::State& state) {
  const TFilePair& files = BlankLinePair();
  for (auto _ : state) {
    qm::TDiffResult result = qm::CompareLines(files.Before, files.After, false);
    benchmark::DoNotOptimize(result.Rows.data());
  }
  SetCounters(state, files);
}
BENCHMARK(BM_CompareLinesBlankLineEvery2nd)->Unit(benchmark::kMillisecond);

void BM_CompareIdenticalFiles(benchmark::State& state) {
  const TFilePair& files = RestyledPair(20000);
  for (auto _ : state) {
    qm::TDiffResult result = qm::CompareLines(files.After, files.After, false);
    benchmark::DoNotOptimize(result.Rows.data());
  }
  SetCounters(state, files);
}
BENCHMARK(BM_CompareIdenticalFiles)->Unit(benchmark::kMillisecond);

// The plain matching: every pair of lines compared as strings and every run counted.
void BM_LiteralMatching(benchmark::State& state) {
  const TFilePair& files = RestyledPair(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    qm::test::TLiteralDiff literal(files.Before, files.After, false);
    std::vector<qm::TDiffRow> rows = literal.Rows();
    benchmark::DoNotOptimize(rows.data());
  }
  // Both must have made the same rows, or the comparison of their times means nothing.
  qm::test::TLiteralDiff literal(files.Before, files.After, false);
  if (literal.Rows() != qm::CompareLines(files.Before, files.After, false).Rows) {
    state.SkipWithError("the engine and the plain matching disagree");
  }
  SetCounters(state, files);
}
BENCHMARK(BM_LiteralMatching)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
