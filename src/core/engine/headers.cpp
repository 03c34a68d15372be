// Procedure header comments from the Sub and Function templates.

#include "engine/formatter.h"

namespace qm {

void TVBSrcFormatter::InsertSubHeader(std::string_view /*line*/, bool /*before*/) {}

void TVBSrcFormatter::InsertFunctionHeader(std::string_view /*line*/, bool /*before*/) {}

}  // namespace qm
