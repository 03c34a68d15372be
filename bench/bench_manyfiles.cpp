// SPDX-License-Identifier: MIT
// A project of many small files in one folder: what the file system costs per file.
//
//   bench_manyfiles                          runs the benchmarks (Google Benchmark flags apply)
//   bench_manyfiles --generate DIR [N]       writes the project MANY.VBP with N small files (default
//                                            4000) and the settings file MANY.INI (the built-in
//                                            defaults, preview off) into DIR, so that the program
//                                            itself can be measured on it
//
// The files are what a real project of that size holds: a form in every four files (half of them
// with a binary .frx companion), a class in every four, the rest code modules, each of 30 to 60
// lines with a few procedures. Names are spelt the way Visual Basic writes them (frmOrder17.frm);
// one entry in twenty names its file in other letter case than the disk does (MODUTIL19.BAS for
// modUtil19.bas), as projects carried over from Windows do.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "engine/formatter.h"
#include "project_run.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace {

namespace fs = std::filesystem;
using namespace qm;

struct TSmallWriter {
  std::string text;
  void Line(std::string_view line) {
    text += line;
    text += "\r\n";
  }
};

void WriteSmallProcedure(TSmallWriter& w, const std::string& id, int variant) {
  if (variant % 2 == 0) {
    w.Line("Private Sub Refresh" + id + " ()");
    w.Line("Dim i As Integer, sText As String");
    w.Line("' Fill the list from the table");
    w.Line("For i = 1 To 10");
    w.Line("If i Mod 2 = 0 Then sText = sText & \"even\" Else sText = sText & \"odd\"");
    w.Line("Next");
    w.Line("lstItems.AddItem sText ' show it");
    w.Line("End Sub");
  } else {
    w.Line("Public Function Total" + id + "(ByVal nCount As Integer) As Long");
    w.Line("  Dim nSum As Long");
    w.Line("  Select Case nCount");
    w.Line("  Case 0");
    w.Line("    Total" + id + " = 0: Exit Function");
    w.Line("  Case Else");
    w.Line("    Do While nCount > 0");
    w.Line("    nSum = nSum + nCount");
    w.Line("    nCount = nCount - 1");
    w.Line("    Loop");
    w.Line("  End Select");
    w.Line("  Total" + id + " = nSum");
    w.Line("End Function");
  }
  w.Line("");
}

struct TGenerated {
  std::string DiskName;     // as written to the disk
  std::string ProjectLine;  // as the project file names it
  bool Companion = false;   // a form with a .frx
};

TGenerated GenerateSmallFile(const std::string& dir, int n) {
  const std::string id = std::to_string(n);
  TGenerated out;
  TSmallWriter w;
  const bool otherCase = n % 20 == 19;
  switch (n % 4) {
    case 0: {
      const std::string base = "frmOrder" + id;
      out.DiskName = base + ".frm";
      out.Companion = n % 8 == 0;
      w.Line("VERSION 4.00");
      w.Line("Begin VB.Form " + base);
      w.Line("   Caption         =   \"Order " + id + "\"");
      w.Line("   ClientHeight    =   3195");
      w.Line("   Begin VB.ListBox lstItems");
      w.Line("      Height          =   2400");
      w.Line("   End");
      w.Line("End");
      w.Line("Attribute VB_Name = \"" + base + "\"");
      out.ProjectLine = "Form=" + (otherCase ? UpperCase(out.DiskName) : out.DiskName);
      break;
    }
    case 1: {
      const std::string base = "clsItem" + id;
      out.DiskName = base + ".cls";
      w.Line("VERSION 1.0 CLASS");
      w.Line("BEGIN");
      w.Line("  MultiUse = -1  'True");
      w.Line("END");
      w.Line("Attribute VB_Name = \"" + base + "\"");
      out.ProjectLine = "Class=" + base + "; " + (otherCase ? UpperCase(out.DiskName) : out.DiskName);
      break;
    }
    default: {
      const std::string base = "modUtil" + id;
      out.DiskName = base + ".bas";
      w.Line("Attribute VB_Name = \"" + base + "\"");
      out.ProjectLine = "Module=" + base + "; " + (otherCase ? UpperCase(out.DiskName) : out.DiskName);
      break;
    }
  }
  w.Line("Option Explicit");
  w.Line("Dim mCount As Integer, mName As String");
  w.Line("");
  for (int p = 0; p < 2 + n % 3; ++p) WriteSmallProcedure(w, id + "_" + std::to_string(p), n + p);
  WriteFileBytes(dir + "/" + out.DiskName, w.text);
  if (out.Companion) {
    const std::string frx = out.DiskName.substr(0, out.DiskName.size() - 4) + ".frx";
    WriteFileBytes(dir + "/" + frx, std::string("lt\0\0\x01\x02\x03\x04 binary companion", 26));
  }
  return out;
}

// Writes MANY.VBP and its n files into dir (emptied first).
void GenerateManyFiles(const std::string& dir, int n) {
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  // Every file is new, so each write would otherwise list the folder to look for its name.
  TDirectoryCacheScope listings;
  std::string project = "Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#STDOLE2.TLB#OLE\r\n";
  for (int f = 0; f < n; ++f) project += GenerateSmallFile(dir, f).ProjectLine + "\r\n";
  project += "Startup=\"frmOrder0\"\r\nTitle=\"Many\"\r\nExeName32=\"Many.exe\"\r\n";
  WriteFileBytes(dir + "/MANY.VBP", project);
}

// The built-in defaults, without the preview a person would answer.
void QuietDefaults(TSettings& settings) { settings.SetBool(SettingKey::PreviewBeforeSaving, false); }

// Reads the project and runs it (copy of the entries, formatting, writing) with the defaults.
void BM_ManyFilesRun(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  const std::string dir = (fs::temp_directory_path() / ("quillmate-many-" + std::to_string(files))).string();
  SetSettingsDirectory(dir + "-settings/");
  GenerateManyFiles(dir, files);
  TSettings settings;
  QuietDefaults(settings);
  for (auto _ : state) {
    if (!bench::ReadAndRun(state, dir + "/MANY.VBP", settings)) break;
  }
  state.counters["files_per_second"] =
      benchmark::Counter(static_cast<double>(files), benchmark::Counter::kIsIterationInvariantRate);
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::remove_all(dir + "-settings", ec);
}
BENCHMARK(BM_ManyFilesRun)->Arg(500)->Arg(4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string_view(argv[1]) == "--generate") {
    const int files = argc >= 4 ? std::stoi(argv[3]) : 4000;
    const std::string dir = argv[2];
    GenerateManyFiles(dir, files);
    TSettings settings;
    QuietDefaults(settings);
    settings.SaveINIControls(fs::absolute(dir + "/MANY.INI").string());
    std::cout << "wrote " << files << " files: " << dir << "/MANY.VBP, settings " << dir << "/MANY.INI\n";
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
