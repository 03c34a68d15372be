// Declaration splitting (several variables or constants on one line) and the alignment of the As
// clauses of consecutive declarations.

#include "engine/formatter.h"

namespace qm {

bool TVBSrcFormatter::IsMultiVarDeclaration(std::string_view /*line*/) const { return false; }

void TVBSrcFormatter::SplitMultiVar(std::string_view /*line*/) {}

bool TVBSrcFormatter::IsMultiConstDeclaration(std::string_view /*line*/) const { return false; }

void TVBSrcFormatter::SplitMultiConst(std::string_view /*line*/) {}

int TVBSrcFormatter::DeclarationAsColumn(std::string_view /*line*/) const { return 0; }

void TVBSrcFormatter::TrackDeclarationGroup(std::string_view /*line*/) {}

void TVBSrcFormatter::AlignDeclarationGroup(int /*count*/, int /*column*/) {}

}  // namespace qm
