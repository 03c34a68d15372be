// SPDX-License-Identifier: MIT
#include "shell/viewerlayout.h"

#include <algorithm>

namespace qm {

namespace {

constexpr int kMinViewerWidth = 480;
constexpr int kMinViewerHeight = 320;
// Columns kept before a hit that has to be scrolled to.
constexpr int kHitMargin = 8;

constexpr int kOptionsMinWidth = 600;
constexpr int kOptionsMinHeight = 420;
constexpr int kPreviewHeight = 300;
constexpr int kPreviewMinHeight = 160;
// The window frame and title bar the window manager adds, and a panel at the screen's edge.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 64;

}  // namespace

TOptionsDialogSize FitOptionsDialog(int pagesWidth, int pagesHeight, bool previewShown, int screenWidth,
                                    int screenHeight) {
  const int roomWidth = std::max(screenWidth - kFrameWidth, 1);
  const int roomHeight = std::max(screenHeight - kFrameHeight, 1);
  TOptionsDialogSize size;
  size.Width = std::max(pagesWidth, kOptionsMinWidth);
  const int pages = std::max(pagesHeight, kOptionsMinHeight);
  size.Height = pages;
  if (previewShown) {
    size.Width = std::max(size.Width, kPreviewMinWidth);
    size.PreviewHeight = std::clamp(roomHeight - pages, kPreviewMinHeight, kPreviewHeight);
    size.Height += size.PreviewHeight;
  }
  size.Width = std::min(size.Width, roomWidth);
  size.Height = std::min(size.Height, roomHeight);
  return size;
}

TViewerRect ViewerPlacement(int areaWidth, int areaHeight, int openViewers, int step) {
  areaWidth = std::max(areaWidth, 1);
  areaHeight = std::max(areaHeight, 1);
  TViewerRect rect;
  rect.Width = std::min(areaWidth, std::max(areaWidth * 3 / 4, kMinViewerWidth));
  rect.Height = std::min(areaHeight, std::max(areaHeight * 3 / 4, kMinViewerHeight));
  const int roomX = areaWidth - rect.Width;
  const int roomY = areaHeight - rect.Height;
  step = std::max(step, 1);
  // How many steps fit before the window would cross the right or the bottom edge.
  const int steps = std::min(roomX, roomY) / step + 1;
  const int index = std::max(openViewers, 0) % std::max(steps, 1);
  rect.Left = std::min(index * step, roomX);
  rect.Top = std::min(index * step, roomY);
  return rect;
}

int TopLineForHit(int hitLine, int topLine, int visibleLines, int vertRange) {
  vertRange = std::max(vertRange, 0);
  if (visibleLines > 0 && hitLine >= topLine && hitLine < topLine + visibleLines) {
    return std::clamp(topLine, 0, vertRange);
  }
  return std::clamp(hitLine - std::max(visibleLines, 0) / 3, 0, vertRange);
}

int HorzPosForHit(int start, int length, int horzPos, int visibleColumns, int horzRange) {
  horzRange = std::max(horzRange, 0);
  const int end = start + std::max(length, 0);
  if (start >= horzPos && end <= horzPos + visibleColumns) return std::clamp(horzPos, 0, horzRange);
  if (length >= visibleColumns - kHitMargin) return std::clamp(start, 0, horzRange);
  const int pos = end <= visibleColumns ? 0 : std::max(start - kHitMargin, end - visibleColumns);
  return std::clamp(pos, 0, horzRange);
}

}  // namespace qm
