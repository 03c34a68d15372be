// SPDX-License-Identifier: MIT
#pragma once

// Where windows and their text go: the place of a new viewer inside the main window's client
// area, how far a text view scrolls to show a search hit, and the size of the options dialog.

namespace qm {

struct TViewerRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TViewerRect&, const TViewerRect&) = default;
};

// A new viewer in a client area of that size, with openViewers already open: three quarters of the
// area (at least 480 by 320 where the area allows), moved down and right by one title bar for
// each viewer open before it so that none hides another's caption, and always whole inside the
// area: when the step would push it over the edge it starts again from the top left.
TViewerRect ViewerPlacement(int areaWidth, int areaHeight, int openViewers, int step = 24);

// The top line that shows a hit on hitLine: the current top line when the hit is already among
// the visible lines, else the line a third of a page above the hit, within 0 .. vertRange.
int TopLineForHit(int hitLine, int topLine, int visibleLines, int vertRange);

// The first visible column that shows the columns start .. start + length - 1: the current one
// when they are visible already, else one that shows the hit with a few columns before it (or its
// start at the left edge when it is wider than the view), within 0 .. horzRange.
int HorzPosForHit(int start, int length, int horzPos, int visibleColumns, int horzRange);

// The options dialog: the pages at the size their contents ask for (never below 600 by 420), and
// with the preview shown the preview below them across the whole width, at least wide enough for a
// line with an in-line comment (kPreviewMinWidth) and 300 high. On a screen too small for that
// the preview gives up height (down to 160), then the dialog gives up width and height, so that
// the whole dialog with its title bar stays on the screen.
struct TOptionsDialogSize {
  int Width = 0;
  int Height = 0;
  int PreviewHeight = 0;  // 0 while the preview is hidden
  friend bool operator==(const TOptionsDialogSize&, const TOptionsDialogSize&) = default;
};
inline constexpr int kPreviewMinWidth = 760;
TOptionsDialogSize FitOptionsDialog(int pagesWidth, int pagesHeight, bool previewShown, int screenWidth,
                                    int screenHeight);

}  // namespace qm
