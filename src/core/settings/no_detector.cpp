// SPDX-License-Identifier: MIT
#include "settings/charsetdetector.h"

namespace qm {

bool CharsetDetectionAvailable() { return false; }

std::string DetectCharsetName(std::string_view) { return {}; }

}  // namespace qm
