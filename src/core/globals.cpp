// SPDX-License-Identifier: MIT
#include "globals.h"

namespace qm {

std::atomic<bool> CancelRequested{false};
int TabWidth = 4;
int VBVersion = 3;

}  // namespace qm
