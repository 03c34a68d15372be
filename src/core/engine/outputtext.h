// SPDX-License-Identifier: MIT
#pragma once

// The bytes of a restyled file: every line followed by CR LF, except a last line that holds the
// end-of-file byte (Ctrl-Z) of an old editor, which is written as it was read, with nothing after
// it (Visual Basic reads no further).

#include <string>

#include "engine/marks.h"

namespace qm {

std::string OutputText(const TMarkedList& lines);

}  // namespace qm
