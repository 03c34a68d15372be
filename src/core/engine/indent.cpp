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
  const std::int64_t level = FIndentLevel;
  if (IsProcedureStart(kind)) {
    FIndentLevel = Num(SettingKey::DefaultLineIndent);
    return;
  }
  switch (kind) {
    case skEndFunction: case skEndSub:
      FIndentLevel = 0;
      break;
    case skIf: FIndentLevel = Wrap32(level + Num(SettingKey::IfThenElseIndent)); break;
    case skEndIf: FIndentLevel = Wrap32(level - Num(SettingKey::IfThenElseIndent)); break;
    case skSelectCase:
      FIndentLevel = Wrap32(level + Num(SettingKey::SelectCaseIndent));
      FIndentLevel = Wrap32(std::int64_t{FIndentLevel} + Num(SettingKey::CaseCodeIndent));
      break;
    case skEndSelect:
      FIndentLevel = Wrap32(level - Num(SettingKey::SelectCaseIndent));
      FIndentLevel = Wrap32(std::int64_t{FIndentLevel} - Num(SettingKey::CaseCodeIndent));
      break;
    case skDo: FIndentLevel = Wrap32(level + Num(SettingKey::DoLoopIndent)); break;
    case skLoop: FIndentLevel = Wrap32(level - Num(SettingKey::DoLoopIndent)); break;
    case skWhile: FIndentLevel = Wrap32(level + Num(SettingKey::WhileWendIndent)); break;
    case skWend: FIndentLevel = Wrap32(level - Num(SettingKey::WhileWendIndent)); break;
    case skFor: FIndentLevel = Wrap32(level + Num(SettingKey::ForNextIndent)); break;
    case skNext: FIndentLevel = Wrap32(level - Num(SettingKey::ForNextIndent)); break;
    // An Enum block is indented like a Type block.
    case skType: case skEnum: FIndentLevel = Wrap32(level + Num(SettingKey::TypeEndIndent)); break;
    case skEndType: case skEndEnum: FIndentLevel = Wrap32(level - Num(SettingKey::TypeEndIndent)); break;
    case skWith: FIndentLevel = Wrap32(level + Num(SettingKey::WithEndIndent)); break;
    case skEndWith: FIndentLevel = Wrap32(level - Num(SettingKey::WithEndIndent)); break;
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
    SetIndent(line, lead, FIndentLevel);
    return;
  }

  if (IsOpening(kind)) {
    SetIndent(line, lead, FIndentLevel);
    ApplyLevelRule(kind);
  } else if (IsClosing(kind)) {
    // A Next that names several variables (Next j, i) closes as many loops.
    const int closed = kind == skNext ? NextVariableCount(std::string_view(line).substr(lead)) : 1;
    for (int k = 0; k < closed; ++k) ApplyLevelRule(kind);
    SetIndent(line, lead, FIndentLevel);
  } else if (kind == skElse || kind == skElseIf) {
    SetIndent(line, lead, std::int64_t{FIndentLevel} - Num(SettingKey::IfThenElseIndent));
  } else if (kind == skCase) {
    SetIndent(line, lead, std::int64_t{FIndentLevel} - Num(SettingKey::CaseCodeIndent));
  } else {
    SetIndent(line, lead, FIndentLevel);
  }
}

}  // namespace qm
