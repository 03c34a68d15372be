// SPDX-License-Identifier: MIT
// Statement splitting: single-line Ifs and lines of several statements joined by colons.
//
// Both splits write their pieces, unindented and marked changed, to FOutput; the next pass indents
// and comments them like any other line. They cut only where Visual Basic sees a boundary: the
// real Then and Else keywords and the colons between statements, never inside a string or date
// literal, a named argument (:=) or a Rem comment. A line that belongs to a continued statement
// (" _") is never taken apart.

#include <new>
#include <string>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/statementscan.h"

namespace qm {

namespace {

// Put after every piece of a split line that carried a comment.
constexpr std::string_view kCommentSuffix = "     '";

std::string CommentSuffix(std::string_view line) {
  std::string text = CommentText(line);
  if (text.empty()) return text;
  return std::string(kCommentSuffix) + text;
}

void AppendPiece(TMarkedList& out, std::string_view text, std::string_view suffix = {}) {
  // A piece that cannot be appended is skipped, as the pipeline skips a line it cannot write.
  try {
    std::string line;
    line.reserve(text.size() + suffix.size());
    line.append(text).append(suffix);
    out.push_back({std::move(line), NewChangedMark()});
  } catch (const std::bad_alloc&) {
  }
}

bool IsWord(const TCodeScanner& scan, const TCodeToken& t, std::string_view upperWord) {
  return t.Kind == TTokenKind::Word && EqualsUpperIgnoringCase(scan.Text(t), upperWord);
}

// Statements of one word that Visual Basic never takes for a label when a colon follows them.
bool IsOneWordStatement(std::string_view word) {
  for (std::string_view k : {"ELSE", "END", "LOOP", "NEXT", "WEND", "DO", "STOP", "BEEP", "CLS", "DOEVENTS", "RETURN",
                             "RESUME", "RANDOMIZE", "PRINT"}) {
    if (EqualsUpperIgnoringCase(word, k)) return true;
  }
  return false;
}

// A statement that reads differently at the start of a line: a bare line number (the target of
// If x Then 100), a name followed by a colon, which there is a label, or an empty statement before
// a colon (If x Then: y).
bool ReadsDifferentlyAtLineStart(std::string_view part) {
  TCodeScanner scan(part);
  const TCodeToken first = scan.Next();
  if (TCodeScanner::IsStatementColon(scan.Text(first), first)) return true;
  if (first.Kind != TTokenKind::Number && first.Kind != TTokenKind::Word) return false;
  if (first.Kind == TTokenKind::Word && IsOneWordStatement(scan.Text(first))) return false;
  const TCodeToken second = scan.Next();
  if (second.Kind == TTokenKind::End) return first.Kind == TTokenKind::Number;
  return TCodeScanner::IsStatementColon(scan.Text(second), second);
}

// Where a single-line If is cut: the end of its Then keyword, and the Else keyword that belongs to
// it (npos when there is none). An Else goes with the nearest If before it that has none yet, so
// the Elses of Ifs nested in the Then part are skipped.
struct TIfCuts {
  std::size_t ThenEnd = std::string_view::npos;
  std::size_t ElseBegin = std::string_view::npos;
  std::size_t ElseEnd = std::string_view::npos;
};

TIfCuts FindIfCuts(std::string_view code) {
  TIfCuts cuts;
  TCodeScanner scan(code);
  TCodeToken t = scan.Next();
  if (!IsWord(scan, t, "IF")) return cuts;
  int open = 0;  // Ifs of the Then part still waiting for their Else
  for (t = scan.Next(); t.Kind != TTokenKind::End; t = scan.Next()) {
    if (cuts.ThenEnd == std::string_view::npos) {
      if (IsWord(scan, t, "THEN")) cuts.ThenEnd = t.End;
    } else if (IsWord(scan, t, "THEN")) {
      ++open;
    } else if (IsWord(scan, t, "ELSE")) {
      if (open == 0) {
        cuts.ElseBegin = t.Begin;
        cuts.ElseEnd = t.End;
        break;
      }
      --open;
    }
  }
  return cuts;
}

// Skips the one blank that separates a keyword from what follows it.
std::size_t AfterBlank(std::string_view s, std::size_t at) { return at < s.size() && s[at] == ' ' ? at + 1 : at; }

// Calls cut(position) for every colon of code that separates two statements, left to right. A
// single-line If takes the rest of the line as its own statements, so no colon after it counts.
template <typename Cut>
void ForEachStatementColon(std::string_view code, Cut cut) {
  TCodeScanner scan(code);
  for (TCodeToken t = scan.Next(); t.Kind != TTokenKind::End; t = scan.Next()) {
    if (t.StatementStart && IsWord(scan, t, "IF")) return;
    if (TCodeScanner::IsStatementColon(scan.Text(t), t)) cut(t.Begin);
  }
}

}  // namespace

bool TVBSrcFormatter::SplitSingleLineIf(std::string_view line) {
  if (InContinuedStatement(line, FLine.PrevLine)) return false;
  const std::string_view s = CodeOf(line);
  const TIfCuts cuts = FindIfCuts(s);
  if (cuts.ThenEnd == std::string_view::npos) return false;

  const std::size_t headEnd = AfterBlank(s, cuts.ThenEnd);
  const bool hasElse = cuts.ElseBegin != std::string_view::npos;
  const std::string_view thenPart = s.substr(headEnd, (hasElse ? cuts.ElseBegin : s.size()) - headEnd);
  const std::string_view elsePart = hasElse ? s.substr(AfterBlank(s, cuts.ElseEnd)) : std::string_view();

  // A block If (nothing after the real Then, as in If Authentic Then) is no single-line If; a part
  // that would turn into a label on its own line stays where it is.
  if (Trim(thenPart).empty()) return false;
  if (ReadsDifferentlyAtLineStart(thenPart) || (hasElse && ReadsDifferentlyAtLineStart(elsePart))) return false;

  FModified = true;
  AppendPiece(FOutput, s.substr(0, headEnd), CommentSuffix(line));
  AppendPiece(FOutput, thenPart);
  if (hasElse) {
    AppendPiece(FOutput, "Else");
    AppendPiece(FOutput, elsePart);
  }
  AppendPiece(FOutput, "End If");
  return true;
}

bool TVBSrcFormatter::HasMultipleStatements(std::string_view line) const {
  if (line.find(':') == std::string_view::npos) return false;
  if (InContinuedStatement(line, FLine.PrevLine)) return false;
  const std::string_view s = CodeOf(line);
  // A line that ends with a colon is a line label.
  if (s.empty() || s.back() == ':') return false;
  bool found = false;
  ForEachStatementColon(s, [&](std::size_t) { found = true; });
  return found;
}

bool TVBSrcFormatter::SplitMultiStatement(std::string_view line) {
  // Labels and line numbers stand in the first column: a line that starts there is never split.
  if (line.empty() || line.front() != ' ') return false;
  if (InContinuedStatement(line, FLine.PrevLine)) return false;
  const std::string_view s = CodeOf(line);
  if (s.empty() || s.back() == ':') return false;
  // An indented label keeps its statement: on a line of its own the name would be a call.
  if (ReadsDifferentlyAtLineStart(s)) return false;

  const std::string suffix = CommentSuffix(line);
  std::size_t start = 0;
  ForEachStatementColon(s, [&](std::size_t colon) {
    AppendPiece(FOutput, Trim(s.substr(start, colon - start)), suffix);
    start = colon + 1;
  });
  if (start == 0) return false;

  FModified = true;
  AppendPiece(FOutput, Trim(s.substr(start)), suffix);
  return true;
}

}  // namespace qm
