// SPDX-License-Identifier: MIT
#pragma once

// The settings file's entries that are not settings: the recent-files list, the main window's
// placement, and the tab width read from the Visual Basic environment's VB.INI.

#include <string>
#include <string_view>
#include <vector>

#include "settings/catalogue.h"

namespace qm {

// The main window's placement (section frmMain), in the fields of the platform's record.
struct TWindowPlacement {
  int Flags = 0;
  int MinPosX = 0, MinPosY = 0;
  int MaxPosX = 0, MaxPosY = 0;
  int NormPosL = 0, NormPosT = 0, NormPosR = 0, NormPosB = 0;

  // Restored only when the stored right edge lies right of the left edge.
  bool Restorable() const { return NormPosR > NormPosL; }
};

TWindowPlacement LoadWindowPlacement(std::string_view fileName = kSettingsFileName);
bool SaveWindowPlacement(const TWindowPlacement& placement,
                         std::string_view fileName = kSettingsFileName, std::string* err = nullptr);

// The width the user gave the project tree by dragging its splitter: key OutlineWidth of section
// frmMain, 0 (or missing) when the tree was never dragged and follows the window.
int LoadOutlineWidth(std::string_view fileName = kSettingsFileName);
bool SaveOutlineWidth(int width, std::string_view fileName = kSettingsFileName, std::string* err = nullptr);

// TabStops of section "Visual Basic" of VB.INI: the editor's tab width (4 when missing or out of
// the editor's range), for TSettings::SetTabWidth.
int ReadVBTabStops();

}  // namespace qm
