// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

// Statement kind of one source line. The ordinals are fixed; 10 to 14, 23 and 24 are unassigned.
enum TVBStatementKind : std::uint8_t {
  skFunction = 0,
  skEndFunction = 1,
  skPrivateFunction = 2,
  skSub = 3,
  skPrivateSub = 4,
  skEndSub = 5,
  skStaticFunction = 6,
  skStaticSub = 7,
  skPublicFunction = 8,
  skPublicSub = 9,
  skIf = 15,
  skElse = 16,
  skElseIf = 17,
  skEndIf = 18,
  skSelectCase = 19,
  skCase = 20,
  skEndSelect = 21,
  skDo = 22,
  skLoop = 25,
  skWhile = 26,
  skWend = 27,
  skFor = 28,
  skNext = 29,
  skType = 30,
  skEndType = 31,
  skWith = 32,
  skEndWith = 33,
  skOther = 34,
  // Visual Basic 5 and 6: Friend procedures (Property procedures count as Functions) and Enum
  // blocks. Procedures declared Private Static or Public Static take their scope's kind.
  skFriendFunction = 35,
  skFriendSub = 36,
  skEnum = 37,
  skEndEnum = 38,
};

// Kind of a line by how its left-trimmed text begins (keywords exact and case-sensitive).
TVBStatementKind ClassifyStatement(std::string_view line);

// Groups: procedure start (Subs, Functions and Property procedures), Sub start, Function start
// (Property procedures count as Functions), procedure end.
bool IsProcedureStart(TVBStatementKind kind);
bool IsSubStart(TVBStatementKind kind);
bool IsFunctionStart(TVBStatementKind kind);
bool IsProcedureEnd(TVBStatementKind kind);

}  // namespace qm
