// Spell checking of string literals and comments.

#include "engine/formatter.h"

namespace qm {

void TVBSrcFormatter::SpellCheckLiterals(std::string& /*line*/) {}

void TVBSrcFormatter::SpellCheckComment(std::string& /*line*/) {}

}  // namespace qm
