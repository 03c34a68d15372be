// SPDX-License-Identifier: MIT
#pragma once

#include "engine/marks.h"
#include "ui/colors.h"

namespace qm {

// How a viewer shows a line of the engine's output: black on yellow for a line the engine inserted
// or changed, on the window colour for a line passed through unchanged.
inline TColorObject MarkColors(TLineMark mark) {
  return mark.IsChanged() ? TColorObject{clBlack, clYellow} : TColorObject{clBlack, clWindow};
}

}  // namespace qm
