// SPDX-License-Identifier: MIT
#include "engine/statementscan.h"

#include "engine/linefuncs.h"

namespace qm {

namespace {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Letters of Windows-1252 above 127 count as letters: they occur in identifiers of localised code.
inline bool IsWordStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 128;
}

inline bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }

// Words a date literal may hold beside its digits: #January 1, 1996#, #5:30 PM#.
bool IsDateWord(std::string_view w) {
  for (std::string_view k : {"AM", "PM", "JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY", "AUGUST",
                             "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER", "JAN", "FEB", "MAR", "APR", "JUN", "JUL",
                             "AUG", "SEP", "SEPT", "OCT", "NOV", "DEC"}) {
    if (EqualsUpperIgnoringCase(w, k)) return true;
  }
  return false;
}


// The text between two '#' is date or time text: digits, separators and month or AM/PM words.
bool IsDateText(std::string_view text) {
  bool digit = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (IsDigit(c)) {
      digit = true;
      ++i;
    } else if (c == ' ' || c == '/' || c == ':' || c == '.' || c == ',' || c == '-') {
      ++i;
    } else if (IsAsciiLetter(c)) {
      std::size_t j = i;
      while (j < text.size() && IsAsciiLetter(text[j])) ++j;
      if (!IsDateWord(text.substr(i, j - i))) return false;
      i = j;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace

std::size_t FindUpperIgnoringCase(std::string_view text, std::string_view upperNeedle) {
  if (upperNeedle.empty()) return 0;
  if (text.size() < upperNeedle.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + upperNeedle.size() <= text.size(); ++i) {
    if (UpperAscii(text[i]) == upperNeedle[0] && HasUpperPrefix(text.substr(i), upperNeedle)) return i;
  }
  return std::string_view::npos;
}

std::string_view CodeOf(std::string_view line) {
  const int comment = CommentPos(line);
  if (comment > 0) line = line.substr(0, static_cast<std::size_t>(comment) - 1);
  return Trim(line);
}

bool EndsWithContinuation(std::string_view line) {
  const std::string_view t = TrimRight(line);
  return !t.empty() && t.back() == '_' && (t.size() == 1 || t[t.size() - 2] == ' ');
}

bool ContinuesComment(std::string_view line, bool inComment) {
  return EndsWithContinuation(line) && (inComment || CommentPos(line) > 0);
}

// A '#' opens a date literal when date text stands between it and the next '#'. Right behind a
// name or a number it is a type suffix (x#, 1#); a file number (Print #1, x: Close #1) has no
// second '#' with date text before it.
bool TCodeScanner::DateLiteralAt(std::size_t i, std::size_t* end) const {
  if (i > 0 && IsWordChar(code_[i - 1])) return false;
  const std::size_t close = code_.find('#', i + 1);
  if (close == std::string_view::npos || !IsDateText(code_.substr(i + 1, close - i - 1))) return false;
  *end = close + 1;
  return true;
}

TCodeToken TCodeScanner::Next() {
  TCodeToken t;
  if (ended_) return t;
  while (pos_ < code_.size() && code_[pos_] == ' ') ++pos_;
  if (pos_ >= code_.size()) {
    ended_ = true;
    t.Begin = t.End = code_.size();
    return t;
  }

  const std::size_t begin = pos_;
  const char c = code_[pos_];
  t.Begin = begin;
  t.Depth = depth_;
  t.StatementStart = statementStart_;

  std::size_t dateEnd = 0;
  if (c == '"') {
    // "" inside a literal is a quote of its text: the literal goes on after it.
    t.Kind = TTokenKind::Literal;
    ++pos_;
    while (pos_ < code_.size()) {
      if (code_[pos_++] != '"') continue;
      if (pos_ < code_.size() && code_[pos_] == '"') {
        ++pos_;
        continue;
      }
      break;
    }
  } else if (c == '#' && DateLiteralAt(pos_, &dateEnd)) {
    t.Kind = TTokenKind::Literal;
    pos_ = dateEnd;
  } else if (IsWordStart(c)) {
    t.Kind = TTokenKind::Word;
    while (pos_ < code_.size() && IsWordChar(code_[pos_])) ++pos_;
  } else if (IsDigit(c) || (c == '.' && pos_ + 1 < code_.size() && IsDigit(code_[pos_ + 1]))) {
    t.Kind = TTokenKind::Number;
    while (pos_ < code_.size() && (IsWordChar(code_[pos_]) || code_[pos_] == '.')) ++pos_;
  } else {
    t.Kind = TTokenKind::Punct;
    ++pos_;
    if (c == ':' && pos_ < code_.size() && code_[pos_] == '=') {
      ++pos_;
    } else if (c == '(') {
      ++depth_;
    } else if (c == ')' && depth_ > 0) {
      --depth_;
      t.Depth = depth_;
    }
  }
  t.End = pos_;

  const std::string_view text = Text(t);
  if (t.Kind == TTokenKind::Word && t.StatementStart && EqualsUpperIgnoringCase(text, "REM")) {
    ended_ = true;
    pos_ = code_.size();
    return TCodeToken{TTokenKind::End, begin, begin, depth_, true};
  }
  statementStart_ = IsStatementColon(text, t) ||
                    (t.Kind == TTokenKind::Word && (EqualsUpperIgnoringCase(text, "THEN") || EqualsUpperIgnoringCase(text, "ELSE")));
  return t;
}

}  // namespace qm
