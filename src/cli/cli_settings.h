// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "engine/templates.h"
#include "settings/catalogue.h"

namespace qm {
class IPrompts;
}

namespace qm::cli {

// A command-line path made absolute against the working directory (unchanged when that fails).
std::string Absolute(const std::string& path);

// The settings file a command reads: the one given with --settings; else the VBQUILL3.INI nearest
// to the directory of the project or source (NearestSettingsFile), so that a team keeps its style
// in its repository; else empty, for the saved settings.
std::string FindCliSettings(const std::string& given, const std::string& directory);

// For --verbose: which file the settings of FindCliSettings's answer come from.
std::string DescribeCliSettings(const std::string& file);

// Loads what a run reads: the saved settings (or those of file, a path relative to the working
// directory), the tab width, and the header comment templates the settings name. Preview is
// turned off: nobody is there to look. False, with the reason in problem, when file is missing,
// is a directory, is no regular file or is too large.
bool LoadCliSettings(const std::string& file, TSettings& settings, TCommentTemplates& templates,
                     IPrompts& prompts, std::string& problem);

}  // namespace qm::cli
