// Comment placement: whole-line and in-line comments, and the block line that frames a run of
// whole-line comments.

#include "engine/formatter.h"
#include "engine/linefuncs.h"

namespace qm {

void TVBSrcFormatter::PlaceSingleLineComment(std::string& /*line*/) {}

void TVBSrcFormatter::PlaceInLineComment(std::string& /*line*/) {}

// An empty block-character text (the user may clear it) repeats "*", as RepeatToLength does.
std::string TVBSrcFormatter::CommentBlockLine(int indent) const {
  return Spaces(indent) + "'" +
         RepeatToLength(Str(SettingKey::SingleLineCommentBlockCharacters),
                        Num(SettingKey::SingleLineCommentBlockCharacterTotal));
}

}  // namespace qm
