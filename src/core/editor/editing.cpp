// SPDX-License-Identifier: MIT
#include "editor/editing.h"

#include <algorithm>

#include "analysis/commentor.h"
#include "analysis/linediff.h"
#include "engine/linefuncs.h"
#include "engine/outputtext.h"
#include "engine/programcheck.h"
#include "engine/templates.h"
#include "messages.h"
#include "settings/catalogue.h"

namespace qm {

std::string RestyledDocumentBytes(std::string_view original, const TMarkedList& output) {
  return RestyledBytes(original, output);
}

TDocumentRestyle RestyleDocument(std::string_view bytes, const TRestyleRequest& request) {
  TDocumentRestyle restyle;
  restyle.Before = bytes;
  restyle.Lines = SplitLines(bytes);
  restyle.FileName = request.FileName.empty() ? std::string("-") : request.FileName;
  restyle.Restyled = RestyleSource(restyle.Lines, request);
  if (restyle.Restyled.Usable()) restyle.After = RestyledDocumentBytes(bytes, restyle.Restyled.Output);
  return restyle;
}

namespace {

std::string RefusalOf(const TDocumentRestyle& restyle) {
  if (!restyle.Restyled.Done) return "cancelled";
  if (restyle.Restyled.MismatchLine) {
    return msg::Fill(msg::NotSavedProgramChange, {restyle.FileName, std::to_string(*restyle.Restyled.MismatchLine)});
  }
  return {};
}

TEditAnswer EditsTo(const TDocumentRestyle& restyle, std::string after) {
  TEditAnswer answer;
  if (auto edit = EditBetween(restyle.Before, after)) answer.Edits.push_back(std::move(*edit));
  answer.After = std::move(after);
  return answer;
}

TEditAnswer Refused(const TDocumentRestyle& restyle, std::string problem) {
  return {{}, std::move(problem), restyle.Before};
}

bool Touches(TLineRange unit, std::size_t first, std::size_t last) {
  return unit.Begin <= last && unit.End > first;
}

}  // namespace

TEditAnswer FormatEdits(const TDocumentRestyle& restyle) {
  if (std::string problem = RefusalOf(restyle); !problem.empty()) return Refused(restyle, std::move(problem));
  return EditsTo(restyle, restyle.After);
}

TEditAnswer RangeFormatEdits(const TDocumentRestyle& restyle, std::size_t first, std::size_t last,
                             const TRestyleRequest& request) {
  if (std::string problem = RefusalOf(restyle); !problem.empty()) return Refused(restyle, std::move(problem));
  if (last < first) std::swap(first, last);
  const std::vector<TDocumentLine> before = DocumentLines(restyle.Before);
  const std::vector<TDocumentLine> after = DocumentLines(restyle.After);
  const TLines afterLines = TextsOf(restyle.Restyled.Output);
  const std::vector<TLineRange> beforeUnits = RestyleUnits(restyle.Lines, ProceduresOf(restyle.Lines));
  const std::vector<TLineRange> afterUnits = RestyleUnits(afterLines, ProceduresOf(afterLines));
  if (beforeUnits.size() != afterUnits.size()) {
    return Refused(restyle, restyle.FileName + ": the procedures of the restyled text do not match the document's; "
                                               "restyle the whole document instead");
  }
  std::string spliced;
  TLines splicedLines;
  for (std::size_t u = 0; u < beforeUnits.size(); ++u) {
    const bool restyled = Touches(beforeUnits[u], first, last);
    const std::vector<TDocumentLine>& from = restyled ? after : before;
    const TLineRange unit = restyled ? afterUnits[u] : beforeUnits[u];
    for (std::size_t i = unit.Begin; i < unit.End && i < from.size(); ++i) {
      spliced += from[i].Text;
      spliced += from[i].End;
      splicedLines.emplace_back(from[i].Text);
    }
  }
  if (const auto line =
          ProgramMismatchLine(restyle.Lines, splicedLines, ProgramCheckOptionsFor(request.Settings, request.Templates))) {
    return Refused(restyle, msg::Fill(msg::NotSavedProgramChange, {restyle.FileName, std::to_string(*line)}));
  }
  return EditsTo(restyle, std::move(spliced));
}

std::vector<TLineRange> LinesToRestyle(const TDocumentRestyle& restyle) {
  std::vector<TLineRange> runs;
  if (!restyle.Restyled.Usable()) return runs;
  const TLines after = TextsOf(restyle.Restyled.Output);
  const TDiffPairing pairing = MatchLines(restyle.Lines, after, false);
  std::vector<bool> marked(restyle.Lines.size(), false);
  for (std::size_t i = 0; i < marked.size(); ++i) marked[i] = pairing.LeftPartner[i] < 0;
  // Lines inserted where no line of the document is changed or removed are shown on the line
  // they come before (the last line, at the end).
  std::size_t r = 0;
  std::size_t leftFrom = 0;  // the first left line after the last pair
  while (r < after.size() && !marked.empty()) {
    if (pairing.RightPartner[r] >= 0) {
      leftFrom = static_cast<std::size_t>(pairing.RightPartner[r]) + 1;
      ++r;
      continue;
    }
    while (r < after.size() && pairing.RightPartner[r] < 0) ++r;
    const std::size_t leftTo = r < after.size() ? static_cast<std::size_t>(pairing.RightPartner[r]) : marked.size();
    if (leftTo <= leftFrom) marked[std::min(leftTo, marked.size() - 1)] = true;
  }
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (!marked[i]) continue;
    if (!runs.empty() && runs.back().End == i) {
      runs.back().End = i + 1;
    } else {
      runs.push_back({i, i + 1});
    }
  }
  return runs;
}

std::optional<TLineRange> ProcedureUnitAt(const TLines& lines, std::size_t line) {
  const std::vector<TProcedure> procedures = ProceduresOf(lines);
  const std::vector<TLineRange> units = RestyleUnits(lines, procedures);
  for (std::size_t u = 1; u < units.size() && !procedures.empty(); ++u) {
    if (units[u].Contains(line)) return units[u];
  }
  return std::nullopt;
}

std::optional<THeaderInsertion> HeaderInsertionAt(std::string_view bytes, std::size_t line, const TSettings& settings,
                                                  const TCommentTemplates* templates) {
  const TLines lines = SplitLines(bytes);
  if (line >= lines.size()) return std::nullopt;
  const int routine = FindRoutineBackward(lines, static_cast<int>(line));
  if (routine < 0 || RoutineEndOf(lines, routine) < static_cast<int>(line)) return std::nullopt;
  for (const TRoutineEntry& entry : ListRoutines(lines)) {
    if (entry.Line == routine && entry.HasHeader) return std::nullopt;
  }
  const TRoutineKind kind = RoutineKindOf(lines[static_cast<std::size_t>(routine)]);
  const int declarationEnd = DeclarationEndOf(lines, routine);
  // The declaration as one statement, its continuation lines joined.
  std::string statement;
  for (int i = routine; i <= declarationEnd; ++i) {
    std::string_view text = TrimRight(lines[static_cast<std::size_t>(i)]);
    if (i < declarationEnd && text.ends_with(" _")) text = TrimRight(text.substr(0, text.size() - 1));
    statement += statement.empty() ? text : TrimLeftControls(text);
    if (i < declarationEnd) statement += ' ';
  }
  const bool isFunction = kind == TRoutineKind::Function;
  const TLines header = ExpandRoutineTemplate(statement, kind, templates ? *templates : DefaultCommentTemplates(),
                                              settings.Text(SettingKey::UserName));
  const bool above =
      settings.Bool(isFunction ? SettingKey::FunctionLevelCommentsBeforeProcedure : SettingKey::SubLevelCommentsBeforeProcedure);
  // The document with the header in place, written as a restyle writes it back: the header's
  // lines take the document's line end, every other line keeps its own.
  const std::size_t at = above ? static_cast<std::size_t>(routine) : static_cast<std::size_t>(declarationEnd) + 1;
  TMarkedList withHeader;
  withHeader.reserve(lines.size() + header.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == at) {
      for (const std::string& h : header) withHeader.push_back({h, NewChangedMark()});
    }
    withHeader.push_back({lines[i], NewUnchangedMark()});
  }
  if (at >= lines.size()) {
    for (const std::string& h : header) withHeader.push_back({h, NewChangedMark()});
  }
  std::string after = RestyledBytes(bytes, withHeader);
  auto edit = EditBetween(bytes, after);
  if (!edit) return std::nullopt;
  return THeaderInsertion{std::move(*edit), std::move(after)};
}

}  // namespace qm
