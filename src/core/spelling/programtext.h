// SPDX-License-Identifier: MIT
#pragma once

// The parts of a source line that belong to the program rather than to its author, and are
// therefore never offered for spelling: Attribute lines (a module's name, a control's
// properties: a "correction" there renames or breaks something), and the fixed words of a header
// comment written from a template ("Params", "Purpose"), which the program writes and reads
// back to recognise its own headers.

#include <cstddef>
#include <string_view>

namespace qm {

struct TCommentTemplates;

// Whether the line is an Attribute statement (any indentation, any letter case).
bool IsAttributeLine(std::string_view line);

// How many bytes at the start of a comment's text (what follows its apostrophe) are the fixed
// words of a template line: the template line's text up to its first placeholder, after the
// comment's leading blanks. 0 when the comment starts like no template line. A template line
// without a letter or digit (a rule, a lone apostrophe) counts for nothing.
std::size_t TemplateWordsLength(std::string_view comment, const TCommentTemplates& templates);

}  // namespace qm
