// SPDX-License-Identifier: MIT
#include "engine/forstack.h"

namespace qm {

const std::string& TForStack::Top() const {
  static const std::string kNone;
  return names_.empty() ? kNone : names_.back();
}

std::string TForStack::Pop(bool* wasEmpty) {
  if (wasEmpty) *wasEmpty = names_.empty();
  if (names_.empty()) return {};
  std::string name = std::move(names_.back());
  names_.pop_back();
  return name;
}

}  // namespace qm
