// SPDX-License-Identifier: MIT
#pragma once

// What an editor asks of the engine, without any protocol: the edits that restyle a document or
// the procedures a range touches, the lines a restyle would change, and the edits of the code
// actions (a procedure's header comment, one procedure restyled). Positions are those of
// editor/document.h.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document.h"
#include "editor/outline.h"
#include "editor/restyle.h"

namespace qm {

// A document restyled once, for every answer that needs the restyle.
struct TDocumentRestyle {
  std::string Before;  // the document's bytes
  TLines Lines;        // its lines
  TRestyled Restyled;
  std::string After;   // the restyled bytes, with the document's line ends
  std::string FileName;
};
TDocumentRestyle RestyleDocument(std::string_view bytes, const TRestyleRequest& request);

// The restyled document's bytes as they replace the document's (engine/outputtext.h): unchanged
// lines keep their own line ends, restyled ones take the document's prevailing one.
std::string RestyledDocumentBytes(std::string_view original, const TMarkedList& output);

// Edits, or the reason there are none (the restyle was refused or cancelled). After holds the
// document's bytes once the edits are made (the document's own when there are none).
struct TEditAnswer {
  std::vector<TTextEdit> Edits;
  std::string Problem;
  std::string After;
};

// The whole document restyled.
TEditAnswer FormatEdits(const TDocumentRestyle& restyle);

// The units (editor/outline.h) that lines first to last touch restyled, every other line as it
// stands. The result is checked again to hold the document's program (options as the restyle's).
TEditAnswer RangeFormatEdits(const TDocumentRestyle& restyle, std::size_t first, std::size_t last,
                             const TRestyleRequest& request);

// The runs of the document's lines that a restyle changes or removes, and the lines before which
// it inserts lines (the last line, for lines added at the end).
std::vector<TLineRange> LinesToRestyle(const TDocumentRestyle& restyle);

// The procedure at a line: the unit of RestyleUnits it stands in, when that is a procedure's.
std::optional<TLineRange> ProcedureUnitAt(const TLines& lines, std::size_t line);

// The header comment for the Sub or Function at a line (from its declaration to its End), from
// the templates as the engine fills them, placed above or below its declaration as the settings
// place headers. None when the line is in no such routine, or its block already holds a comment.
struct THeaderInsertion {
  TTextEdit Edit;
  std::string After;  // the document with the header
};
std::optional<THeaderInsertion> HeaderInsertionAt(std::string_view bytes, std::size_t line, const TSettings& settings,
                                                  const TCommentTemplates* templates);

}  // namespace qm
