// SPDX-License-Identifier: MIT
#include "cli_settings.h"

#include <filesystem>

#include "platform/linefile.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "settings/nearest.h"
#include "settings/profile_entries.h"

namespace qm::cli {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

std::string FindCliSettings(const std::string& given, const std::string& directory) {
  if (!given.empty() || directory.empty()) return given;
  return NearestSettingsFile(Absolute(directory));
}

std::string DescribeCliSettings(const std::string& file) {
  if (!file.empty()) return "settings: " + Absolute(file);
  const std::string saved = ResolveProfilePath(kSettingsFileName);
  return "settings: " + saved + (FileExists(saved) ? "" : " (not there: every setting has its default)");
}

bool LoadCliSettings(const std::string& file, TSettings& settings, TCommentTemplates& templates,
                     IPrompts& prompts, std::string& problem) {
  if (!file.empty()) {
    // The settings file is read up front once, so that a directory, a named pipe, a device or a
    // huge file is refused with its reason instead of blocking or filling memory.
    std::string bytes, reason;
    if (!ReadSmallFile(file, bytes, &reason)) {
      problem = "settings file " + file + " " + (FileExists(file) || DirectoryExists(file) ? reason : "not found");
      return false;
    }
    // A path with a directory, so that the file is not looked for in the settings directory.
    settings.LoadINIControls(Absolute(file));
  } else {
    settings.LoadINIControls();
  }
  settings.SetTabWidth(ReadVBTabStops());
  LoadCommentHeaders(settings, templates, prompts);
  settings.SetBool(SettingKey::PreviewBeforeSaving, false);
  return true;
}

}  // namespace qm::cli
