// SPDX-License-Identifier: MIT
#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "engine/linefuncs.h"
#include "messages.h"
#include "platform/os.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"

namespace qm {

namespace {

constexpr std::string_view kRoutinePrefixes[] = {
    "Function ", "Private Function ", "Static Function ", "Public Function ",
    "Sub ",      "Private Sub ",      "Static Sub ",      "Public Sub ",
};

// The line without its comment and without blanks and control characters at both ends.
std::string CodeOf(const std::string& line) {
  std::string code = line;
  StripComment(code);
  return std::string(TrimControls(code));
}

bool IsRoutineHeader(std::string_view code) {
  return std::any_of(std::begin(kRoutinePrefixes), std::end(kRoutinePrefixes),
                     [&](std::string_view prefix) { return code.starts_with(prefix); });
}

// Whether the file can be opened for reading now (a regular file).
bool CanReadFile(const std::string& path) {
  const std::string native = NativePath(path);
  const int fd = os::OpenForReading(native, true);
  if (fd < 0) return false;
  os::TFileInfo info;
  const bool regular = os::GetFileInfo(fd, info) && info.Kind == os::TFileKind::Regular;
  os::Close(fd);
  return regular;
}

bool UsesLines(TChartKind kind) {
  return kind == TChartKind::Routines || kind == TChartKind::Globals || kind == TChartKind::PercentComments ||
         kind == TChartKind::PercentWhitespace;
}

int CountLines(TChartKind kind, const TLines& lines) {
  switch (kind) {
    case TChartKind::Routines: return CountRoutines(lines);
    case TChartKind::Globals: return CountGlobals(lines);
    case TChartKind::PercentComments: return PercentComments(lines);
    case TChartKind::PercentWhitespace: return PercentWhitespace(lines);
    default: return 0;
  }
}

// Extensions compare as their lower-case letters do.
struct TIgnoringCase {
  bool operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
      return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
    });
  }
};

}  // namespace

int CountRoutines(const TLines& lines) {
  return static_cast<int>(
      std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return IsRoutineHeader(CodeOf(line)); }));
}

int CountGlobals(const TLines& lines) {
  int count = 0;
  for (const std::string& line : lines) {
    const std::string code = CodeOf(line);
    if (UpperCase(code).starts_with("GLOBAL ")) count += 1 + static_cast<int>(std::count(code.begin(), code.end(), ','));
  }
  return count;
}

int RoundedPercent(int part, int whole) {
  // The current rounding mode is to nearest, ties to even.
  return static_cast<int>(std::nearbyint(static_cast<double>(part) / static_cast<double>(whole) * 100.0));
}

int PercentComments(const TLines& lines) {
  int comments = 0, code = 0;
  for (const std::string& line : lines) {
    std::string text = line;
    if (CommentPos(text) > 0) {
      ++comments;
      StripComment(text);
    }
    if (!TrimControls(text).empty()) ++code;
  }
  return RoundedPercent(comments, std::max(code, 1));
}

int PercentWhitespace(const TLines& lines) {
  int blanks = 0, code = 0;
  for (const std::string& line : lines) {
    if (CommentPos(line) > 0) {
      // A line holding only a comment counts nowhere.
      if (!CodeOf(line).empty()) ++code;
    } else if (!TrimControls(line).empty()) {
      ++code;
    } else {
      ++blanks;
    }
  }
  return RoundedPercent(blanks, std::max(code, 1));
}

std::string NameExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

const TChartInfo& ChartInfo(TChartKind kind) {
  using S = TSeriesKind;
  static const TChartInfo kInfo[kChartKindCount] = {
      {"File sizes of each module",
       {"Produce a bar graph of all of", "the files in the project along", "with their respective sizes."},
       S::Bar, S::Bar, "Chart: Files in project by size", "Files in project by size"},
      {"Type of files in the project",
       {"Create a pie chart that breaks", "down files by their extension."},
       S::Pie, S::Pie, "Chart: Files in project by type of file", "Files in project by type of file"},
      {"Routines per module",
       {"Produce a bar graph showing", "# of routines in each file."},
       S::Bar, S::Bar, "Chart: Routines per module", "Routines per module"},
      {"Globals per module",
       {"Create a pie chart showing", "# of globals in each file."},
       S::Bar, S::Bar, "Chart: Globals per module", "Globals per module"},
      {"Lines of code per module",
       {"Create a bar graph showing each", "module with its lines of code."},
       S::Bar, S::Bar, "Chart: Lines of code per file", "Lines of code per file"},
      {"% of comments to code per module",
       {"Create a bar graph showing", "% of comments vs. code."},
       S::Bar, S::Bar, "Chart: Percent of comments vs. code", "Percent of comments vs. code"},
      {"% of whitespace to code per module",
       {"Create a bar graph showing", "% of whitespace vs. code."},
       S::Bar, S::Bar, "Chart: Percent of whitespace vs. code", "Percent of whitespace vs. code"},
  };
  const int index = std::clamp(static_cast<int>(kind), 0, kChartKindCount - 1);
  return kInfo[index];
}

std::vector<TChartPoint> FileTypePoints(const std::vector<std::string>& names) {
  // The label is the spelling first met; the key sorts and merges spellings of one extension.
  std::map<std::string, std::pair<std::string, TIntObject>, TIgnoringCase> types;
  for (const std::string& name : names) {
    const std::string ext = NameExtension(name);
    types.try_emplace(ext, ext, TIntObject{}).first->second.second.Value += 1;
  }
  std::vector<TChartPoint> points;
  points.reserve(types.size());
  for (const auto& [key, type] : types) points.push_back({type.first, static_cast<double>(type.second.Value), false});
  return points;
}

std::vector<TChartPoint> BuildChartPoints(TSourceMgt& project, TChartKind kind) {
  const std::vector<RFile*> items = project.Items();
  std::vector<TChartPoint> points;
  if (kind == TChartKind::FileTypes) {
    std::vector<std::string> names;
    names.reserve(items.size());
    for (const RFile* item : items) names.push_back(item->Name);
    return FileTypePoints(names);
  }
  if (static_cast<int>(kind) < 0 || static_cast<int>(kind) >= kChartKindCount) return points;

  points.reserve(items.size());
  RFile* const current = project.CurrentFile;
  for (RFile* item : items) {
    TChartPoint point{item->Name, 0, item->Size < 0 || !CanReadFile(item->Path)};
    if (UsesLines(kind)) {
      // Lines someone else loaded stay loaded; those loaded here go at once.
      const bool wasLoaded = item->Loaded;
      project.CurrentFile = item;
      project.CurrentLineCount();
      point.Value = CountLines(kind, item->Lines);
      if (!wasLoaded) project.FreeCurrentLines();
    } else if (kind == TChartKind::FileSizes) {
      point.Value = item->Size;
    } else {
      point.Value = item->LineCount;
    }
    points.push_back(std::move(point));
  }
  project.CurrentFile = current;
  return points;
}

TBarChartLayout BarChartLayoutFor(std::size_t bars) {
  if (bars > kMostUprightBars) return {true, 0};
  return {false, -90};
}

std::string ChartPointHint(const TChartPoint& point) {
  if (point.NotFound) return point.Label + ": not found";
  char value[32];
  std::snprintf(value, sizeof value, "%.15g", point.Value);
  return point.Label + ": " + value;
}

std::optional<TChartRefusal> CheckChartRequest(int kind, const TSourceMgt* project) {
  if (kind == static_cast<int>(TChartKind::None)) return TChartRefusal{TMsgKind::Information, msg::ChartNothingSelected};
  if (!project) return TChartRefusal{TMsgKind::Warning, msg::ChartNoProject};
  // The chain always ends in its empty end item: a project without items has only that.
  if (!project->FirstFile || !project->FirstFile->Next) return TChartRefusal{TMsgKind::Warning, msg::ChartNoCode};
  if (kind < 0 || kind >= kChartKindCount) return TChartRefusal{TMsgKind::Warning, msg::ChartUnknownKind};
  return std::nullopt;
}

}  // namespace qm
