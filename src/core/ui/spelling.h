// SPDX-License-Identifier: MIT
#pragma once

// The spelling dialog as the formatter sees it: one text checked at a time, with the line it
// stands in for context.

#include <string>

namespace qm {

struct TSpellTarget {
  bool Literal = false;  // the text is a string literal's contents (else a comment's)
  int Column = 1;        // where the text starts in the context line, from 1
};

class ISpellCheck {
 public:
  virtual ~ISpellCheck() = default;
  // A processing run starts; false, with the reason in problem, when nothing can be checked.
  virtual bool BeginSpellRun(std::string* problem) = 0;
  // Checks text word by word with the user. cancelled: the user ended spell checking; changed:
  // text was corrected (it then holds the corrected text).
  virtual void RunSpellCheck(const std::string& context, std::string& text, const TSpellTarget& target,
                             bool& cancelled, bool& changed) = 0;
};

}  // namespace qm
