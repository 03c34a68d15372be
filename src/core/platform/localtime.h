// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The current local time formatted by std::put_time's format in the user's locale (the
// environment's), or in the classic locale when the environment names one this system lacks.
// "%x" is the short date, "%X" the long time.
std::string FormatLocalNow(const char* format);

}  // namespace qm
