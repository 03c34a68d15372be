// SPDX-License-Identifier: MIT
#include "engine/marks.h"

namespace qm {

void AddBlankLines(int count, TMarkedList& list) {
  for (int i = 0; i < count; ++i) list.push_back({std::string(), NewChangedMark()});
}

}  // namespace qm
