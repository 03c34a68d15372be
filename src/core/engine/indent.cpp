// SPDX-License-Identifier: MIT
#include <cstdint>

#include "engine/formatter.h"
#include "engine/linefuncs.h"

namespace qm {

namespace {

// The level is a 32-bit signed count that wraps like the arithmetic it stands for, never
// overflowing into undefined behaviour.
inline std::int32_t Wrap32(std::int64_t value) { return static_cast<std::int32_t>(value); }

// Replaces the leading white space of line (lead characters) by count blanks, in place. Most
// lines of code already stand where they belong, and those are left as they are.
void SetIndent(std::string& line, std::size_t lead, std::int64_t count) {
  const std::size_t blanks = count > 0 ? static_cast<std::size_t>(count) : 0;
  if (lead == blanks && static_cast<std::size_t>(LeadingBlanks(line)) >= lead) return;
  line.replace(0, lead, blanks, ' ');
}

bool IsOpening(TVBStatementKind kind) {
  switch (kind) {
    case skIf: case skSelectCase: case skDo: case skWhile: case skFor: case skType: case skWith: case skEnum:
      return true;
    default:
      return IsProcedureStart(kind);
  }
}

bool IsClosing(TVBStatementKind kind) {
  switch (kind) {
    case skEndFunction: case skEndSub: case skEndIf: case skEndSelect: case skLoop: case skWend:
    case skNext: case skEndType: case skEndWith: case skEndEnum:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TVBSrcFormatter::ApplyLevelRule(TVBStatementKind kind) {
  const std::int64_t level = FLine.IndentLevel;
  if (IsProcedureStart(kind)) {
    FLine.IndentLevel = Num(SettingKey::DefaultLineIndent);
    return;
  }
  switch (kind) {
    case skEndFunction: case skEndSub:
      FLine.IndentLevel = 0;
      break;
    case skIf: FLine.IndentLevel = Wrap32(level + Num(SettingKey::IfThenElseIndent)); break;
    case skEndIf: FLine.IndentLevel = Wrap32(level - Num(SettingKey::IfThenElseIndent)); break;
    case skSelectCase:
      FLine.IndentLevel = Wrap32(level + Num(SettingKey::SelectCaseIndent));
      FLine.IndentLevel = Wrap32(std::int64_t{FLine.IndentLevel} + Num(SettingKey::CaseCodeIndent));
      break;
    case skEndSelect:
      FLine.IndentLevel = Wrap32(level - Num(SettingKey::SelectCaseIndent));
      FLine.IndentLevel = Wrap32(std::int64_t{FLine.IndentLevel} - Num(SettingKey::CaseCodeIndent));
      break;
    case skDo: FLine.IndentLevel = Wrap32(level + Num(SettingKey::DoLoopIndent)); break;
    case skLoop: FLine.IndentLevel = Wrap32(level - Num(SettingKey::DoLoopIndent)); break;
    case skWhile: FLine.IndentLevel = Wrap32(level + Num(SettingKey::WhileWendIndent)); break;
    case skWend: FLine.IndentLevel = Wrap32(level - Num(SettingKey::WhileWendIndent)); break;
    case skFor: FLine.IndentLevel = Wrap32(level + Num(SettingKey::ForNextIndent)); break;
    case skNext: FLine.IndentLevel = Wrap32(level - Num(SettingKey::ForNextIndent)); break;
    // An Enum block is indented like a Type block.
    case skType: case skEnum: FLine.IndentLevel = Wrap32(level + Num(SettingKey::TypeEndIndent)); break;
    case skEndType: case skEndEnum: FLine.IndentLevel = Wrap32(level - Num(SettingKey::TypeEndIndent)); break;
    case skWith: FLine.IndentLevel = Wrap32(level + Num(SettingKey::WithEndIndent)); break;
    case skEndWith: FLine.IndentLevel = Wrap32(level - Num(SettingKey::WithEndIndent)); break;
    default: break;  // Else, ElseIf, Case and every other statement leave the level alone.
  }
}

void TVBSrcFormatter::IndentLine(std::string& line) {
  IndentLine(line, IsSingleLineIf(line), ClassifyStatement(line));
}

void TVBSrcFormatter::IndentLine(std::string& line, bool singleLineIf, TVBStatementKind kind) {
  const std::size_t lead = line.size() - TrimLeftControls(line).size();

  if (singleLineIf) {
    // A one-line If is an ordinary statement: it stands at the level and changes nothing.
    line.resize(TrimRight(line).size());
    SetIndent(line, lead, FLine.IndentLevel);
    return;
  }

  if (IsOpening(kind)) {
    SetIndent(line, lead, FLine.IndentLevel);
    ApplyLevelRule(kind);
  } else if (IsClosing(kind)) {
    // A Next that names several variables (Next j, i) closes as many loops.
    const int closed = kind == skNext ? NextVariableCount(std::string_view(line).substr(lead)) : 1;
    for (int k = 0; k < closed; ++k) ApplyLevelRule(kind);
    SetIndent(line, lead, FLine.IndentLevel);
  } else if (kind == skElse || kind == skElseIf) {
    SetIndent(line, lead, std::int64_t{FLine.IndentLevel} - Num(SettingKey::IfThenElseIndent));
  } else if (kind == skCase) {
    SetIndent(line, lead, std::int64_t{FLine.IndentLevel} - Num(SettingKey::CaseCodeIndent));
  } else {
    SetIndent(line, lead, FLine.IndentLevel);
  }
}

}  // namespace qm
