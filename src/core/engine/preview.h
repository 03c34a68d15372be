// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "engine/marks.h"
#include "platform/linefile.h"

namespace qm {

// The modal before/after window of a processing run. Returns when the user closes it: true when
// closed to go on, false when its Cancel button cancels the run.
class IPreview {
 public:
  virtual ~IPreview() = default;
  virtual bool ShowPreview(const std::string& caption, const TLines& before,
                           const TMarkedList& after) = 0;
};

}  // namespace qm
