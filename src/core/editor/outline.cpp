// SPDX-License-Identifier: MIT
#include "editor/outline.h"

#include <cctype>

#include "analysis/formtree.h"
#include "engine/linefuncs.h"
#include "engine/statement.h"
#include "engine/statementscan.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"

namespace qm {

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }

// The words of a declaration from its start, each with its offset in the line.
struct TWord {
  std::string_view Text;
  std::size_t Column;
};

std::vector<TWord> LeadingWords(std::string_view line, std::size_t count) {
  std::vector<TWord> words;
  std::size_t i = 0;
  while (words.size() < count && i < line.size()) {
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= 32) ++i;
    const std::size_t start = i;
    while (i < line.size() && IsNameChar(line[i])) ++i;
    if (i == start) break;
    words.push_back({line.substr(start, i - start), start});
  }
  return words;
}

bool Is(std::string_view word, std::string_view upper) { return EqualsUpperIgnoringCase(word, upper); }

TVBStatementKind KindOf(std::string_view line) { return ClassifyStatement(TrimLeftControls(line)); }

void ReadDeclaration(std::string_view line, TProcedure& procedure) {
  const std::vector<TWord> words = LeadingWords(line, 5);
  std::size_t w = 0;
  if (w < words.size() && (Is(words[w].Text, "PUBLIC") || Is(words[w].Text, "PRIVATE") || Is(words[w].Text, "FRIEND"))) {
    procedure.Scope = words[w++].Text;
  }
  if (w < words.size() && Is(words[w].Text, "STATIC")) procedure.Static = true, ++w;
  if (w < words.size()) procedure.Keyword = words[w++].Text;
  if (Is(procedure.Keyword, "PROPERTY") && w < words.size()) {
    procedure.Keyword += ' ';
    procedure.Keyword += words[w++].Text;
  }
  if (w < words.size()) {
    procedure.Name = words[w].Text;
    procedure.NameColumn = words[w].Column;
  }
}

// The lines of the control description at the head of a form-like file, where no code stands.
std::size_t DescriptionEnd(const TLines& lines, std::uint8_t kind) {
  if (!HasControlDescription(kind)) return 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsProcedureStart(KindOf(lines[i]))) break;
    if (EqualsUpperIgnoringCase(lines[i], "END")) return i + 1;
  }
  return 0;
}

}  // namespace

std::vector<TProcedure> ProceduresOf(const TLines& lines) {
  std::vector<TProcedure> procedures;
  bool continued = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool statement = !continued;
    continued = EndsWithContinuation(lines[i]);
    if (!statement) continue;
    const TVBStatementKind kind = KindOf(lines[i]);
    if (IsProcedureStart(kind)) {
      TProcedure procedure;
      procedure.Start = procedure.DeclarationEnd = procedure.Last = i;
      ReadDeclaration(lines[i], procedure);
      while (procedure.DeclarationEnd + 1 < lines.size() && EndsWithContinuation(lines[procedure.DeclarationEnd])) {
        ++procedure.DeclarationEnd;
      }
      procedures.push_back(std::move(procedure));
    } else if (IsProcedureEnd(kind) && !procedures.empty() && procedures.back().Last == procedures.back().Start) {
      procedures.back().Last = i;
    }
  }
  // A procedure left open runs up to the next one, or to the end of the file.
  for (std::size_t k = 0; k < procedures.size(); ++k) {
    if (procedures[k].Last != procedures[k].Start) continue;
    procedures[k].Last = k + 1 < procedures.size() ? procedures[k + 1].Start - 1 : lines.size() - 1;
  }
  return procedures;
}

std::vector<TLineRange> RestyleUnits(const TLines& lines, const std::vector<TProcedure>& procedures) {
  if (procedures.empty()) return {TLineRange{0, lines.size()}};
  std::size_t declarationsEnd = procedures.front().Start;
  while (declarationsEnd > 0 && CodeOf(lines[declarationsEnd - 1]).empty()) --declarationsEnd;
  std::vector<TLineRange> units{{0, declarationsEnd}};
  for (std::size_t k = 0; k < procedures.size(); ++k) {
    const std::size_t end = k + 1 < procedures.size() ? procedures[k].Last + 1 : lines.size();
    units.push_back({units.back().End, std::max(end, units.back().End)});
  }
  return units;
}

namespace {

std::string Detail(const TProcedure& procedure) {
  std::string detail = procedure.Scope;
  if (procedure.Static) detail += detail.empty() ? "Static" : " Static";
  detail += detail.empty() ? "" : " ";
  return detail + procedure.Keyword;
}

TSymbolKind SymbolKindOf(const TProcedure& procedure) {
  if (Is(procedure.Keyword, "SUB")) return TSymbolKind::Sub;
  if (HasUpperPrefix(procedure.Keyword, "PROPERTY")) return TSymbolKind::Property;
  return TSymbolKind::Function;
}

// A Type or Enum block starting at line start, with its members; the index of its last line.
std::size_t ReadBlock(const TLines& lines, std::size_t start, bool isEnum, TSymbol& symbol) {
  const std::vector<TWord> words = LeadingWords(lines[start], 3);
  std::size_t w = 0;
  if (w < words.size() && (Is(words[w].Text, "PUBLIC") || Is(words[w].Text, "PRIVATE"))) ++w;
  symbol.Kind = isEnum ? TSymbolKind::Enum : TSymbolKind::Type;
  symbol.Detail = isEnum ? "Enum" : "Type";
  if (w + 1 < words.size()) {
    symbol.Name = words[w + 1].Text;
    symbol.NameColumn = words[w + 1].Column;
  }
  symbol.NameLine = start;
  const TVBStatementKind end = isEnum ? skEndEnum : skEndType;
  std::size_t i = start + 1;
  for (; i < lines.size(); ++i) {
    const TVBStatementKind kind = KindOf(lines[i]);
    if (kind == end || IsProcedureStart(kind)) break;
    if (CodeOf(lines[i]).empty()) continue;
    const std::vector<TWord> member = LeadingWords(lines[i], 1);
    if (member.empty()) continue;
    TSymbol child;
    child.Name = member[0].Text;
    child.Kind = TSymbolKind::Member;
    child.Lines = {i, i + 1};
    child.NameLine = i;
    child.NameColumn = member[0].Column;
    symbol.Children.push_back(std::move(child));
  }
  if (i < lines.size() && IsProcedureStart(KindOf(lines[i]))) --i;  // left open
  if (i >= lines.size()) i = lines.size() - 1;
  symbol.Lines = {start, i + 1};
  return i;
}

// The controls of the description. The form tree adds one node per line that opens a block, in
// file order, so node k + 2 is the block opened by the k-th such line; that line and the line
// closing the block give the symbol's range.
std::vector<TSymbol> FormSymbols(const TLines& lines, std::size_t descriptionEnd) {
  const TLines description(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(descriptionEnd));
  if (IsBinaryForm(description)) return {};
  const TFormTree tree = BuildFormModel("", "", description);
  struct TOpen {
    std::size_t Node;
    std::size_t Line;
  };
  std::vector<TLineRange> ranges(tree.Nodes.size());
  std::vector<TOpen> open;
  std::size_t next = kFormFileNode + 1;
  for (std::size_t i = 0; i < description.size() && next <= tree.Nodes.size(); ++i) {
    const std::string_view line = TrimControls(description[i]);
    if (HasUpperPrefix(line, "BEGIN")) {
      open.push_back({next++, i});
    } else if (HasUpperPrefix(line, "END")) {
      if (open.empty()) break;
      if (open.back().Node < ranges.size()) ranges[open.back().Node] = {open.back().Line, i + 1};
      open.pop_back();
    }
  }
  for (const TOpen& left : open) {
    if (left.Node < ranges.size()) ranges[left.Node] = {left.Line, descriptionEnd};
  }
  // Children before parents: nodes are numbered parents first, so a walk from the back builds
  // every child's symbol before its parent takes it.
  std::vector<TSymbol> built(tree.Nodes.size());
  std::vector<bool> shown(tree.Nodes.size(), false);
  for (std::size_t n = tree.Nodes.size(); n-- > kFormFileNode + 1;) {
    const RFormNode& node = tree.Nodes[n];
    if (Is(node.ClassName, "PROPERTY")) continue;
    TSymbol& symbol = built[n];
    symbol.Name = node.Name;
    symbol.Detail = node.ClassName;
    symbol.Lines = ranges[n];
    symbol.NameLine = ranges[n].Begin;
    const std::string_view line = n < ranges.size() ? std::string_view(lines[ranges[n].Begin]) : std::string_view();
    const std::size_t at = node.Name.empty() ? std::string_view::npos : line.rfind(node.Name);
    symbol.NameColumn = at == std::string_view::npos ? 0 : at;
    const std::string upper = UpperCase(node.ClassName);
    symbol.Kind = upper == "VB.FORM" || upper == "VB.MDIFORM" || upper == "FORM" || upper == "MDIFORM" ||
                          upper == "VB.USERCONTROL" || upper == "VB.PROPERTYPAGE" || upper == "VB.USERDOCUMENT"
                      ? TSymbolKind::Form
                      : TSymbolKind::Control;
    for (std::size_t child : node.Children) {
      if (shown[child]) symbol.Children.push_back(std::move(built[child]));
    }
    shown[n] = true;
  }
  std::vector<TSymbol> top;
  for (std::size_t child : tree.Nodes[kFormFileNode].Children) {
    if (shown[child]) top.push_back(std::move(built[child]));
  }
  return top;
}

}  // namespace

std::vector<TSymbol> DocumentSymbols(const TLines& lines, std::uint8_t kind) {
  const std::size_t descriptionEnd = DescriptionEnd(lines, kind);
  std::vector<TSymbol> symbols = descriptionEnd > 0 ? FormSymbols(lines, descriptionEnd) : std::vector<TSymbol>{};
  const std::vector<TProcedure> procedures = ProceduresOf(lines);
  std::size_t next = 0;  // the next procedure
  bool continued = false;
  for (std::size_t i = descriptionEnd; i < lines.size(); ++i) {
    const bool statement = !continued;
    continued = EndsWithContinuation(lines[i]);
    if (next < procedures.size() && procedures[next].Start == i) {
      const TProcedure& procedure = procedures[next++];
      TSymbol symbol;
      symbol.Name = procedure.Name;
      symbol.Detail = Detail(procedure);
      symbol.Kind = SymbolKindOf(procedure);
      symbol.Lines = {procedure.Start, procedure.Last + 1};
      symbol.NameLine = procedure.Start;
      symbol.NameColumn = procedure.NameColumn;
      symbols.push_back(std::move(symbol));
      i = procedure.Last;
      continued = false;
      continue;
    }
    if (!statement) continue;
    const TVBStatementKind k = KindOf(lines[i]);
    if (k == skType || k == skEnum) {
      TSymbol symbol;
      i = ReadBlock(lines, i, k == skEnum, symbol);
      continued = false;
      if (!symbol.Name.empty()) symbols.push_back(std::move(symbol));
    }
  }
  return symbols;
}

}  // namespace qm
