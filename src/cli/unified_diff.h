// SPDX-License-Identifier: MIT
#pragma once

// Unified diffs ("diff -u" form) of two line lists, for the driver's --diff. The lines are lined
// up by the core's line difference engine; the texts are written as the bytes they are.

#include <iosfwd>
#include <string_view>

#include "platform/linefile.h"

namespace qm::cli {

// Writes the hunks of the differences between before and after with context lines of
// unchanged text around them, under "--- beforeName" and "+++ afterName". Writes nothing when
// the lists are equal; returns whether they differ.
bool WriteUnifiedDiff(std::ostream& out, std::string_view beforeName, std::string_view afterName,
                      const TLines& before, const TLines& after, int context = 3);

}  // namespace qm::cli
