// SPDX-License-Identifier: MIT
#include "engine/linefuncs.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii.h"

namespace qm {

namespace {

constexpr int kRepeatLimit = 1000;
constexpr int kTabWidthLimit = 1000;

inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// Index of the first ch outside the literals delimited by quote, or npos. Every quote toggles
// the inside-a-literal state; the search jumps from literal to literal with single-character
// searches rather than looking at every character, as most lines hold neither.
std::size_t FindOutsideQuotes(std::string_view line, char ch, char quote) {
  if (ch == quote) return line.find(ch);
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = line.find(ch, from);
    if (at == std::string_view::npos) return at;
    const std::size_t open = line.find(quote, from);
    if (open == std::string_view::npos || open > at) return at;
    const std::size_t close = line.find(quote, open + 1);
    if (close == std::string_view::npos) return close;
    from = close + 1;
  }
}

// The line without its comment and without the blanks before the comment; the whole line when it
// has no comment.
std::string_view CodePart(std::string_view line) {
  const std::size_t at = FindOutsideQuotes(line, '\'', '"');
  if (at == std::string_view::npos) return line;
  return TrimRight(line.substr(0, at));
}

}  // namespace

std::string_view TrimControls(std::string_view text) {
  text = TrimLeftControls(text);
  std::size_t n = text.size();
  while (n > 0 && IsBlankOrControl(text[n - 1])) --n;
  return text.substr(0, n);
}

int CommentPos(std::string_view line) { return PosOutsideQuotes(line, '\'', '"'); }

void StripComment(std::string& line) {
  const std::size_t at = FindOutsideQuotes(line, '\'', '"');
  if (at == std::string::npos) return;
  line.resize(TrimRight(std::string_view(line).substr(0, at)).size());
}

std::string CommentText(std::string_view line) {
  const std::size_t at = FindOutsideQuotes(line, '\'', '"');
  if (at == std::string_view::npos) return {};
  return std::string(line.substr(at + 1));
}

bool IsCommentLine(std::string_view line) {
  // Blanks and control characters both count as leading white space, as the classifier trims, so
  // that a comment line still holding a tab is recognised.
  const std::string_view t = TrimLeftControls(line);
  return !t.empty() && t.front() == '\'';
}

void RemoveQuotedText(std::string& line) {
  std::size_t out = 0;
  bool inside = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      inside = !inside;
    } else if (!inside) {
      line[out++] = c;
    }
  }
  line.resize(out);
}

int PosOutsideQuotes(std::string_view line, char ch, char quote) {
  const std::size_t at = FindOutsideQuotes(line, ch, quote);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

bool IsInsideQuotes(int position, std::string_view line) {
  if (position < 1 || static_cast<std::size_t>(position) > line.size()) return false;
  const auto before = line.substr(0, static_cast<std::size_t>(position) - 1);
  return std::count(before.begin(), before.end(), '"') % 2 == 1;
}

bool HasStringLiteral(std::string_view line) {
  // The first quote of a line always opens a literal, so the line has one exactly when a quote
  // comes before any apostrophe (an apostrophe ahead of every quote starts the comment).
  const std::size_t at = line.find_first_of("\"'");
  return at != std::string_view::npos && line[at] == '"';
}

bool IsSingleLineIf(std::string_view line) {
  // Cheap refusal for the common case, before the line is scanned for its comment: with literals
  // removed the line must begin with "IF"; a line whose first visible character is neither a
  // quote nor an I cannot. (The code part begins with the line's first visible character unless
  // that is the comment's apostrophe, and then the code part is empty.)
  const std::string_view lead = TrimLeftControls(line);
  if (lead.empty()) return false;
  if (lead.front() != '"' && UpperAscii(lead.front()) != 'I') return false;

  const std::string_view code = CodePart(lead);

  // U: the code part with its literals removed, upper-cased and trimmed. Built in a reused buffer
  // so that a call allocates nothing once the buffer has grown.
  thread_local std::string u;
  u.clear();
  bool inside = false;
  for (const char c : code) {
    if (c == '"') {
      inside = !inside;
    } else if (!inside) {
      u.push_back(UpperAscii(c));
    }
  }
  const std::string_view t = TrimControls(u);
  if (t.size() < 2 || t[0] != 'I' || t[1] != 'F') return false;
  const std::size_t then = t.find("THEN");
  if (then == std::string_view::npos) return false;
  // At least two characters (in practice a blank and a statement) must follow THEN.
  return t.size() > then + 1 + 4;
}

int LeadingBlanks(std::string_view line) { return static_cast<int>(BlankRun(line)); }

std::string Spaces(int count) { return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string(); }

std::string RepeatToLength(std::string_view pattern, int count) {
  if (count <= 0) return {};
  if (pattern.empty()) pattern = "*";
  const std::size_t n = static_cast<std::size_t>(std::min(count, kRepeatLimit));
  std::string out;
  out.reserve(n);
  while (out.size() < n) out.append(pattern.substr(0, n - out.size()));
  return out;
}

std::string ExpandTabs(std::string_view line, int tabWidth) {
  if (line.find('\t') == std::string_view::npos) return std::string(line);

  // A tab always stands for at least one blank, or removing it would join the words it separates;
  // the width is also bounded so that a nonsense value read from VB.INI cannot exhaust memory.
  const std::size_t width = static_cast<std::size_t>(std::clamp(tabWidth, 1, kTabWidthLimit));
  std::string out;
  out.reserve(line.size() + 8 * width);
  const auto copyExpanded = [&](std::string_view part) {
    for (const char c : part) {
      if (c == '\t') {
        out.append(width, ' ');
      } else {
        out.push_back(c);
      }
    }
  };

  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '\'') {
      // The comment runs to the end of the line; quotes in it delimit nothing.
      copyExpanded(line.substr(i));
      return out;
    }
    if (c == '"') {
      // A tab between a literal's quotes is part of the string's value and stays. A quote never
      // closed opens no literal (the line is not valid Visual Basic), so its tabs are expanded.
      const std::size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) {
        copyExpanded(line.substr(i));
        return out;
      }
      out.append(line.substr(i, close - i + 1));
      i = close + 1;
      continue;
    }
    if (c == '\t') {
      out.append(width, ' ');
    } else {
      out.push_back(c);
    }
    ++i;
  }
  return out;
}

}  // namespace qm
