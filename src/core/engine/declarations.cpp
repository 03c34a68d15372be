// SPDX-License-Identifier: MIT
// Declaration splitting (several variables or constants on one line) and the alignment of the As
// clauses of consecutive declarations.
//
// A declaration is cut only at the commas that separate its names: not inside parentheses (array
// bounds, a property's parameters), not inside string or date literals, and not in a statement
// that follows the declaration after a colon. A line that belongs to a continued statement (" _")
// is never split.

#include <algorithm>
#include <initializer_list>
#include <new>
#include <string>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/statementscan.h"

namespace qm {

namespace {

// The comment of a split declaration goes on every piece after these blanks and the apostrophe.
constexpr std::string_view kVarCommentSuffix = "    '";
constexpr std::string_view kConstCommentSuffix = "     '";

// Headers that begin like a declaration but declare a procedure.
constexpr std::string_view kNotVariables[] = {"GLOBAL CONST ", "STATIC SUB ", "STATIC FUNCTION ",
                                              "STATIC PROPERTY "};

// The keyword a split writes on every piece, and how many characters of the source it stands for.
struct TDeclKeyword {
  std::string_view Fixed;
  std::size_t SourceLength = 0;
  explicit operator bool() const { return !Fixed.empty(); }
};

bool IsVariableDeclaration(std::string_view trimmed) {
  // Every keyword below begins with D, R, G or S.
  if (trimmed.empty()) return false;
  switch (trimmed.front()) {
    case 'D': case 'd': case 'R': case 'r': case 'G': case 'g': case 'S': case 's': break;
    default: return false;
  }
  for (std::string_view p : kNotVariables) {
    if (HasUpperPrefix(trimmed, p)) return false;
  }
  return HasUpperPrefix(trimmed, "DIM ") || HasUpperPrefix(trimmed, "REDIM ") ||
         HasUpperPrefix(trimmed, "GLOBAL ") || HasUpperPrefix(trimmed, "STATIC ");
}

// The keyword of a Dim, ReDim, Global or Static statement (code trimmed), whatever its letter case
// in the source. ReDim Preserve keeps Preserve on every piece: without it a piece would lose the
// array's contents.
TDeclKeyword VariableKeyword(std::string_view code) {
  if (!IsVariableDeclaration(code)) return {};
  if (HasUpperPrefix(code, "DIM ")) return {"Dim ", 4};
  if (HasUpperPrefix(code, "GLOBAL ")) return {"Global ", 7};
  if (HasUpperPrefix(code, "STATIC ")) return {"Static ", 7};
  const std::string_view rest = code.substr(6);
  const std::string_view word = TrimLeft(rest);
  if (HasUpperPrefix(word, "PRESERVE ")) {
    return {"Redim Preserve ", code.size() - word.size() + 9};
  }
  return {"Redim ", 6};
}

TDeclKeyword ConstantKeyword(std::string_view code) {
  if (HasUpperPrefix(code, "CONST ")) return {"Const ", 6};
  if (HasUpperPrefix(code, "GLOBAL CONST ")) return {"Global Const ", 13};
  return {};
}

// Calls cut(position) for every comma of the declared list that separates two names.
template <typename Cut>
void ForEachDeclarationComma(std::string_view list, Cut cut) {
  TCodeScanner scan(list);
  for (TCodeToken t = scan.Next(); t.Kind != TTokenKind::End; t = scan.Next()) {
    if (t.Kind != TTokenKind::Punct || t.Depth != 0) continue;
    const char c = list[t.Begin];
    if (c == ':' && t.Size() == 1) return;  // a further statement follows
    if (c == ',') cut(t.Begin);
  }
}

bool HasDeclarationComma(std::string_view list) {
  bool found = false;
  ForEachDeclarationComma(list, [&](std::size_t) { found = true; });
  return found;
}

std::string Suffix(std::string_view line, std::string_view lead) {
  std::string text = CommentText(line);
  if (text.empty()) return text;
  return std::string(lead) + text;
}

void AppendPiece(TMarkedList& out, std::string_view keyword, std::string_view piece, std::string_view suffix) {
  // A piece that cannot be appended is skipped, as the pipeline skips a line it cannot write.
  try {
    std::string line;
    line.reserve(keyword.size() + piece.size() + suffix.size());
    line.append(keyword).append(piece).append(suffix);
    out.push_back({std::move(line), NewChangedMark()});
  } catch (const std::bad_alloc&) {
  }
}

// Appends one piece per declaration of the list after the keyword, each with the fixed keyword
// text and the line's comment suffix; trimPiece shapes every piece but the last (trimmed fully).
// A line whose keyword is not recognised is appended whole.
void SplitDeclarationList(TMarkedList& out, bool& modified, std::string_view line, std::string_view suffixLead,
                          TDeclKeyword (*keywordOf)(std::string_view),
                          std::string_view (*trimPiece)(std::string_view)) {
  const std::string suffix = Suffix(line, suffixLead);
  const std::string_view code = CodeOf(line);
  const TDeclKeyword k = keywordOf(code);
  if (!k) {
    AppendPiece(out, {}, code, suffix);
    return;
  }
  const std::string_view list = code.substr(k.SourceLength);
  std::size_t start = 0;
  ForEachDeclarationComma(list, [&](std::size_t comma) {
    modified = true;
    AppendPiece(out, k.Fixed, trimPiece(list.substr(start, comma - start)), suffix);
    start = comma + 1;
  });
  AppendPiece(out, k.Fixed, Trim(list.substr(start)), suffix);
}

// Position (0-based) of the blank before the first As of a declaration's code, or npos.
std::size_t AsPosition(std::string_view trimmedLine) { return FindUpperIgnoringCase(CodeOf(trimmedLine), " AS "); }

// Whether the line may hold a declaration of these keywords: its code (the line before its
// comment, trimmed) begins with one of them only if the line does after its blanks. Looked at
// before the line is searched for commas and for its comment.
bool MayDeclare(std::string_view line, std::initializer_list<std::string_view> upperKeywords) {
  const std::string_view t = TrimLeft(line);
  if (t.empty()) return false;
  // Most lines are refused by their first letter.
  const char first = t.front() >= 'a' && t.front() <= 'z' ? static_cast<char>(t.front() - 'a' + 'A') : t.front();
  for (std::string_view k : upperKeywords) {
    if (k.front() == first && HasUpperPrefix(t, k)) return true;
  }
  return false;
}

}  // namespace

bool TVBSrcFormatter::IsMultiVarDeclaration(std::string_view line) const {
  if (!MayDeclare(line, {"DIM ", "REDIM ", "GLOBAL ", "STATIC "}) || line.find(',') == std::string_view::npos) {
    return false;
  }
  if (InContinuedStatement(line, FLine.PrevLine)) return false;
  const std::string_view code = CodeOf(line);
  const TDeclKeyword k = VariableKeyword(code);
  return k && HasDeclarationComma(code.substr(k.SourceLength));
}

bool TVBSrcFormatter::IsMultiConstDeclaration(std::string_view line) const {
  if (!MayDeclare(line, {"CONST ", "GLOBAL CONST "}) || line.find(',') == std::string_view::npos) return false;
  if (InContinuedStatement(line, FLine.PrevLine)) return false;
  const std::string_view code = CodeOf(line);
  const TDeclKeyword k = ConstantKeyword(code);
  return k && HasDeclarationComma(code.substr(k.SourceLength));
}

void TVBSrcFormatter::SplitMultiVar(std::string_view line) {
  SplitDeclarationList(FOutput, FModified, line, kVarCommentSuffix, VariableKeyword, Trim);
}

// As the variable split, except that a piece keeps the blanks that stood before its comma.
void TVBSrcFormatter::SplitMultiConst(std::string_view line) {
  SplitDeclarationList(FOutput, FModified, line, kConstCommentSuffix, ConstantKeyword, TrimLeft);
}

// The column of As counted within the trimmed line (1 for a declaration without As), 0 for a line
// that declares no variables. As is looked for in the code only: an "as" in the comment is text.
int TVBSrcFormatter::DeclarationAsColumn(std::string_view line) const {
  const std::string_view t = Trim(line);
  if (t.empty() || !IsVariableDeclaration(t)) return 0;
  const std::size_t as = AsPosition(t);
  return as == std::string_view::npos ? 1 : static_cast<int>(as) + 2;
}

void TVBSrcFormatter::TrackDeclarationGroup(std::string_view line) {
  const int column = DeclarationAsColumn(line);
  if (column > 0) {
    if (FDimGroupCount == 0) FDimGroupLines.clear();
    // The line is written after this step; it goes in at the output's present size, or just after
    // a comment that the comment rule moves above it.
    FDimGroupLines.push_back(FOutput.size());
    ++FDimGroupCount;
    FDimGroupAsColumn = std::max(FDimGroupAsColumn, column);
    return;
  }
  if (FDimGroupCount > 0 && FDimGroupCount >= Num(SettingKey::AlignDimAsGroupQty)) {
    AlignDeclarationGroup(FDimGroupCount, FDimGroupAsColumn);
  }
  FDimGroupCount = 0;
  FDimGroupAsColumn = 0;
  FDimGroupLines.clear();
}

void TVBSrcFormatter::AlignDeclarationGroup(int count, int column) {
  if (count <= 0) return;
  const std::size_t n = static_cast<std::size_t>(count);
  const bool tracked = FDimGroupLines.size() >= n;

  for (std::size_t k = 0; k < n; ++k) {
    // Each tracked line stands between where it was tracked and where the next one was.
    std::size_t index = FOutput.size();
    if (tracked) {
      const std::size_t entry = FDimGroupLines.size() - n + k;
      const std::size_t end = entry + 1 < FDimGroupLines.size() ? FDimGroupLines[entry + 1] : FOutput.size();
      for (std::size_t i = FDimGroupLines[entry]; i < std::min(end, FOutput.size()); ++i) {
        if (DeclarationAsColumn(FOutput[i].Text) > 0) {
          index = i;
          break;
        }
      }
    } else if (FOutput.size() >= n) {
      index = FOutput.size() - n + k;
    }
    if (index >= FOutput.size()) continue;  // the line could not be written

    const std::string& text = FOutput[index].Text;
    const std::size_t indent = static_cast<std::size_t>(LeadingBlanks(text));
    const std::string_view t = std::string_view(text).substr(indent);
    const std::size_t as = AsPosition(t);
    if (as == std::string_view::npos) continue;
    const std::string_view left = t.substr(0, as + 1);
    const std::string_view right = t.substr(as + 1);
    std::string aligned;
    const int pad = std::max(0, column - static_cast<int>(left.size()) - 1);
    aligned.reserve(indent + left.size() + static_cast<std::size_t>(pad) + right.size());
    aligned.append(indent, ' ').append(left).append(static_cast<std::size_t>(pad), ' ').append(right);
    ReplaceOutputText(index, std::move(aligned));
  }
  FModified = true;
}

}  // namespace qm
