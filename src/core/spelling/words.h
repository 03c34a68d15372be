// SPDX-License-Identifier: MIT
#pragma once

// Words of program text, as the speller checks them. Text is Windows-1252 bytes: letters are those
// of that code page (accented letters included), and nothing is ever transcoded here. In a
// double-byte code page (Shift-JIS, GBK, Big5, Korean) the text is read character by character:
// a lead byte and its trail byte are one character, which is no letter of a word and separates
// words as a blank does, so that a trail byte that happens to be an ASCII letter never starts or
// ends a word; only ASCII letters make words there.
//
// A word is a run of letters, with an apostrophe inside it ("don't", "user's"). What program text
// holds beside prose is passed over: identifiers holding digits or underscores (Form1, MAX_PATH),
// words in capitals (OK, TODO), CamelCase names (frmMain, ListIndex), single letters, menu
// captions with an accelerator (E&xit), printf and Format placeholders (%s, %1, {0}), and whole
// blank-separated chunks that are file paths, URLs or e-mail addresses.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/encoding.h"

namespace qm {

struct TWordRules {
  bool IgnoreCapitals = true;     // words in capitals are passed over
  bool IgnoreWithDigits = true;   // identifiers holding digits or underscores are passed over;
                                  // off, digits and underscores separate words instead
  bool IgnoreCamelCase = true;    // CamelCase names are passed over
  TCodePage CodePage = TCodePage::Windows1252;  // how the bytes make characters
};

// Whether characters of the code page may take two bytes.
bool IsDoubleByteCodePage(TCodePage page);

// The text with every character beyond ASCII of a double-byte code page turned into blanks, byte
// for byte (so offsets stay those of text); the text itself for any other code page.
std::string MaskWideCharacters(std::string_view text, TCodePage page);

struct TWordSpan {
  std::size_t Pos;  // 0-based offset in the text
  std::size_t Len;
  bool operator==(const TWordSpan&) const = default;
};

// The words of text to check, in order.
std::vector<TWordSpan> SplitWords(std::string_view text, const TWordRules& rules);

// The first word to check at or after offset from; Len 0 when there is none.
TWordSpan NextWord(std::string_view text, std::size_t from, const TWordRules& rules);

// Letter classes of Windows-1252 bytes.
bool IsCp1252Letter(unsigned char c);
bool IsCp1252Upper(unsigned char c);
bool IsCp1252Lower(unsigned char c);

}  // namespace qm
