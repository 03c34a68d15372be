// Statement splitting: single-line Ifs and lines of several statements joined by colons.

#include "engine/formatter.h"

namespace qm {

void TVBSrcFormatter::SplitSingleLineIf(std::string_view /*line*/) {}

bool TVBSrcFormatter::HasMultipleStatements(std::string_view /*line*/) const { return false; }

bool TVBSrcFormatter::SplitMultiStatement(std::string_view /*line*/) { return false; }

}  // namespace qm
