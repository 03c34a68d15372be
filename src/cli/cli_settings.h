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

// Loads what a run reads: the saved settings (or those of file, a path relative to the working
// directory), the tab width, and the header comment templates the settings name. Preview is
// turned off: nobody is there to look. False, with the reason in problem, when file is missing,
// is a directory, is no regular file or is too large.
bool LoadCliSettings(const std::string& file, TSettings& settings, TCommentTemplates& templates,
                     IPrompts& prompts, std::string& problem);

}  // namespace qm::cli
