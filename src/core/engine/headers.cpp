// SPDX-License-Identifier: MIT
// Procedure header comments from the Sub and Function templates, inserted in the first pass above
// or below the first line of every Sub and Function.

#include <exception>
#include <string>
#include <vector>
#include <utility>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/templates.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"

namespace qm {

namespace {

using K = SettingKey;

constexpr std::size_t kGuarded = static_cast<std::size_t>(-1);

// A statement that goes on on the next line: its last characters are a blank and "_". (In a
// comment too: Visual Basic carries a comment on over such a line end.)
bool ContinuesOnNextLine(std::string_view line) {
  line = TrimRight(line);
  if (!line.ends_with('_')) return false;
  return line.size() == 1 || line[line.size() - 2] == ' ' || line[line.size() - 2] == '\t';
}

// Joins one physical line to the statement read so far, dropping the continuation mark, so that
// the header's values are read from the whole statement.
void AppendStatementLine(std::string& statement, std::string_view line) {
  line = TrimRight(line);
  const bool continued = ContinuesOnNextLine(line);
  if (continued) line = TrimRight(line.substr(0, line.size() - 1));
  if (!statement.empty()) line = TrimLeft(line);
  statement += line;
  if (continued) statement += ' ';
}

bool IsRemStatement(std::string_view text) {
  return text.size() >= 3 && UpperCase(text.substr(0, 3)) == "REM" &&
         (text.size() == 3 || text[3] == ' ' || text[3] == '\t');
}

// A header line is inserted into code, so a template line that is no comment (a user's template
// file may hold one) is made one: inserted as it stands it would break the procedure.
std::string AsCommentLine(std::string text) {
  const std::string_view t = TrimLeft(text);
  if (t.empty() || t.front() == '\'' || IsRemStatement(t)) return text;
  return "'" + text;
}

THeaderValues HeaderValuesOf(bool isFunction, std::string_view statement, const std::string& author,
                             const std::string& date) {
  THeaderValues values;
  values.Name = isFunction ? FunctionNameOf(statement) : SubNameOf(statement);
  values.Author = author;
  values.Date = date;
  values.Params = isFunction ? FunctionParamsOf(statement) : SubParamsOf(statement);
  if (isFunction) values.Returns = FunctionReturnOf(statement);
  return values;
}

const TCommentTemplates& TemplatesOf(const TEngineServices& services) {
  return services.Templates ? *services.Templates : DefaultCommentTemplates();
}

bool IsPlaceholderLetter(char c) {
  switch (c) {
    case 'n': case 'N': case 'a': case 'A': case 'd': case 'D': case 'p': case 'P': case 'r': case 'R': return true;
    default: return false;
  }
}

// What every header line made from a template line begins with, whatever the values and whatever
// the user has written into it since: the line as inserted up to its first placeholder, without
// blanks at either end.
std::string FixedPrefixOf(const std::string& templateLine) {
  std::string line = AsCommentLine(templateLine);
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    if (line[i] == '%' && IsPlaceholderLetter(line[i + 1])) {
      line.resize(i);
      break;
    }
  }
  return std::string(Trim(line));
}

// The comment lines next to a procedure statement hold a header of the template: the template's
// lines, each by its fixed prefix, stand among them in order. Block lines that frame the header,
// text filled in after a label and lines the user added between do not hide it.
bool HoldsHeader(const std::vector<std::string>& comments, const TLines& lines) {
  std::size_t at = 0;
  for (const std::string& templateLine : lines) {
    const std::string prefix = FixedPrefixOf(templateLine);
    while (at < comments.size() && !Trim(comments[at]).starts_with(prefix)) ++at;
    if (at == comments.size()) return false;
    ++at;
  }
  return true;
}

}  // namespace

bool TVBSrcFormatter::HeaderWanted(bool isFunction, bool before) const {
  const bool perform = On(isFunction ? K::FunctionLevelCommentsPerform : K::SubLevelCommentsPerform);
  const K placement = isFunction ? (before ? K::FunctionLevelCommentsBeforeProcedure
                                           : K::FunctionLevelCommentsAfterProcedure)
                                 : (before ? K::SubLevelCommentsBeforeProcedure : K::SubLevelCommentsAfterProcedure);
  if (!perform || !On(placement)) return false;
  switch (Choice<THeaderFiles>(isFunction ? K::GrpFunctionLevelComments : K::GrpSubLevelComments)) {
    // A user control, property page, user document or designer is built like a form (a control
    // description above its code): its code is form level code.
    case THeaderFiles::FormLevelCode: return HasControlDescription(FFileKind);
    case THeaderFiles::ModuleLevelCode: return FFileKind == rkModule;
    case THeaderFiles::Both: return true;
    default: return false;
  }
}

// Appends the expanded template; returns the number of lines written, or kGuarded when the header
// is already there: the line above ends like the template (before), or the line below starts
// like it (after), blanks at either end aside, so that a file formatted before gets no second
// header even when a later pass has indented the first one.
std::size_t TVBSrcFormatter::InsertHeader(bool isFunction, std::string_view statement, bool before,
                                          const std::string& date) {
  const TCommentTemplates& templates = TemplatesOf(services_);
  const TLines& lines = isFunction ? templates.Function : templates.Sub;
  if (lines.empty()) return 0;

  const THeaderValues values = HeaderValuesOf(isFunction, statement, Str(K::UserName), date);

  const std::string& edge = before ? lines.back() : lines.front();
  const std::string_view neighbour = Trim(before ? FLine.PrevLine : FLine.NextLine);
  if (neighbour == Trim(AsCommentLine(edge)) || neighbour == Trim(AsCommentLine(ExpandHeaderTemplate(edge, values))) ||
      HoldsHeader(before ? CommentsAbove() : CommentsBelow(), lines)) {
    return kGuarded;
  }

  std::size_t written = 0;
  for (const std::string& line : lines) {
    // A line that cannot be made or appended is skipped; the header goes on with the next.
    try {
      FOutput.push_back({AsCommentLine(ExpandHeaderTemplate(line, values)), NewChangedMark()});
      ++written;
    } catch (const std::exception&) {
    }
  }
  return written;
}

// The whole-line comments written last, directly above the line in hand, in their order.
std::vector<std::string> TVBSrcFormatter::CommentsAbove() const {
  std::size_t first = FOutput.size();
  while (first > 0 && IsCommentLine(FOutput[first - 1].Text)) --first;
  std::vector<std::string> comments;
  for (std::size_t i = first; i < FOutput.size(); ++i) comments.push_back(FOutput[i].Text);
  return comments;
}

// The whole-line comments of the input directly below the line in hand, tabs expanded.
std::vector<std::string> TVBSrcFormatter::CommentsBelow() const {
  std::vector<std::string> comments;
  if (!FPassLines) return comments;
  for (std::size_t i = FLineIndex + 1; i < FPassLines->Size(); ++i) {
    std::string line = ExpandTabs(FPassLines->Line(i), services_.Settings.TabWidth());
    if (!IsCommentLine(line)) break;
    comments.push_back(std::move(line));
  }
  return comments;
}

std::vector<std::vector<std::string>> TVBSrcFormatter::HeaderTemplatePrefixes() const {
  const TCommentTemplates& templates = TemplatesOf(services_);
  std::vector<std::vector<std::string>> all;
  for (const TLines* lines : {&templates.Function, &templates.Sub}) {
    if (lines->empty()) continue;
    std::vector<std::string> prefixes;
    prefixes.reserve(lines->size());
    for (const std::string& line : *lines) prefixes.push_back(FixedPrefixOf(line));
    all.push_back(std::move(prefixes));
  }
  return all;
}

void TVBSrcFormatter::InsertSubHeader(std::string_view line, bool before) {
  InsertHeader(false, line, before, TemplatesOf(services_).Today());
}

void TVBSrcFormatter::InsertFunctionHeader(std::string_view line, bool before) {
  InsertHeader(true, line, before, TemplatesOf(services_).Today());
}

// A header written above a continued statement from its first line alone is written again from
// the whole statement, so that parameters on the later lines are in it.
void TVBSrcFormatter::CompleteHeaderAbove(const THeaderInProgress& header) {
  const TCommentTemplates& templates = TemplatesOf(services_);
  const TLines& lines = header.IsFunction ? templates.Function : templates.Sub;
  // With a line skipped on the way the lines no longer pair with the template's.
  if (header.Written != lines.size() || header.First + lines.size() > FOutput.size()) return;

  const THeaderValues values = HeaderValuesOf(header.IsFunction, header.Statement, Str(K::UserName), header.Date);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    FOutput[header.First + k].Text = AsCommentLine(ExpandHeaderTemplate(lines[k], values));
  }
}

void TVBSrcFormatter::ApplyHeaderCommentsBefore(std::string_view line, int pass) {
  FHeaderAbove = {};
  // A later line of a continued statement starts no procedure.
  if (pass != kPass1 || FHeaderPending.Active) return;
  const TVBStatementKind kind = ClassifyStatement(line);
  const bool isFunction = IsFunctionStart(kind);
  if (!(isFunction || IsSubStart(kind)) || !HeaderWanted(isFunction, true)) return;

  THeaderInProgress header;
  header.IsFunction = isFunction;
  header.Before = true;
  header.First = FOutput.size();
  header.Date = TemplatesOf(services_).Today();
  header.Written = InsertHeader(isFunction, line, true, header.Date);
  if (header.Written == kGuarded) return;
  header.Active = true;
  FHeaderAbove = std::move(header);
}

void TVBSrcFormatter::ApplyHeaderCommentsAfter(std::string_view line, int pass) {
  if (pass != kPass1) return;
  THeaderInProgress above = std::exchange(FHeaderAbove, {});

  if (FHeaderPending.Active) {
    AppendStatementLine(FHeaderPending.Statement, line);
    if (ContinuesOnNextLine(line)) {
      // Continued onto nothing (the end of the file, a blank line): the statement is broken and
      // is left without a header below it.
      if (Trim(FLine.NextLine).empty()) FHeaderPending = {};
      return;
    }
    const THeaderInProgress header = std::exchange(FHeaderPending, {});
    if (header.Before) {
      CompleteHeaderAbove(header);
    } else {
      InsertHeader(header.IsFunction, header.Statement, false, header.Date);
    }
    return;
  }

  THeaderInProgress header;
  if (above.Active) {
    header = std::move(above);
  } else {
    // A line that continues the comment above starts no procedure.
    if (FCommentContinuation) return;
    const TVBStatementKind kind = ClassifyStatement(line);
    header.IsFunction = IsFunctionStart(kind);
    if (!(header.IsFunction || IsSubStart(kind)) || !HeaderWanted(header.IsFunction, false)) return;
    header.Date = TemplatesOf(services_).Today();
  }

  if (ContinuesOnNextLine(line)) {
    if (Trim(FLine.NextLine).empty()) return;
    header.Active = true;
    AppendStatementLine(header.Statement, line);
    FHeaderPending = std::move(header);
  } else if (!header.Before) {
    InsertHeader(header.IsFunction, line, false, header.Date);
  }
}

}  // namespace qm
