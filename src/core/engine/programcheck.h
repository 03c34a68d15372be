// SPDX-License-Identifier: MIT
#pragma once

// The safety check made before a restyled file is written: the restyled text must hold the same
// program as the text read. Both texts are read once, side by side, as code tokens outside
// comments (words in any letter case, literals with their exact bytes, numbers, operators; line
// continuations folded) and as the sequence of their comments. What the rules add or take out by
// design is read the same way on both sides: statement boundaries (line ends and colons) are one
// boundary, a single-line If reads as its block form with Else and End If, a declaration of
// several names as one declaration per name, a Next with or without its loop variable, Option
// Explicit as nothing; comments count by their text, wherever they stand, once for a run of equal
// comments (the suffix repeated on split pieces), without block lines and header template lines.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/marks.h"

namespace qm {

class TSettings;
struct TCommentTemplates;

struct TProgramCheckOptions {
  // The comment rules may remove comments: the restyled comments need only stand among the read
  // ones, in order.
  bool CommentsMayBeRemoved = false;
  // Spelling may correct literals and comments: their texts are not compared.
  bool TextMayBeCorrected = false;
  // Comments are the point of the edit (the commentor rewrites header blocks): only the code is
  // compared.
  bool CodeOnly = false;
  // Lines of the header templates: comments beginning like one of them are header lines.
  std::vector<std::string> HeaderLines;
};

// The options a run with these settings and templates needs.
TProgramCheckOptions ProgramCheckOptionsFor(const TSettings& settings, const TCommentTemplates* templates);

// None when output holds the program of input; otherwise the line of input (from 1) near which
// they part.
std::optional<std::size_t> ProgramMismatchLine(const std::vector<std::string>& input,
                                               const std::vector<std::string>& output,
                                               const TProgramCheckOptions& options = {});
// The same for a formatter's output list.
std::optional<std::size_t> ProgramMismatchLine(const std::vector<std::string>& input, const TMarkedList& output,
                                               const TProgramCheckOptions& options = {});

}  // namespace qm
