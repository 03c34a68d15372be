// SPDX-License-Identifier: MIT
#include "shell/launch.h"

#include "platform/paths.h"

namespace qm {

namespace {

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

TLaunch ParseLaunchArgs(const std::vector<std::string>& args) {
  TLaunch launch;
  bool operandsOnly = false;
  for (const std::string& arg : args) {
    if (!operandsOnly && IsHelp(arg)) return {TLaunch::TAction::Help, {}, {}};
    if (!operandsOnly && arg == "--version") return {TLaunch::TAction::Version, {}, {}};
    if (!operandsOnly && arg == "--") {
      operandsOnly = true;
      continue;
    }
    if (!operandsOnly && arg.size() > 1 && arg[0] == '-') {
      return {TLaunch::TAction::Error, {}, "unknown option " + arg};
    }
    if (!launch.Project.empty()) return {TLaunch::TAction::Error, {}, "give at most one project file"};
    if (arg.empty()) return {TLaunch::TAction::Error, {}, "the project file name is empty"};
    launch.Project = arg;
  }
  return launch;
}

TLaunch::TAction EarlyLaunchAction(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (IsHelp(arg)) return TLaunch::TAction::Help;
    if (arg == "--version") return TLaunch::TAction::Version;
  }
  return TLaunch::TAction::Run;
}

std::string LaunchUsage() {
  return "Usage: quillmate [OPTION]... [PROJECT]\n"
         "\n"
         "Restyles the source code of Visual Basic projects. Opens PROJECT (a .VBP or .MAK file)\n"
         "at start when it is given; without it the program starts with no project open.\n"
         "\n"
         "  -h, --help     print this help\n"
         "      --version  print the version\n"
         "\n"
         "The toolkit's own options (-platform, -style, -display and the like) are taken too.\n"
         "quillmate-cli runs the same engine without a window.\n";
}

bool IsProjectFileName(const std::string& path) {
  const std::string ext = UpperCase(ExtractFileExt(path));
  return ext == ".VBP" || ext == ".MAK";
}

std::string DroppedProject(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (IsProjectFileName(path)) return path;
  }
  return {};
}

}  // namespace qm
