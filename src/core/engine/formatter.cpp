// SPDX-License-Identifier: MIT
#include "engine/formatter.h"

namespace qm {

TVBSrcFormatter::TVBSrcFormatter(TEngineServices services, TCancelToken* cancel)
    : services_(services), cancel_(cancel ? cancel : &ownCancel_) {}

}  // namespace qm
