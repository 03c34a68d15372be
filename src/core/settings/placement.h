// SPDX-License-Identifier: MIT
#pragma once

// The main window's placement between the window system and section frmMain of the settings
// file, and the arrangement of the child windows by Window "Tile".

#include <vector>

#include "settings/profile_entries.h"

namespace qm {

// A rectangle by its edges; Right and Bottom lie just outside it (Left + width, Top + height).
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Flag of the placement record: the window goes back to maximised when restored from a minimised
// state. Here: the window was maximised (or minimised from maximised) when it was saved.
inline constexpr int kPlaceRestoreToMaximized = 0x0002;

// The record to save for a window whose restored (normal) rectangle is given. Minimised and
// maximised positions have no meaning for this window system and are saved as -1.
TWindowPlacement PlacementOfWindow(const TRect& normal, bool maximized);

struct TPlacementRestore {
  bool Restore = false;  // false: leave the window where the window system puts it
  TRect Normal;          // the restored rectangle, moved onto a screen when it lies off all of them
  bool Maximized = false;
};

// What to do with a saved record, given the screens' available areas. Nothing is restored unless
// the stored right edge lies right of the left edge (so a missing section, all zeros, restores
// nothing). A rectangle that no screen shows enough of to grab it (a screen since removed) is
// moved onto the first screen and made to fit it.
TPlacementRestore RestorePlacement(const TWindowPlacement& placement, const std::vector<TRect>& screens);

// The project tree's width in a main window of that width: the user's own width (stored, from
// dragging the splitter) when there is one, else a fifth of the window between 180 and 360; never
// less than 120, and never more than half the window, so the viewers keep their room.
int OutlineWidthFor(int stored, int windowWidth);

// The rectangles of count child windows tiled side by side in an area: one row of columns for up
// to three windows; more form a grid of floor(sqrt(count)) rows, with the windows that do not fill
// a whole row given to the rightmost columns (one more window in each of them).
std::vector<TRect> TileVertically(int count, const TRect& area);

}  // namespace qm
