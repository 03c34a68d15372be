// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "engine/marks.h"
#include "platform/linefile.h"

namespace qm {

// The modal before/after window of a processing run. Returns when the user closes it; its Cancel
// button sets CancelRequested.
class IPreview {
 public:
  virtual ~IPreview() = default;
  virtual void ShowPreview(const std::string& caption, const TLines& before,
                           const TMarkedList& after) = 0;
};

}  // namespace qm
