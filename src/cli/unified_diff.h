// SPDX-License-Identifier: MIT
#pragma once

// Unified diffs ("diff -u" form) of two line lists, for the driver's --diff. The lines are lined
// up by the core's line difference engine; the texts are written as the bytes they are.

#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/linefile.h"

namespace qm::cli {

// Writes the hunks of the differences between before and after with context lines of
// unchanged text around them, under "--- beforeName" and "+++ afterName". Writes nothing when
// the lists are equal; returns whether they differ.
bool WriteUnifiedDiff(std::ostream& out, std::string_view beforeName, std::string_view afterName,
                      const TLines& before, const TLines& after, int context = 3);

// The same for two files' bytes, as a patch that git apply and patch take: lines are what those
// programs read as lines (up to and with each line feed), so a carriage return before a line feed
// is part of its line and is written out, and a last line without a line feed is followed by
// "\ No newline at end of file". Applying the patch to before gives after byte for byte.
bool WriteUnifiedPatch(std::ostream& out, std::string_view beforeName, std::string_view afterName,
                       std::string_view before, std::string_view after, int context = 3);

// The name a patch gives path: relative to the working directory, with '/' separators, so that
// "a/NAME" and "b/NAME" apply with -p1 from there.
std::string PatchName(const std::string& path);

}  // namespace qm::cli
