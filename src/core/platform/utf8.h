// SPDX-License-Identifier: MIT
#pragma once

// Windows-1252 bytes as UTF-8, for output that must be Unicode (JSON). The five bytes the code
// page leaves undefined (81, 8D, 8F, 90, 9D) become the control characters of the same number, as
// the desktop program shows them, so no byte is lost.

#include <string>
#include <string_view>

namespace qm {

std::string Cp1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of UTF-8 text (the inverse of Cp1252ToUtf8); false, out then of no use,
// when the text is no well-formed UTF-8 or holds a character the code page lacks.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace qm
