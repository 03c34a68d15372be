// SPDX-License-Identifier: MIT
#pragma once

// The Windows-1252 code page, byte by byte: the code page of Visual Basic's sources and of the
// program's own texts. Bytes 80..9F are the code page's own; the rest equals Latin-1. The five
// bytes it leaves undefined (81, 8D, 8F, 90, 9D) stand for the control characters of the same
// number, as Windows itself converts them, so that every byte string survives a round trip.

#include <array>
#include <string>
#include <string_view>

namespace qm {

inline constexpr std::array<char16_t, 32> kCp1252HighCharacters = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// The character (a UTF-16 code unit, all of them in the basic plane) of a byte.
constexpr char16_t Cp1252Char(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kCp1252HighCharacters[byte - 0x80] : char16_t(byte);
}

// The byte of a character, or -1 when the code page has none.
constexpr int Cp1252Byte(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return ch;
  for (int i = 0; i < 32; ++i) {
    if (kCp1252HighCharacters[static_cast<std::size_t>(i)] == ch) return 0x80 + i;
  }
  return -1;
}

// Upper case as the code page defines it: ASCII letters and the accented letters (a grave ..
// thorn except the division sign, s/z caron, oe, y diaeresis); other bytes stay.
std::string UpperCaseCp1252(std::string_view bytes);

}  // namespace qm
