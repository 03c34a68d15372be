// SPDX-License-Identifier: MIT
#include "settings/placement.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

// A window is reachable when this much of it (its title bar) lies on a screen.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 30;

bool ShowsEnough(const TRect& screen, const TRect& window) {
  const int width = std::min(screen.Right, window.Right) - std::max(screen.Left, window.Left);
  const int height = std::min(screen.Bottom, window.Top + kGrabHeight) - std::max(screen.Top, window.Top);
  return width >= std::min(kGrabWidth, window.Width()) && height >= std::min(kGrabHeight, window.Height()) &&
         window.Top >= screen.Top;
}

}  // namespace

TWindowPlacement PlacementOfWindow(const TRect& normal, bool maximized) {
  TWindowPlacement placement;
  placement.Flags = maximized ? kPlaceRestoreToMaximized : 0;
  placement.MinPosX = placement.MinPosY = -1;
  placement.MaxPosX = placement.MaxPosY = -1;
  placement.NormPosL = normal.Left;
  placement.NormPosT = normal.Top;
  placement.NormPosR = normal.Right;
  placement.NormPosB = normal.Bottom;
  return placement;
}

TPlacementRestore RestorePlacement(const TWindowPlacement& placement, const std::vector<TRect>& screens) {
  TPlacementRestore restore;
  if (!placement.Restorable()) return restore;
  restore.Restore = true;
  restore.Maximized = (placement.Flags & kPlaceRestoreToMaximized) != 0;
  restore.Normal = {placement.NormPosL, placement.NormPosT, placement.NormPosR, placement.NormPosB};
  // A window of no height cannot be grabbed either; give it a usable one.
  if (restore.Normal.Height() <= 0) restore.Normal.Bottom = restore.Normal.Top + kGrabHeight;

  if (screens.empty()) return restore;
  for (const TRect& screen : screens) {
    if (ShowsEnough(screen, restore.Normal)) return restore;
  }
  const TRect& screen = screens.front();
  const int width = std::min(restore.Normal.Width(), screen.Width());
  const int height = std::min(restore.Normal.Height(), screen.Height());
  restore.Normal = {screen.Left, screen.Top, screen.Left + width, screen.Top + height};
  return restore;
}

std::vector<TRect> TileVertically(int count, const TRect& area) {
  std::vector<TRect> rects;
  if (count <= 0 || area.Width() <= 0 || area.Height() <= 0) return rects;
  const int rows = count <= 3 ? 1 : static_cast<int>(std::sqrt(static_cast<double>(count)));
  const int columns = count / rows;
  const int fuller = count % rows == 0 ? 0 : count - rows * columns;  // columns with rows + 1 windows
  rects.reserve(static_cast<std::size_t>(count));
  for (int c = 0; c < columns; ++c) {
    const int left = area.Left + area.Width() * c / columns;
    const int right = area.Left + area.Width() * (c + 1) / columns;
    const int inColumn = rows + (c >= columns - fuller ? 1 : 0);
    for (int r = 0; r < inColumn; ++r) {
      const int top = area.Top + area.Height() * r / inColumn;
      const int bottom = area.Top + area.Height() * (r + 1) / inColumn;
      rects.push_back({left, top, right, bottom});
    }
  }
  return rects;
}

int OutlineWidthFor(int stored, int windowWidth) {
  constexpr int kMinWidth = 120;
  const int wanted = stored > 0 ? stored : std::clamp(windowWidth / 5, 180, 360);
  return std::max(kMinWidth, std::min(wanted, windowWidth / 2));
}

}  // namespace qm
