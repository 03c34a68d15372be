// SPDX-License-Identifier: MIT
// quillmate-cli stats: the statistics the charts show, for every item of a project, without a
// window: tab-separated rows or one JSON object.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/statistics.h"
#include "cli.h"
#include "cli_args.h"
#include "cli_prompts.h"
#include "cli_encoding.h"
#include "cli_settings.h"
#include "platform/paths.h"
#include "platform/utf8.h"
#include "project/sourcemgt.h"

namespace qm::cli {

namespace {

constexpr std::string_view kStatsUsage =
    "usage: quillmate-cli stats [--json] [--encoding NAME] PROJECT\n"
    "\n"
    "Prints the statistics of every form, module and class of a Visual Basic project (.MAK\n"
    "or .VBP), in project order: size in bytes (-1 for a file that was not found), lines,\n"
    "routines, globals, percent of comments and of white space to code; then the number of\n"
    "files per extension. Tab-separated by default, one JSON object with --json.\n"
    "\n"
    "  --json           print one JSON object (docs/json.md) instead of the tab-separated\n"
    "                   lines\n"
    "  --encoding NAME  the code page of the names in the project file (any name iconv\n"
    "                   knows, or auto); by default the Encoding choice of the nearest\n"
    "                   VBQUILL3.INI or the saved settings (auto falling back to\n"
    "                   Windows-1252 without one)\n"
    "  --help           print this help\n";

struct TStatsOptions {
  std::string Project;
  std::string Encoding;
  bool Json = false;
  bool Help = false;
};

bool ParseStatsOptions(const TArgs& args, TStatsOptions& options, std::string& problem) {
  bool noMoreOptions = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!noMoreOptions && (arg == "--help" || arg == "-h")) {
      options.Help = true;
    } else if (!noMoreOptions && IsValueOption(args, i, "--encoding", options.Encoding, problem)) {
      if (!problem.empty()) return false;
    } else if (!noMoreOptions && arg == "--json") {
      options.Json = true;
    } else if (!noMoreOptions && arg == "--") {
      noMoreOptions = true;
    } else if (!noMoreOptions && IsOptionLike(arg)) {
      return UnknownOption(arg, problem);
    } else if (!TakeTheFile(arg, options.Project, "project", problem)) {
      return false;
    }
  }
  return HasTheFile(options.Project, options.Help, "project", problem);
}

struct TItemRow {
  std::string Name;
  std::string Path;
  std::int64_t Size = 0;
  std::int64_t Lines = 0;
  std::int64_t Routines = 0;
  std::int64_t Globals = 0;
  std::int64_t PctComments = 0;
  std::int64_t PctWhitespace = 0;
};

// Every per-item figure, from the same points the charts are built of.
std::vector<TItemRow> ItemRows(TSourceMgt& project, const TCliEncoding& encoding) {
  const std::vector<RFile*> items = project.Items();
  std::vector<TItemRow> rows(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    rows[i].Name = encoding.ToUtf8(items[i]->Name);
    // The directory comes from this disk, the rest from the project file: kept when it reads as
    // UTF-8 already, else taken in the project's code page.
    const std::string path = NativePath(items[i]->Path);
    rows[i].Path = IsValidUtf8(path) ? path : encoding.ToUtf8(path);
  }
  const struct {
    TChartKind Kind;
    std::int64_t TItemRow::*Field;
  } columns[] = {
      {TChartKind::FileSizes, &TItemRow::Size},
      {TChartKind::LinesOfCode, &TItemRow::Lines},
      {TChartKind::Routines, &TItemRow::Routines},
      {TChartKind::Globals, &TItemRow::Globals},
      {TChartKind::PercentComments, &TItemRow::PctComments},
      {TChartKind::PercentWhitespace, &TItemRow::PctWhitespace},
  };
  for (const auto& column : columns) {
    const std::vector<TChartPoint> points = BuildChartPoints(project, column.Kind);
    for (std::size_t i = 0; i < rows.size() && i < points.size(); ++i) {
      rows[i].*column.Field = static_cast<std::int64_t>(points[i].Value);
      if (column.Kind == TChartKind::FileSizes && points[i].NotFound) rows[i].Size = -1;
    }
  }
  return rows;
}

void WriteTable(std::ostream& out, const std::vector<TItemRow>& rows, const std::vector<TChartPoint>& types) {
  out << "name\tsize\tlines\troutines\tglobals\tpct_comments\tpct_whitespace\n";
  for (const TItemRow& row : rows) {
    out << row.Name << '\t' << row.Size << '\t' << row.Lines << '\t' << row.Routines << '\t' << row.Globals << '\t'
        << row.PctComments << '\t' << row.PctWhitespace << '\n';
  }
  for (const TChartPoint& type : types) {
    out << "type\t" << Cp1252ToUtf8(type.Label) << '\t' << static_cast<std::int64_t>(type.Value) << '\n';
  }
}

void WriteJson(std::ostream& out, const TSourceMgt& project, const std::vector<TItemRow>& rows,
               const std::vector<TChartPoint>& types, const TCliEncoding& encoding) {
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (const TItemRow& row : rows) {
    items.push_back({{"name", row.Name},
                     {"path", row.Path},
                     {"size", row.Size},
                     {"lines", row.Lines},
                     {"routines", row.Routines},
                     {"globals", row.Globals},
                     {"pctComments", row.PctComments},
                     {"pctWhitespace", row.PctWhitespace}});
  }
  nlohmann::ordered_json typeList = nlohmann::ordered_json::array();
  for (const TChartPoint& type : types) {
    typeList.push_back({{"extension", Cp1252ToUtf8(type.Label)}, {"count", static_cast<std::int64_t>(type.Value)}});
  }
  const nlohmann::ordered_json document = {
      {"schemaVersion", 1}, {"project", encoding.ToUtf8(project.ProjectName)}, {"items", items}, {"types", typeList}};
  out << document.dump(2) << '\n';
}

}  // namespace

int CmdStats(const TArgs& args, std::ostream& out, std::ostream& err) {
  TStatsOptions options;
  std::string problem;
  const bool parsed = ParseStatsOptions(args, options, problem);
  if (const auto done = AfterParsing(parsed, problem, options.Help, "stats", kStatsUsage, out, err)) return *done;
  TCliPrompts prompts(err);
  TSourceMgt project;
  if (project.ReadProjectFile(Absolute(options.Project), prompts) != TReadOutcome::Read) return kExitError;

  TCliEncoding encoding;
  if (!encoding.Choose(options.Encoding, FindCliSettings("", project.ProjectDir), problem)) {
    err << "quillmate-cli: " << problem << '\n';
    return kExitError;
  }
  encoding.Resolve(project.ProjectFile);
  const std::vector<TItemRow> rows = ItemRows(project, encoding);
  const std::vector<TChartPoint> types = BuildChartPoints(project, TChartKind::FileTypes);
  if (options.Json) {
    WriteJson(out, project, rows, types, encoding);
  } else {
    WriteTable(out, rows, types);
  }
  out.flush();
  if (!out) {
    err << "quillmate-cli: error: cannot write to standard output\n";
    return kExitError;
  }
  return kExitOk;
}

}  // namespace qm::cli
