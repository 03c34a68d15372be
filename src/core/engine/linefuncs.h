// SPDX-License-Identifier: MIT
#pragma once

// Pure functions on one line of Visual Basic. Positions are 1-based; 0 means none. A comment is
// recognised only by an apostrophe outside string literals.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qm {

int CommentPos(std::string_view line);
// The text before the comment's apostrophe with trailing blanks removed; unchanged without comment.
void StripComment(std::string& line);
std::string CommentText(std::string_view line);
bool IsCommentLine(std::string_view line);
// Removes every '"' and every character between an opening and its closing '"'.
void RemoveQuotedText(std::string& line);
int PosOutsideQuotes(std::string_view line, char ch, char quote = '"');
bool IsInsideQuotes(int position, std::string_view line);
bool HasStringLiteral(std::string_view line);
bool IsSingleLineIf(std::string_view line);
int LeadingBlanks(std::string_view line);
std::string Spaces(int count);
// pattern repeated and cut to exactly count characters (count limited to 1000); an empty pattern
// repeats "*".
std::string RepeatToLength(std::string_view pattern, int count);
// Every tab outside string literals becomes tabWidth blanks where it stands; tabs inside a literal
// are the program's data and stay.
std::string ExpandTabs(std::string_view line, int tabWidth);

// The number of blanks (code 32) at the start of text. Indented code starts with a run of
// blanks that nearly every step skips, so the run is skipped eight at a time.
inline std::size_t BlankRun(std::string_view text) {
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020ull;
  std::size_t i = 0;
  while (i + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word != kEightBlanks) break;
    i += 8;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

// Blanks (code 32) only. Inline: every step of every line trims.
inline std::string_view TrimLeft(std::string_view text) { return text.substr(BlankRun(text)); }
inline std::string_view TrimRight(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}
inline std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }
// Blanks and control characters (codes 0 to 32), as the classifier trims.
inline std::string_view TrimLeftControls(std::string_view text) {
  std::size_t i = BlankRun(text);
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  return text.substr(i);
}
std::string_view TrimControls(std::string_view text);

}  // namespace qm
