// SPDX-License-Identifier: MIT
#include "spelling/words.h"

#include <string>

#include "platform/ascii.h"

namespace qm {

bool IsCp1252Upper(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F ||
         (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

bool IsCp1252Lower(unsigned char c) {
  return (c >= 'a' && c <= 'z') || c == 0x83 || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xAA ||
         c == 0xB5 || c == 0xBA || (c >= 0xDF && c != 0xF7);
}

bool IsCp1252Letter(unsigned char c) { return IsCp1252Upper(c) || IsCp1252Lower(c); }

bool IsDoubleByteCodePage(TCodePage page) {
  return page == TCodePage::ShiftJIS || page == TCodePage::GBK || page == TCodePage::Big5 ||
         page == TCodePage::Korean949;
}

namespace {

bool IsLeadByte(unsigned char c, TCodePage page) {
  if (page == TCodePage::ShiftJIS) return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  return c >= 0x81 && c <= 0xFE;
}

bool IsTrailByte(unsigned char c, TCodePage page) {
  switch (page) {
    case TCodePage::ShiftJIS: return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
    case TCodePage::GBK: return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE);
    case TCodePage::Big5: return (c >= 0x40 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFE);
    case TCodePage::Korean949:
      return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
    default: return false;
  }
}

}  // namespace

std::string MaskWideCharacters(std::string_view text, TCodePage page) {
  std::string masked(text);
  if (!IsDoubleByteCodePage(page)) return masked;
  for (std::size_t i = 0; i < masked.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(masked[i]);
    if (c < 0x80) continue;
    // A lead byte takes its trail byte along; a byte that starts no pair (a half-width katakana,
    // a broken pair) is a character of its own.
    if (IsLeadByte(c, page) && i + 1 < masked.size() && IsTrailByte(static_cast<unsigned char>(masked[i + 1]), page)) {
      masked[i + 1] = ' ';
    }
    masked[i] = ' ';
  }
  return masked;
}

namespace {

inline unsigned char At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Blanks, tabs and control bytes separate chunks.
inline bool IsBlank(unsigned char c) { return c <= ' '; }

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

inline bool IsWordByte(unsigned char c) { return IsCp1252Letter(c) || IsDigit(c) || c == '_'; }

// The straight apostrophe and the typographic one that word processors put in pasted comments.
inline bool IsApostrophe(unsigned char c) { return c == '\'' || c == 0x92; }

// A chunk that is a path, a URL, an e-mail address or a dotted name (FILE.TXT, obj.Method) holds
// no prose.
bool IsNonProseChunk(std::string_view chunk) {
  if (chunk.find("://") != std::string_view::npos || HasUpperPrefix(chunk, "WWW.")) return true;
  if (chunk.find_first_of("\\/") != std::string_view::npos) return true;
  for (std::size_t i = 1; i + 1 < chunk.size(); ++i) {
    const char c = chunk[i];
    if ((c == '@' || c == '.') && IsWordByte(At(chunk, i - 1)) && IsWordByte(At(chunk, i + 1))) return true;
  }
  return false;
}

// A token right behind '%' (with printf flags between) is a placeholder: %s, %-ld.
bool FollowsPercent(std::string_view text, std::size_t start, std::size_t chunkStart) {
  std::size_t i = start;
  while (i > chunkStart) {
    const char c = text[i - 1];
    if (c == '%') return true;
    if (c != '-' && c != '+' && c != '#' && c != '.' && c != '*') return false;
    --i;
  }
  return false;
}

// Whether a run of letters (with inner apostrophes) is a word to check.
bool IsWordToCheck(std::string_view word, const TWordRules& rules) {
  int letters = 0, upper = 0;
  for (std::size_t k = 0; k < word.size(); ++k) {
    const unsigned char c = At(word, k);
    if (!IsCp1252Letter(c)) continue;
    ++letters;
    if (IsCp1252Upper(c)) ++upper;
    if (rules.IgnoreCamelCase && k > 0 && IsCp1252Upper(c)) {
      const unsigned char prev = At(word, k - 1);
      // frmMain: a capital after a small letter; HTMLParser: capitals ending before a small one.
      if (IsCp1252Lower(prev)) return false;
      if (IsCp1252Upper(prev) && k + 1 < word.size() && IsCp1252Lower(At(word, k + 1))) return false;
    }
  }
  if (letters < 2) return false;
  if (rules.IgnoreCapitals && upper == letters) return false;
  return true;
}

// The first word to check in text[from, end) of one token; Len 0 when there is none. A token
// holding digits or underscores is one identifier, unless the rules let them separate words.
TWordSpan FirstWordOfToken(std::string_view text, std::size_t from, std::size_t end, const TWordRules& rules) {
  bool hasDigit = false, hasAmpersand = false;
  for (std::size_t k = from; k < end; ++k) {
    const unsigned char c = At(text, k);
    if (IsDigit(c) || c == '_') hasDigit = true;
    if (c == '&') hasAmpersand = true;
  }
  if (hasAmpersand || (hasDigit && rules.IgnoreWithDigits)) return {end, 0};
  std::size_t k = from;
  while (k < end) {
    while (k < end && !IsCp1252Letter(At(text, k))) ++k;
    std::size_t e = k;
    while (e < end && !IsDigit(At(text, e)) && At(text, e) != '_') ++e;
    if (e > k && IsWordToCheck(text.substr(k, e - k), rules)) return {k, e - k};
    k = e;
  }
  return {end, 0};
}

}  // namespace

namespace {

bool HasHighByte(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

TWordSpan NextWordIn(std::string_view text, std::size_t from, const TWordRules& rules);

}  // namespace

TWordSpan NextWord(std::string_view text, std::size_t from, const TWordRules& rules) {
  if (IsDoubleByteCodePage(rules.CodePage) && HasHighByte(text)) {
    // Offsets in the masked text are those of the text itself.
    const std::string masked = MaskWideCharacters(text, rules.CodePage);
    return NextWordIn(masked, from, rules);
  }
  return NextWordIn(text, from, rules);
}

namespace {

TWordSpan NextWordIn(std::string_view text, std::size_t from, const TWordRules& rules) {
  const std::size_t n = text.size();
  std::size_t pos = from;
  while (pos < n) {
    while (pos < n && IsBlank(At(text, pos))) ++pos;
    if (pos >= n) break;
    std::size_t chunkStart = pos;
    while (chunkStart > 0 && !IsBlank(At(text, chunkStart - 1))) --chunkStart;
    std::size_t chunkEnd = pos;
    while (chunkEnd < n && !IsBlank(At(text, chunkEnd))) ++chunkEnd;
    if (!IsNonProseChunk(text.substr(chunkStart, chunkEnd - chunkStart))) {
      std::size_t i = pos;
      while (i < chunkEnd) {
        if (!IsWordByte(At(text, i))) {
          ++i;
          continue;
        }
        const std::size_t start = i;
        while (i < chunkEnd) {
          const unsigned char c = At(text, i);
          const bool joins = (IsApostrophe(c) || c == '&') && i > start && IsCp1252Letter(At(text, i - 1)) &&
                             i + 1 < chunkEnd && IsCp1252Letter(At(text, i + 1));
          if (!IsWordByte(c) && !joins) break;
          ++i;
        }
        if (FollowsPercent(text, start, chunkStart)) continue;
        const TWordSpan word = FirstWordOfToken(text, start, i, rules);
        if (word.Len > 0) return word;
      }
    }
    pos = chunkEnd;
  }
  return {n, 0};
}

}  // namespace

std::vector<TWordSpan> SplitWords(std::string_view text, const TWordRules& rules) {
  std::vector<TWordSpan> words;
  for (TWordSpan w = NextWord(text, 0, rules); w.Len > 0; w = NextWord(text, w.Pos + w.Len, rules)) {
    words.push_back(w);
  }
  return words;
}

}  // namespace qm
