// SPDX-License-Identifier: MIT
#pragma once

// The character-set guess behind the Auto encoding. The build chooses the side: Debian's
// uchardet (uchardet_detector.cpp), or none at all where the library is missing, as in the
// Windows cross build (no_detector.cpp); then Auto decides from UTF-8 validity alone.

#include <string>
#include <string_view>

namespace qm {

// Whether this build has a detector.
bool CharsetDetectionAvailable();

// The detector's name for the character set of the bytes (iconv's spelling, such as "SHIFT_JIS"
// or "WINDOWS-1251"); empty when it has no answer or the build has no detector.
std::string DetectCharsetName(std::string_view bytes);

}  // namespace qm
