// SPDX-License-Identifier: MIT
#pragma once

// Letter case of ASCII letters only. Visual Basic keywords, file names on the old systems and the
// program's own markers are ASCII; the letters of Windows-1252 above 127 keep their case.

#include <cstddef>
#include <string_view>

namespace qm {

constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// text begins with upperPrefix, ignoring the letter case of ASCII letters; upperPrefix is given in
// capitals.
constexpr bool HasUpperPrefix(std::string_view text, std::string_view upperPrefix) {
  if (text.size() < upperPrefix.size()) return false;
  for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
    if (UpperAscii(text[i]) != upperPrefix[i]) return false;
  }
  return true;
}

// Equal, ignoring the letter case of ASCII letters; upperWord is given in capitals.
constexpr bool EqualsUpperIgnoringCase(std::string_view text, std::string_view upperWord) {
  return text.size() == upperWord.size() && HasUpperPrefix(text, upperWord);
}

}  // namespace qm
