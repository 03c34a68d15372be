// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>

#include "ui/prompts.h"

namespace qm::cli {

// Answers the core's questions without a person: messages go to standard error, an entry that is
// not a text file is skipped (OK), and nothing is ever deleted (No).
class TCliPrompts final : public IPrompts {
 public:
  explicit TCliPrompts(std::ostream& err) : err_(err) {}

  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override;

 private:
  std::ostream& err_;
};

}  // namespace qm::cli
