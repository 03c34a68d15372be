// SPDX-License-Identifier: MIT
#include "engine/formatter.h"

namespace qm {

TVBSrcFormatter::TVBSrcFormatter(TEngineServices services) : services_(services) {}

}  // namespace qm
