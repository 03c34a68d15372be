// SPDX-License-Identifier: MIT
#pragma once

// Reading the code of one line as far as the splitting rules need it: string and date literals,
// parentheses, whole words and the colons that separate statements. The splits cut a line only
// where Visual Basic itself sees a boundary, so that no piece they write is invalid code.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ascii.h"

namespace qm {

enum class TTokenKind : std::uint8_t { Word, Number, Literal, Punct, End };

struct TCodeToken {
  TTokenKind Kind = TTokenKind::End;
  std::size_t Begin = 0;  // 0-based, within the scanned code
  std::size_t End = 0;    // one past the last character
  int Depth = 0;          // parentheses open before the token
  bool StatementStart = false;

  std::size_t Size() const { return End - Begin; }
};

// Hands out the tokens of one line's code part (comment already cut off) left to right. A string
// literal ("" inside it included) and a date literal (#1/2/1996#, #5:30 PM#) are one token each;
// ":=" of a named argument is one token, so a lone ':' is always a statement separator. A Rem
// statement ends the code: what follows it is comment text.
class TCodeScanner {
 public:
  explicit TCodeScanner(std::string_view code) : code_(code) {}

  TCodeToken Next();
  std::string_view Text(const TCodeToken& t) const { return code_.substr(t.Begin, t.Size()); }

  // A ':' at depth 0 between two statements.
  static bool IsStatementColon(std::string_view text, const TCodeToken& t) {
    return t.Kind == TTokenKind::Punct && t.Depth == 0 && text.size() == 1 && text[0] == ':';
  }

 private:
  bool DateLiteralAt(std::size_t i, std::size_t* end) const;

  std::string_view code_;
  std::size_t pos_ = 0;
  int depth_ = 0;
  bool statementStart_ = true;
  bool ended_ = false;
};

// Position (0-based) of the first upperNeedle in text, ignoring letter case; npos if none.
std::size_t FindUpperIgnoringCase(std::string_view text, std::string_view upperNeedle);

// The code of a line: the text before its comment, without blanks at either end.
std::string_view CodeOf(std::string_view line);

// The line ends with the line-continuation mark " _" (a following line continues the statement).
bool EndsWithContinuation(std::string_view line);

// The line's comment goes on on the next line: the line has a comment, or is itself more of a
// comment (inComment), and ends with " _". Visual Basic reads the next line as more of that
// comment, whatever it holds.
bool ContinuesComment(std::string_view line, bool inComment);

// The line belongs to a statement that goes on over several lines: it is continued, or it
// continues the line before it.
inline bool InContinuedStatement(std::string_view line, std::string_view previous) {
  return EndsWithContinuation(line) || EndsWithContinuation(previous);
}

}  // namespace qm
