// The whole processing run over a large synthetic project, with every formatting rule switched on.
//
//   bench_run                      runs the benchmarks (Google Benchmark flags apply)
//   bench_run --generate DIR [N]   writes the synthetic project (N files, default 200) and a
//                                  settings file with every rule on (EVERYRULE.INI) into DIR, so
//                                  that the program itself can be measured on it

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "engine/formatter.h"
#include "engine/programcheck.h"
#include "globals.h"
#include "platform/linefile.h"
#include "platform/profile.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace {

namespace fs = std::filesystem;
using namespace qm;

// A small deterministic generator, so that every run measures the same text.
class TRandom {
 public:
  explicit TRandom(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  int Next(int bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(bound));
  }

 private:
  std::uint32_t state_;
};

struct TSourceWriter {
  std::string text;
  int lines = 0;
  void Line(std::string_view line) {
    text += line;
    text += "\r\n";
    ++lines;
  }
};

// One procedure of about seventy lines that uses every construct the engine knows: blocks of
// each kind, #If, single-line Ifs with Else, colon-joined statements, declarations of several
// variables and constants, whole-line, in-line and Rem comments and runs of them, labels, tabs
// and nested For loops, written with uneven indentation.
void WriteProcedure(TSourceWriter& w, int n, TRandom& random) {
  const std::string id = std::to_string(n);
  const std::string pad = std::string(random.Next(3) * 2, ' ');
  switch (n % 3) {
    case 0: w.Line("Public Function Compute" + id + "(ByVal a As Integer, b As String) As Long"); break;
    case 1: w.Line("Private Sub Handle" + id + "(ByVal Index As Integer)"); break;
    default: w.Line("Sub Plain" + id + " ()"); break;
  }
  w.Line("Dim i As Integer, j As Integer, k As Long, sName As String");
  w.Line("Const LIMIT" + id + " = 10, STEP" + id + " = 2");
  w.Line("' Whole-line comment opening a run");
  w.Line("' second line of the run");
  w.Line("' third line of the run");
  w.Line("' fourth line of the run");
  w.Line("' fifth line of the run");
  w.Line("\tsName = \"Item \" & \"" + id + "\"   ' in-line comment with a quote's apostrophe");
  w.Line(pad + "If i > 0 Then j = 1 Else j = 2");
  w.Line("i = 1: j = 2: k = 3");
  w.Line("#If Win32 Then");
  w.Line("k = k * 2");
  w.Line("#Else");
  w.Line("k = k + 2");
  w.Line("#End If");
  w.Line(pad + "For i = 1 To LIMIT" + id);
  w.Line("\tFor j = 1 To i Step STEP" + id);
  w.Line("\t\tIf i = j Then");
  w.Line("k = k + i * j ' diagonal");
  w.Line("\t\tElseIf i > j Then");
  w.Line("k = k - 1");
  w.Line("\t\tElse");
  w.Line("k = k + 1");
  w.Line("\t\tEnd If");
  w.Line("\tNext");
  w.Line("Next i");
  w.Line("Select Case k Mod 4");
  w.Line("Case 0");
  w.Line("    sName = sName & \"zero\"");
  w.Line("Case 1, 2");
  w.Line("sName = sName & \"small\": k = k + 1");
  w.Line("Case Else");
  w.Line("        sName = sName & \"large\"");
  w.Line("End Select");
  w.Line("Do While k > 100");
  w.Line("k = k \\ 2");
  w.Line("Loop");
  w.Line("Do");
  w.Line("  k = k + 3");
  w.Line("Loop Until k > 50");
  w.Line("While Len(sName) < 40");
  w.Line("sName = sName & \"-\"");
  w.Line("Wend");
  w.Line("With Screen");
  w.Line(".MousePointer = 11");
  w.Line("End With");
  w.Line("Rem a Rem comment between statements");
  w.Line("On Error GoTo Failed" + id);
  w.Line("If k = 0 Then Exit " + std::string(n % 3 == 0 ? "Function" : "Sub"));
  w.Line("GoSub Report" + id);
  w.Line(n % 3 == 0 ? "Compute" + id + " = k" : "Debug.Print k; sName");
  w.Line("Exit " + std::string(n % 3 == 0 ? "Function" : "Sub"));
  w.Line("Report" + id + ":");
  w.Line("    Debug.Print \"report \"; k ' trace");
  w.Line("    Return");
  w.Line("Failed" + id + ":");
  w.Line("\tResume Next");
  w.Line(n % 3 == 0 ? "End Function" : "End Sub");
  w.Line("");
}

// The declarations section of a file: a Type block, several-variable and several-constant lines.
void WriteDeclarations(TSourceWriter& w, int file) {
  const std::string id = std::to_string(file);
  w.Line("'=====================================================");
  w.Line("' Synthetic file " + id + " of the benchmark project.");
  w.Line("'=====================================================");
  w.Line("Global Const APP" + id + " = \"Bench\", VERSION" + id + " = 3");
  w.Line("Dim mCount As Integer, mTotal As Currency, mName As String");
  w.Line("Type Record" + id);
  w.Line("Name As String * 30");
  w.Line("    Count As Integer");
  w.Line("End Type");
  w.Line("");
}

// One source file of about linesPerFile lines; forms and classes carry a description block.
std::string GenerateFile(int file, int linesPerFile, std::string& name, int& lines) {
  TRandom random(static_cast<std::uint32_t>(file));
  TSourceWriter w;
  const int kind = file % 4;
  if (kind == 0) {
    name = "FORM" + std::to_string(file) + ".FRM";
    w.Line("VERSION 4.00");
    w.Line("Begin VB.Form Form" + std::to_string(file));
    w.Line("   Caption         =   \"Form " + std::to_string(file) + "\"");
    w.Line("   ClientHeight    =   3195");
    w.Line("   Begin VB.CommandButton cmdGo");
    w.Line("      Caption         =   \"Go\"");
    w.Line("   End");
    w.Line("End");
    w.Line("Attribute VB_Name = \"Form" + std::to_string(file) + "\"");
  } else if (kind == 1) {
    name = "CLASS" + std::to_string(file) + ".CLS";
    w.Line("VERSION 1.0 CLASS");
    w.Line("BEGIN");
    w.Line("  MultiUse = -1  'True");
    w.Line("END");
    w.Line("Attribute VB_Name = \"Class" + std::to_string(file) + "\"");
  } else {
    name = "MODULE" + std::to_string(file) + ".BAS";
    w.Line("Attribute VB_Name = \"Module" + std::to_string(file) + "\"");
  }
  WriteDeclarations(w, file);
  for (int n = 0; w.lines < linesPerFile; ++n) WriteProcedure(w, file * 1000 + n, random);
  lines = w.lines;
  return w.text;
}

// Writes the project (BENCH.VBP and its files) into dir; returns the number of source lines.
long GenerateProject(const std::string& dir, int files, int linesPerFile = 1000) {
  fs::create_directories(dir);
  std::string project;
  long total = 0;
  for (int f = 0; f < files; ++f) {
    std::string name;
    int lines = 0;
    const std::string text = GenerateFile(f, linesPerFile, name, lines);
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

// Every rule of the engine on (spelling needs a dictionary and a person, so it stays off).
void EveryRuleOn(TSettings& settings) {
  for (SettingKey key : {SettingKey::OptionExplicitInsert, SettingKey::MultiVarSplit, SettingKey::MultiConstSplit,
                         SettingKey::IfThenSplit, SettingKey::MultiStatementSplit, SettingKey::AlignMultiDimAs,
                         SettingKey::CodeIndentPerform, SettingKey::SingleLineCommentBlocks,
                         SettingKey::SubLevelCommentsPerform, SettingKey::FunctionLevelCommentsPerform,
                         SettingKey::CreateLog, SettingKey::BackupMAKFiles}) {
    settings.SetBool(key, true);
  }
  settings.SetBool(SettingKey::PreviewBeforeSaving, false);
  settings.SetInt(SettingKey::GrpForNextProcessing, 1);
  settings.SetInt(SettingKey::GrpBlankLines, 1);
  settings.SetInt(SettingKey::GrpSingleLineComments, 2);
  settings.SetInt(SettingKey::GrpInLineComments, 1);
}

class TSilentPrompts final : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string&) override {
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::No : TAnswer::Ok;
  }
};

struct TBenchProject {
  std::string Dir;
  long Lines = 0;
  TBenchProject() {
    Dir = (fs::temp_directory_path() / "quillmate-bench-project").string();
    fs::remove_all(Dir);
    // The settings of the user stay untouched: the run reads only what the bench sets.
    SetSettingsDirectory(Dir + "/settings/");
    Lines = GenerateProject(Dir, 200);
  }
  ~TBenchProject() {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
};

TBenchProject& Project() {
  static TBenchProject project;
  return project;
}

void BM_ProcessProject(benchmark::State& state) {
  TBenchProject& bench = Project();
  TSettings settings;
  EveryRuleOn(settings);
  TSilentPrompts prompts;
  TNullProgress processing, copying;
  for (auto _ : state) {
    TSourceMgt project;
    if (project.ReadProjectFile(bench.Dir + "/BENCH.VBP", prompts) != TReadOutcome::Read) {
      state.SkipWithError("the project could not be read");
      break;
    }
    CancelRequested = false;
    TVBSrcFormatter formatter(TEngineServices{settings, prompts, processing, copying, nullptr});
    formatter.ProcessProject(&project);
    if (formatter.FRunReport.Outcome != TRunOutcome::Completed) {
      state.SkipWithError("the run did not complete");
      break;
    }
  }
  state.counters["lines"] = static_cast<double>(bench.Lines);
  state.counters["lines_per_second"] =
      benchmark::Counter(static_cast<double>(bench.Lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ProcessProject)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The passes alone, without copying, logging or saving: the engine's own speed.
void BM_FormatOnly(benchmark::State& state) {
  TBenchProject& bench = Project();
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
  CancelRequested = false;
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
BENCHMARK(BM_FormatOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The passes and the safety check a run makes before it writes a file: the check's cost is the
// difference to BM_FormatOnly.
void BM_FormatAndCheck(benchmark::State& state) {
  TBenchProject& bench = Project();
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
  const TProgramCheckOptions options = ProgramCheckOptionsFor(settings, nullptr);
  CancelRequested = false;
  for (auto _ : state) {
    TVBSrcFormatter formatter(TEngineServices{settings, prompts, processing, copying, nullptr});
    for (RFile* item : project.Items()) {
      formatter.FormatPasses(item->Lines);
      if (ProgramMismatchLine(item->Lines, formatter.FOutput, options)) {
        state.SkipWithError(("the safety check refused " + item->Name).c_str());
        return;
      }
    }
  }
  state.counters["lines_per_second"] =
      benchmark::Counter(static_cast<double>(bench.Lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FormatAndCheck)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string_view(argv[1]) == "--generate") {
    const int files = argc >= 4 ? std::stoi(argv[3]) : 200;
    const std::string dir = argv[2];
    const long lines = GenerateProject(dir, files);
    TSettings settings;
    EveryRuleOn(settings);
    settings.SaveINIControls(fs::absolute(dir + "/EVERYRULE.INI").string());
    std::cout << "wrote " << files << " files, " << lines << " lines: " << dir << "/BENCH.VBP, settings "
              << dir << "/EVERYRULE.INI\n";
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
