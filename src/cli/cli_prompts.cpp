// SPDX-License-Identifier: MIT
#include "cli_prompts.h"

#include <ostream>

namespace qm::cli {

TAnswer TCliPrompts::Ask(TMsgKind kind, TButtons buttons, const std::string& text) {
  switch (kind) {
    case TMsgKind::Error: err_ << "quillmate-cli: error: " << text << '\n'; break;
    case TMsgKind::Warning: err_ << "quillmate-cli: warning: " << text << '\n'; break;
    case TMsgKind::Information: err_ << "quillmate-cli: " << text << '\n'; break;
    case TMsgKind::Confirmation: err_ << "quillmate-cli: " << text << " No\n"; break;
  }
  switch (buttons) {
    case TButtons::Ok:
    case TButtons::OkCancel: return TAnswer::Ok;
    case TButtons::YesNo:
    case TButtons::YesNoCancel:
    case TButtons::YesNoDefaultNo:
    case TButtons::YesAllNoCancel: return TAnswer::No;
  }
  return TAnswer::No;
}

}  // namespace qm::cli
