// SPDX-License-Identifier: MIT
// The per-line hooks around the transformations, the blank-line filter, and For/Next handling:
// the loop variables of the open For loops and the Next lines rebuilt with or without them.

#include <algorithm>
#include <iterator>
#include <utility>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/statementscan.h"
#include "platform/ascii.h"

namespace qm {

namespace {

using K = SettingKey;

// What follows the keyword of a Next line, up to its comment, trimmed: empty for a bare Next.
std::string_view NextOperands(std::string_view line) {
  const int comment = CommentPos(line);
  if (comment > 0) line = line.substr(0, static_cast<std::size_t>(comment) - 1);
  line = Trim(line);
  line.remove_prefix(std::min<std::size_t>(4, line.size()));
  return Trim(line);
}

bool IsNameChar(char c) {
  return static_cast<unsigned char>(c) > ' ' && c != ',' && c != ':' && c != '\'' && c != '"' &&
         c != '(' && c != ')';
}

// The number of loop variables in operands that are nothing but names separated by commas; -1 when
// they hold anything else (a further statement after a colon, for instance).
int CountNames(std::string_view operands) {
  if (operands.empty()) return 0;
  int count = 0;
  for (;;) {
    const std::size_t comma = operands.find(',');
    const std::string_view name = Trim(operands.substr(0, comma));
    if (name.empty()) return -1;
    for (const char c : name) {
      if (!IsNameChar(c)) return -1;
    }
    ++count;
    if (comma == std::string_view::npos) return count;
    operands.remove_prefix(comma + 1);
  }
}

// The rebuilt Next line keeps only the line's indentation and its comment; it is built only when
// the line names at most one variable, so that neither the names of outer loops nor a statement
// joined by a colon is lost.
bool MayRebuildNext(std::string_view line) {
  const int names = CountNames(NextOperands(line));
  return names == 0 || names == 1;
}

std::string RebuiltNext(std::string_view line, std::string_view afterNext) {
  std::string out(static_cast<std::size_t>(LeadingBlanks(line)), ' ');
  out += "Next";
  out += afterNext;
  out += "    ";
  const std::string comment = CommentText(line);
  if (!comment.empty()) {
    out += '\'';
    out += comment;
  }
  return out;
}

// The "Lines Before" and "Lines After" settings of the twelve statement groups.
struct TBlankLineKeys {
  SettingKey Before;
  SettingKey After;
};

// The settings of a statement kind; none for procedures, Type, With, their ends and other lines.
const TBlankLineKeys* BlankLineKeysOf(TVBStatementKind kind) {
  static constexpr TBlankLineKeys kIf{K::BlankLinesIfThenBefore, K::BlankLinesIfThenAfter};
  static constexpr TBlankLineKeys kElse{K::BlankLinesElseBefore, K::BlankLinesElseAfter};
  static constexpr TBlankLineKeys kEndIf{K::BlankLinesEndIfBefore, K::BlankLinesEndIfAfter};
  static constexpr TBlankLineKeys kSelect{K::BlankLinesSelectBefore, K::BlankLinesSelectAfter};
  static constexpr TBlankLineKeys kCase{K::BlankLinesCaseBefore, K::BlankLinesCaseAfter};
  static constexpr TBlankLineKeys kEndSelect{K::BlankLinesEndSelectBefore, K::BlankLinesEndSelectAfter};
  static constexpr TBlankLineKeys kDo{K::BlankLinesDoBefore, K::BlankLinesDoAfter};
  static constexpr TBlankLineKeys kLoop{K::BlankLinesLoopBefore, K::BlankLinesLoopAfter};
  static constexpr TBlankLineKeys kWhile{K::BlankLinesWhileBefore, K::BlankLinesWhileAfter};
  static constexpr TBlankLineKeys kWend{K::BlankLinesWendBefore, K::BlankLinesWendAfter};
  static constexpr TBlankLineKeys kFor{K::BlankLinesForBefore, K::BlankLinesForAfter};
  static constexpr TBlankLineKeys kNext{K::BlankLinesNextBefore, K::BlankLinesNextAfter};
  switch (kind) {
    case skIf: return &kIf;
    case skElse: case skElseIf: return &kElse;
    case skEndIf: return &kEndIf;
    case skSelectCase: return &kSelect;
    case skCase: return &kCase;
    case skEndSelect: return &kEndSelect;
    case skDo: return &kDo;
    case skLoop: return &kLoop;
    case skWhile: return &kWhile;
    case skWend: return &kWend;
    case skFor: return &kFor;
    case skNext: return &kNext;
    default: return nullptr;
  }
}

}  // namespace

// Before the transformations, in the first pass: spelling, header comments above a procedure,
// blank lines before a construct.
void TVBSrcFormatter::ApplyBeforeLineRules(std::string& line, int pass) {
  if (pass != kPass1) return;
  SpellCheckLine(line);
  ApplyHeaderCommentsBefore(line, pass);
  AddBlankLinesBefore(line);
}

// After the line is written, in the first pass: header comments below a procedure line, blank
// lines after a construct.
void TVBSrcFormatter::ApplyAfterLineRules(std::string_view line, int pass) {
  if (pass != kPass1) return;
  ApplyHeaderCommentsAfter(line, pass);
  AddBlankLinesAfter(line);
}

// The corrected line is what every later rule sees. A cancel in the spelling dialog ends checking
// for the rest of the run.
void TVBSrcFormatter::SpellCheckLine(std::string& line) {
  if (!On(K::SpellingPerform) || FSpellCancelled) return;
  if (On(K::SpellingLiterals)) SpellCheckLiterals(line);
  if (On(K::SpellingComments) && !FSpellCancelled) SpellCheckComment(line);
}

// A line that continues the previous statement gets no blank lines before it: a blank line after
// a " _" would end the statement there.
void TVBSrcFormatter::AddBlankLinesBefore(std::string_view line) {
  if (Choice<TBlankLineProcessing>(K::GrpBlankLines) != TBlankLineProcessing::UseRules || EndsWithContinuation(FLine.PrevLine)) return;
  FBlankLineKind = ClassifyStatement(line);
  if (const TBlankLineKeys* keys = BlankLineKeysOf(FBlankLineKind)) AddBlankLines(Num(keys->Before), FOutput);
}

// The line as processed decides, unless comment placement has made it the comment of its code
// (moved below it): then the statement read decides. The blank lines after a continued statement
// follow its last line.
void TVBSrcFormatter::AddBlankLinesAfter(std::string_view line) {
  if (Choice<TBlankLineProcessing>(K::GrpBlankLines) != TBlankLineProcessing::UseRules) return;
  const bool taken = std::exchange(FSplitLineTaken, false);
  if (!EndsWithContinuation(FLine.PrevLine)) {
    const TVBStatementKind kind =
        taken ? FSplitLastKind : IsCommentLine(line) ? FBlankLineKind : ClassifyStatement(line);
    const TBlankLineKeys* keys = BlankLineKeysOf(kind);
    FBlankLinesDue = keys ? Num(keys->After) : 0;
  }
  if (EndsWithContinuation(line)) return;
  AddBlankLines(FBlankLinesDue, FOutput);
  FBlankLinesDue = 0;
}

// The pieces of a split line from index from of FOutput to its end: the blank lines that the
// rules put after each piece's statement kind and before the next one's go between them, and the
// line's blank lines after are those of its last piece.
void TVBSrcFormatter::SpaceSplitPieces(std::size_t from) {
  if (Choice<TBlankLineProcessing>(K::GrpBlankLines) != TBlankLineProcessing::UseRules || from >= FOutput.size()) return;
  TMarkedList spaced;
  spaced.reserve(FOutput.size() - from + 4);
  TVBStatementKind kind = skOther;
  for (std::size_t i = from; i < FOutput.size(); ++i) {
    const TVBStatementKind next = ClassifyStatement(FOutput[i].Text);
    if (i > from) {
      const TBlankLineKeys* after = BlankLineKeysOf(kind);
      const TBlankLineKeys* before = BlankLineKeysOf(next);
      AddBlankLines((after ? Num(after->After) : 0) + (before ? Num(before->Before) : 0), spaced);
    }
    spaced.push_back(std::move(FOutput[i]));
    kind = next;
  }
  FOutput.resize(from);
  FOutput.insert(FOutput.end(), std::make_move_iterator(spaced.begin()), std::make_move_iterator(spaced.end()));
  FSplitLastKind = kind;
  FSplitLineTaken = true;
}

int TVBSrcFormatter::BlankLinesBeforeCount(std::string_view line) const {
  if (Choice<TBlankLineProcessing>(K::GrpBlankLines) != TBlankLineProcessing::UseRules) return 0;
  const TBlankLineKeys* keys = BlankLineKeysOf(ClassifyStatement(line));
  return keys ? Num(keys->Before) : 0;
}

// Blank lines go with "Use Below Rules" and "Remove All Blank Lines"; with "No Change" (or no
// choice at all) every line stays.
bool TVBSrcFormatter::KeepLine(std::string_view line) const {
  const TBlankLineProcessing mode = Choice<TBlankLineProcessing>(K::GrpBlankLines);
  return (mode != TBlankLineProcessing::UseRules && mode != TBlankLineProcessing::RemoveAll) || !Trim(line).empty();
}

bool TVBSrcFormatter::IsForLine(std::string_view line) const { return HasUpperPrefix(Trim(line), "FOR "); }

// The name before the first "=", whatever blanks stand around it; empty for a For Each loop,
// which has none.
std::string TVBSrcFormatter::ForVariable(std::string_view line) const {
  std::string_view rest = Trim(line);
  rest = TrimLeft(rest.substr(std::min<std::size_t>(4, rest.size())));
  // An "=" in a For Each loop's collection expression is no assignment of a loop variable.
  if (HasUpperPrefix(rest, "EACH ")) return {};
  const std::size_t equals = rest.find('=');
  if (equals == std::string_view::npos) return {};
  return std::string(Trim(rest.substr(0, equals)));
}

bool TVBSrcFormatter::IsNextLine(std::string_view line) const {
  const std::string_view t = Trim(line);
  return HasUpperPrefix(t, "NEXT ") || (t.size() == 4 && HasUpperPrefix(t, "NEXT"));
}

std::string TVBSrcFormatter::AddNextVariable(std::string_view line, std::string_view name) const {
  if (!MayRebuildNext(line)) return std::string(line);
  std::string afterNext = " ";
  afterNext += name;
  return RebuiltNext(line, afterNext);
}

std::string TVBSrcFormatter::RemoveNextVariable(std::string_view line) const {
  if (!MayRebuildNext(line)) return std::string(line);
  return RebuiltNext(line, "");
}

int TVBSrcFormatter::NextVariableCount(std::string_view line) const {
  std::string_view operands = NextOperands(line);
  // Of a Next joined to further statements, only the names before the colon count.
  operands = Trim(operands.substr(0, operands.find(':')));
  const int names = CountNames(operands);
  return names > 1 ? names : 1;
}

}  // namespace qm
