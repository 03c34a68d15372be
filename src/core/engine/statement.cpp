// SPDX-License-Identifier: MIT
#include "engine/statement.h"

#include "engine/linefuncs.h"

namespace qm {

namespace {

// A keyword that gives a statement kind. A keyword tested with a blank appended also matches when
// it ends the line ("End If" alone).
struct TKeyword {
  std::string_view Text;
  TVBStatementKind Kind;
  bool PlusBlank;
};

inline bool Matches(std::string_view s, const TKeyword& k) {
  if (s.size() >= k.Text.size()) return s.compare(0, k.Text.size(), k.Text) == 0;
  return k.PlusBlank && s.size() + 1 == k.Text.size() && k.Text.compare(0, s.size(), s) == 0;
}

// The keywords grouped by first character, each group in the order in which the tests run. No
// keyword is a prefix of another, so at most one of them can match a line; the groups only save
// the comparisons that cannot succeed.
constexpr TKeyword kP[] = {
    {"Property ", skFunction, false},          {"Private Property ", skPrivateFunction, false},
    {"Public Property ", skPublicFunction, false}, {"Private Function ", skPrivateFunction, false},
    {"Public Function ", skPublicFunction, false}, {"Private Sub ", skPrivateSub, false},
    {"Public Sub ", skPublicSub, false},        {"Public Type ", skType, false},
    {"Private Type ", skType, false},           {"Private Static Property ", skPrivateFunction, false},
    {"Private Static Function ", skPrivateFunction, false}, {"Private Static Sub ", skPrivateSub, false},
    {"Public Static Property ", skPublicFunction, false}, {"Public Static Function ", skPublicFunction, false},
    {"Public Static Sub ", skPublicSub, false}, {"Public Enum ", skEnum, false},
    {"Private Enum ", skEnum, false},
};
constexpr TKeyword kS[] = {
    {"Static Property ", skStaticFunction, false}, {"Static Function ", skStaticFunction, false},
    {"Sub ", skSub, false},                       {"Static Sub ", skStaticSub, false},
    {"Select Case ", skSelectCase, false},
};
constexpr TKeyword kE[] = {
    {"End Property ", skEndFunction, true}, {"End Function ", skEndFunction, true},
    {"End Sub ", skEndSub, true},           {"End With ", skEndWith, true},
    {"End Type ", skEndType, true},         {"Else ", skElse, true},
    {"ElseIf ", skElseIf, false},           {"End If ", skEndIf, true},
    {"End Select ", skEndSelect, true},     {"End Enum ", skEndEnum, true},
};
constexpr TKeyword kF[] = {
    {"Function ", skFunction, false},           {"For ", skFor, false},
    {"Friend Property ", skFriendFunction, false}, {"Friend Function ", skFriendFunction, false},
    {"Friend Sub ", skFriendSub, false},        {"Friend Static Property ", skFriendFunction, false},
    {"Friend Static Function ", skFriendFunction, false}, {"Friend Static Sub ", skFriendSub, false},
};
constexpr TKeyword kW[] = {{"With ", skWith, false}, {"While ", skWhile, false}, {"Wend ", skWend, true}};
constexpr TKeyword kT[] = {{"Type ", skType, false}};
constexpr TKeyword kI[] = {{"If ", skIf, false}};
constexpr TKeyword kHash[] = {
    {"#If ", skIf, false}, {"#Else ", skElse, true}, {"#ElseIf ", skElseIf, false}, {"#End If ", skEndIf, true}};
constexpr TKeyword kC[] = {{"Case ", skCase, false}};
constexpr TKeyword kD[] = {{"Do ", skDo, true}};
constexpr TKeyword kL[] = {{"Loop ", skLoop, true}};
constexpr TKeyword kN[] = {{"Next ", skNext, true}};

// At most one keyword of a group can match, so the first match is the result.
template <std::size_t N>
TVBStatementKind Scan(std::string_view s, const TKeyword (&group)[N]) {
  for (const TKeyword& k : group) {
    if (Matches(s, k)) return k.Kind;
  }
  return skOther;
}

// A member of a user-defined type that is named Type ("Type As Integer", in any letter case, one
// blank each) is a field, not the start of a Type block.
bool IsTypeField(std::string_view s) {
  constexpr std::string_view kField = "TYPE AS ";
  if (s.size() < kField.size()) return false;
  for (std::size_t i = 0; i < kField.size(); ++i) {
    char c = s[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kField[i]) return false;
  }
  return true;
}

// "Enum " followed by a name starts an Enum block. Before Visual Basic 5 Enum was no keyword, and
// an assignment to a variable of that name ("Enum = 1") is a statement like any other.
bool IsEnumStart(std::string_view s) {
  constexpr std::string_view kEnum = "Enum ";
  if (!s.starts_with(kEnum)) return false;
  const std::string_view rest = TrimLeft(s.substr(kEnum.size()));
  return !rest.empty() && ((rest.front() >= 'A' && rest.front() <= 'Z') || (rest.front() >= 'a' && rest.front() <= 'z'));
}

}  // namespace

TVBStatementKind ClassifyStatement(std::string_view line) {
  const std::string_view s = TrimLeftControls(line);
  if (s.empty()) return skOther;
  switch (s.front()) {
    case 'P': return Scan(s, kP);
    case 'S': return Scan(s, kS);
    case 'E': return IsEnumStart(s) ? skEnum : Scan(s, kE);
    case 'F': return Scan(s, kF);
    case 'W': return Scan(s, kW);
    case 'T':
      // The field test runs after "Type " and overturns it; no later keyword begins with T.
      return IsTypeField(s) ? skOther : Scan(s, kT);
    case 'I': return Scan(s, kI);
    case '#': return Scan(s, kHash);
    case 'C': return Scan(s, kC);
    case 'D': return Scan(s, kD);
    case 'L': return Scan(s, kL);
    case 'N': return Scan(s, kN);
    default: return skOther;
  }
}

bool IsProcedureStart(TVBStatementKind kind) { return IsSubStart(kind) || IsFunctionStart(kind); }

bool IsSubStart(TVBStatementKind kind) {
  return kind == skSub || kind == skPrivateSub || kind == skStaticSub || kind == skPublicSub || kind == skFriendSub;
}

bool IsFunctionStart(TVBStatementKind kind) {
  return kind == skFunction || kind == skPrivateFunction || kind == skStaticFunction || kind == skPublicFunction ||
         kind == skFriendFunction;
}

bool IsProcedureEnd(TVBStatementKind kind) { return kind == skEndFunction || kind == skEndSub; }

}  // namespace qm
