// SPDX-License-Identifier: MIT
#pragma once

// The status line after a processing run: how many of the selected files were restyled and
// where they went, with the files skipped, not saved, and whether the run was cancelled.

#include <string>

#include "engine/run.h"

namespace qm {

class TSourceMgt;

// The files a run over the project takes up: the selected items of the source list.
int SelectedFileCount(const TSourceMgt& project);

// "Restyled 5 files into /home/me/vb4/STYLED/", "Restyled 2 of 5 files into ... (cancelled)",
// "Restyled 4 of 5 files into ... (1 skipped)"; the directory as a native path.
std::string RunStatusText(const TRunReport& report, int selectedCount);

}  // namespace qm
