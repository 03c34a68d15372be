// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace qm {

// The settings file that belongs to a folder, whoever asks for it (a project run, `format`, an
// editor): VBQUILL3.INI, in any letter case, in the folder itself or in the nearest parent that
// holds one. The search stops after a folder that is the root of a repository (it holds .git, .hg
// or .svn), so a file outside the checkout never steers it, and at the file system's root. Empty
// when no folder on the way holds one: the saved settings apply. The folder should be absolute.
std::string NearestSettingsFile(std::string_view directory);

// The folder one level up (with its trailing separator), or empty at a root.
std::string ParentFolder(std::string_view directory);

}  // namespace qm
