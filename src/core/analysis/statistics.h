// SPDX-License-Identifier: MIT
#pragma once

// Project statistics: the counting rules over one item's lines, the seven chart kinds with their
// texts, the points of a chart built from an open project, and what the chart selector's Create
// says before it builds anything.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"
#include "ui/prompts.h"

namespace qm {

class TSourceMgt;
struct RFile;

// Sub and Function headers (eight prefixes, letter case as written); Property procedures and
// Declare statements do not count.
int CountRoutines(const TLines& lines);
// Lines beginning with the keyword Global in any case: 1 each, plus 1 per comma in the line.
int CountGlobals(const TLines& lines);
// Comment lines per code line, and blank lines per code line, in percent (rounded half to even).
int PercentComments(const TLines& lines);
int PercentWhitespace(const TLines& lines);

// part / whole * 100 in floating point, rounded to the nearest whole number, a half to the even
// one. whole is at least 1.
int RoundedPercent(int part, int whole);

// The counter of one extension in the file-type statistic.
struct TIntObject {
  std::int32_t Value = 0;
};

// The extension of a file name as written, from its last dot (dot included); empty without one.
std::string NameExtension(std::string_view name);

enum class TChartKind : int {
  FileSizes = 0,
  FileTypes = 1,
  Routines = 2,
  Globals = 3,
  LinesOfCode = 4,
  PercentComments = 5,
  PercentWhitespace = 6,
  None = 7,
};

inline constexpr int kChartKindCount = 7;

enum class TSeriesKind { Bar, Pie };

struct TChartInfo {
  std::string_view ListText;
  std::vector<std::string_view> Description;  // one line of the description box each
  TSeriesKind Sample;
  TSeriesKind Series;
  std::string_view Caption;  // of the chart window
  std::string_view Title;    // of the chart
};

// The texts of a kind from 0 to 6.
const TChartInfo& ChartInfo(TChartKind kind);

struct TChartPoint {
  std::string Label;
  double Value = 0;
  // The item's file was not found when the project was read, or cannot be read now: its value is
  // that of the "NOT AVAILABLE" line put in its place.
  bool NotFound = false;
  friend bool operator==(const TChartPoint&, const TChartPoint&) = default;
};

// The points of a kind from 0 to 6, walking the items in project order. Per-item kinds give one
// point per item labelled with its Name; the routine, global and percentage kinds load each item's
// lines as the project's current file, count, and free them before the next.
std::vector<TChartPoint> BuildChartPoints(TSourceMgt& project, TChartKind kind);

// The file-type points of item names: one per extension, sorted without regard to letter case,
// labelled as first met.
std::vector<TChartPoint> FileTypePoints(const std::vector<std::string>& names);

// How a bar chart names every bar so that each name can be read: up to kMostUprightBars bars stand
// upright with their names written upwards beneath them; more lie across the chart, one row each
// with its name level beside it, the chart as tall as its rows need (the window scrolls down, never
// sideways, so the title stays in sight).
inline constexpr std::size_t kMostUprightBars = 20;
struct TBarChartLayout {
  bool Horizontal = false;
  int LabelAngle = -90;  // degrees of the names, 0 level
  friend bool operator==(const TBarChartLayout&, const TBarChartLayout&) = default;
};
TBarChartLayout BarChartLayoutFor(std::size_t bars);

// What a point shows when the pointer rests on it: its label and value, or that it was not found.
std::string ChartPointHint(const TChartPoint& point);

// The message Create shows instead of a chart, if any: for no kind chosen, no project, a project
// without items, or an unknown kind (in that order of checks).
struct TChartRefusal {
  TMsgKind Kind;
  std::string_view Text;
};
std::optional<TChartRefusal> CheckChartRequest(int kind, const TSourceMgt* project);

}  // namespace qm
