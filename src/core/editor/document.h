// SPDX-License-Identifier: MIT
#pragma once

// An editor's document as bytes: its lines with their own line ends, positions in the units an
// editor counts (UTF-16 code units of UTF-8 text, as the language server protocol counts
// characters), and the edit that turns one text into another.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"

namespace qm {

// One line of a document: its text and the line end after it (CR LF, LF, CR, or none for a last
// line without one). Splits where SplitLines does, so the texts are SplitLines's lines.
struct TDocumentLine {
  std::string_view Text;
  std::string_view End;
};
std::vector<TDocumentLine> DocumentLines(std::string_view bytes);

// Characters of UTF-8 text counted as UTF-16 code units (a character beyond U+FFFF counts two;
// a byte that starts no well-formed character counts one).
std::size_t Utf16Length(std::string_view utf8);
// The byte offset in the line of a UTF-16 column (the line's length past its end).
std::size_t ByteOffsetOfUtf16(std::string_view utf8, std::size_t column);

struct TTextPos {
  std::size_t Line = 0;
  std::size_t Character = 0;  // UTF-16 code units
  friend bool operator==(const TTextPos&, const TTextPos&) = default;
};

// Replace the text from Start up to End by NewText.
struct TTextEdit {
  TTextPos Start;
  TTextPos End;
  std::string NewText;
  friend bool operator==(const TTextEdit&, const TTextEdit&) = default;
};

// The edit that turns before into after: the lines from the first that differs (line end
// included) to the last, replaced whole; none when the two are equal.
std::optional<TTextEdit> EditBetween(std::string_view before, std::string_view after);

// Applies an edit to a text (for clients that send changes, and for tests).
std::string ApplyEdit(std::string_view text, const TTextEdit& edit);

}  // namespace qm
