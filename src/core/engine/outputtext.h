// SPDX-License-Identifier: MIT
#pragma once

// The bytes of a restyled file.

#include <string>
#include <string_view>

#include "engine/marks.h"

namespace qm {

// Every line followed by CR LF, except a last line that holds the end-of-file byte (Ctrl-Z) of an
// old editor, which is written as it was read, with nothing after it (Visual Basic reads no
// further). This is what a project run writes into its output folder.
std::string OutputText(const TMarkedList& lines);

// The bytes that replace original when its restyled lines are written back over it. Lines the
// restyle left as they were (paired with the original's lines by the line difference engine) keep
// their own line end; changed and new lines take the line end most lines of the original have
// (CR LF on a tie, and for a file without any line end). A last line without a line end keeps
// going without one while it is unchanged, and a last line holding Ctrl-Z never gets one added.
// So a file that is already restyled gives its own bytes back, and an LF file stays LF.
std::string RestyledBytes(std::string_view original, const TMarkedList& restyled);

}  // namespace qm
