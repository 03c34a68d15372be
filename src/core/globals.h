// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>

namespace qm {

// The processing run's cancel request: cleared by the command that starts a run, set by the
// Cancel buttons (and by Ctrl+C in the command-line driver), tested once per source line.
extern std::atomic<bool> CancelRequested;

// Width of a tab in the user's Visual Basic editor; 4 at start, read from VB.INI by ReadVBTabStops.
extern int TabWidth;

// Visual Basic version of the open project: 4 after reading a .VBP file, 3 otherwise.
extern int VBVersion;

}  // namespace qm
