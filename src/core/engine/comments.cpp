// SPDX-License-Identifier: MIT
// Comment placement: whole-line and in-line comments, and the block line that frames a run of
// whole-line comments.

#include <new>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/statementscan.h"

namespace qm {

namespace {

using K = SettingKey;

// The parts of a line with an in-line comment, as positions into the line: the code ends at
// codeEnd (trailing blanks excluded), the comment text starts after the apostrophe at textStart.
struct TCommentParts {
  std::size_t codeEnd;
  std::size_t textStart;
};

TCommentParts SplitAtComment(std::string_view line, int commentPos) {
  const std::size_t apostrophe = static_cast<std::size_t>(commentPos) - 1;
  return {TrimRight(line.substr(0, apostrophe)).size(), apostrophe + 1};
}

// line := its code, `blanks` blanks, an apostrophe and the comment text from textStart on, built in
// place so that the line's buffer is reused.
void PutCommentAfterCode(std::string& line, const TCommentParts& parts, int blanks) {
  const std::size_t n = blanks > 0 ? static_cast<std::size_t>(blanks) : 0;
  line.replace(parts.codeEnd, parts.textStart - parts.codeEnd, n + 1, ' ');
  line[parts.codeEnd + n] = '\'';
}

}  // namespace

void TVBSrcFormatter::PlaceSingleLineComment(std::string& line) {
  int indent = 0;
  switch (Choice<TSingleLinePlacement>(K::GrpSingleLineComments)) {
    case TSingleLinePlacement::FixedColumn: indent = Num(K::SingleLineCommentColumn); break;
    case TSingleLinePlacement::PriorIndent: indent = FLine.LastIndent; break;
    case TSingleLinePlacement::NextIndent: indent = FLine.IndentLevel; break;
    case TSingleLinePlacement::Remove: line.clear(); return;
    case TSingleLinePlacement::LeaveAsIs:
    default: return;
  }
  const std::size_t lead = line.size() - TrimLeft(line).size();
  line.replace(0, lead, indent > 0 ? static_cast<std::size_t>(indent) : 0, ' ');
}

void TVBSrcFormatter::PlaceInLineComment(std::string& line) {
  const TInLinePlacement mode = Choice<TInLinePlacement>(K::GrpInLineComments);
  if (mode != TInLinePlacement::FixedColumn && mode != TInLinePlacement::RightBy && mode != TInLinePlacement::Remove) {
    return;
  }
  const int commentPos = CommentPos(line);
  if (commentPos <= 0) return;
  const TCommentParts parts = SplitAtComment(line, commentPos);

  if (mode == TInLinePlacement::Remove) {
    line.resize(parts.codeEnd);
    return;
  }
  if (mode == TInLinePlacement::RightBy) {
    PutCommentAfterCode(line, parts, Num(K::InLineCommentsIndent));
    return;
  }

  const int column = Num(K::InLineCommentsFixedColumn);
  if (parts.codeEnd <= static_cast<std::size_t>(column > 0 ? column : 0)) {
    // The comment text loses its blanks at both ends; its apostrophe stands right after column.
    const std::string_view text = std::string_view(line).substr(parts.textStart);
    const std::size_t lead = text.size() - TrimLeft(text).size();
    line.resize(parts.textStart + TrimRight(text).size());
    line.erase(parts.textStart, lead);
    PutCommentAfterCode(line, parts, column - static_cast<int>(parts.codeEnd));
    return;
  }

  TFixedColumnFallback unavailable = Choice<TFixedColumnFallback>(K::GrpInLineCommentsFixedColUnavail);
  // A comment moved off its line must not come between a continued line and its continuation:
  // above a line that continues the previous one, or below code that goes on on the next line.
  // A comment that itself ends in a continuation would take the code line below into it when
  // moved above. Such a comment stays on its line, to the right of the code.
  if (unavailable == TFixedColumnFallback::PreviousLine && (EndsWithContinuation(FLine.PrevLine) || EndsWithContinuation(line))) {
    unavailable = TFixedColumnFallback::RightBy;
  }
  if (unavailable == TFixedColumnFallback::NextLine && EndsWithContinuation(std::string_view(line).substr(0, parts.codeEnd))) {
    unavailable = TFixedColumnFallback::RightBy;
  }

  switch (unavailable) {
    case TFixedColumnFallback::RightBy:
      PutCommentAfterCode(line, parts, Num(K::InLineCommentsUnavailColIndent));
      break;
    // When the moved line cannot be appended, the line keeps its comment: nothing is lost.
    case TFixedColumnFallback::PreviousLine: {
      try {
        std::string comment = Spaces(FLine.LastIndent);
        comment += '\'';
        comment.append(line, parts.textStart);
        FOutput.push_back({std::move(comment), NewChangedMark()});
      } catch (const std::bad_alloc&) {
        break;
      }
      FModified = true;
      line.resize(parts.codeEnd);
      break;
    }
    case TFixedColumnFallback::NextLine: {
      try {
        FOutput.push_back({line.substr(0, parts.codeEnd), NewChangedMark()});
      } catch (const std::bad_alloc&) {
        break;
      }
      FModified = true;
      const std::size_t indent = FLine.LastIndent > 0 ? static_cast<std::size_t>(FLine.LastIndent) : 0;
      line.replace(0, parts.textStart, indent + 1, ' ');
      line[indent] = '\'';
      break;
    }
    case TFixedColumnFallback::Remove:
      line.resize(parts.codeEnd);
      break;
    default:
      break;
  }
}

// An empty block-character text (the user may clear it) repeats "*", as RepeatToLength does.
std::string TVBSrcFormatter::CommentBlockLine(int indent) const {
  return Spaces(indent) + "'" +
         RepeatToLength(Str(SettingKey::SingleLineCommentBlockCharacters),
                        Num(SettingKey::SingleLineCommentBlockCharacterTotal));
}

}  // namespace qm
