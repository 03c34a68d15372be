// SPDX-License-Identifier: MIT
#pragma once

// Windows-1252 bytes as UTF-8, for output that must be Unicode (JSON). The five bytes the code
// page leaves undefined (81, 8D, 8F, 90, 9D) become the control characters of the same number, as
// the desktop program shows them, so no byte is lost.

#include <string>
#include <string_view>

namespace qm {

std::string Cp1252ToUtf8(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace qm
