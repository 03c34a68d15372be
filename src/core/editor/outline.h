// SPDX-License-Identifier: MIT
#pragma once

// What an editor shows of a module's structure and restyles piece by piece: its procedures,
// Types and Enums, the controls of a form's description, and the units a partial restyle works
// in (the declarations section, then one unit per procedure).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/linefile.h"

namespace qm {

// Lines Begin up to, not including, End.
struct TLineRange {
  std::size_t Begin = 0;
  std::size_t End = 0;
  bool Contains(std::size_t line) const { return line >= Begin && line < End; }
  friend bool operator==(const TLineRange&, const TLineRange&) = default;
};

struct TProcedure {
  std::size_t Start = 0;           // the line of its declaration
  std::size_t DeclarationEnd = 0;  // the declaration's last line (continued with " _")
  std::size_t Last = 0;            // its End line; without one, the line before the next procedure
  std::string Scope;               // Public, Private, Friend, or empty
  bool Static = false;
  std::string Keyword;             // Sub, Function, Property Get, Property Let, Property Set
  std::string Name;
  std::size_t NameColumn = 0;      // byte offset of the name in its declaration's first line
};

// The procedures in file order, found where the engine finds them: a statement (not a
// continuation line) whose kind starts a procedure, ended by the next procedure end.
std::vector<TProcedure> ProceduresOf(const TLines& lines);

// The units of a partial restyle, covering every line in order: first the declarations section
// (up to the last code line before the first procedure; empty when there is none), then one unit
// per procedure, which begins after the unit before it (so the comments and blank lines above a
// procedure belong to it) and ends with its End line (the last one with the rest of the file).
std::vector<TLineRange> RestyleUnits(const TLines& lines, const std::vector<TProcedure>& procedures);

enum class TSymbolKind : std::uint8_t { Sub, Function, Property, Type, Enum, Member, Form, Control };

struct TSymbol {
  std::string Name;
  std::string Detail;  // the declaration's keywords ("Private Sub"), a control's class
  TSymbolKind Kind = TSymbolKind::Sub;
  TLineRange Lines;
  std::size_t NameLine = 0;
  std::size_t NameColumn = 0;  // byte offset in that line
  std::vector<TSymbol> Children;
};

// The module's symbols in file order: for a file with a control description (kind) its form with
// the controls nested as the description nests them (property blocks left out), then the Types
// and Enums with their members and the procedures.
std::vector<TSymbol> DocumentSymbols(const TLines& lines, std::uint8_t kind);

}  // namespace qm
