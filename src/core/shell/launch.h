// SPDX-License-Identifier: MIT
#pragma once

// How the desktop program is started: the command line it is given (a project file from a file
// manager's "Open with" or the desktop entry, --help and --version for people and for help2man),
// and which of the files dropped on the main window is a project to open.

#include <string>
#include <vector>

namespace qm {

struct TLaunch {
  enum class TAction { Run, Help, Version, Error };
  TAction Action = TAction::Run;
  std::string Project;  // the project file to open at start; empty for none
  std::string Problem;  // why the command line was refused (Action Error)
};

// Parses the arguments after the program's name, once the toolkit has taken its own options out.
TLaunch ParseLaunchArgs(const std::vector<std::string>& args);

// Whether the arguments ask for help or the version, looked at before the toolkit starts (which
// needs a display): the first such request before "--", as ParseLaunchArgs would find it.
TLaunch::TAction EarlyLaunchAction(const std::vector<std::string>& args);

// The usage text that --help prints.
std::string LaunchUsage();

// Whether a file's extension names a Visual Basic project (.VBP or .MAK, any letter case).
bool IsProjectFileName(const std::string& path);

// The project to open from the local files of a drop: the first of them that names a project;
// empty when none does.
std::string DroppedProject(const std::vector<std::string>& paths);

}  // namespace qm
