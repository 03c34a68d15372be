// SPDX-License-Identifier: MIT
#include "settings/fileencodings.h"

#include "messages.h"
#include "platform/profile.h"

namespace qm {

std::string FileEncodingSection(std::string_view projectPath) {
  if (projectPath.empty() || projectPath.find_first_of("]\r\n") != std::string_view::npos) return {};
  return std::string(kFileEncodingSectionPrefix) + std::string(projectPath);
}

std::string FileEncodingKey(std::string_view sourcePath) {
  const std::size_t slash = sourcePath.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
  // A key is read back without its surrounding blanks and must not look like a section.
  if (name.empty() || name.find_first_of("=\r\n") != std::string_view::npos || name.front() == '[' ||
      name.front() == ';' || name.front() == ' ' || name.back() == ' ') {
    return {};
  }
  return std::string(name);
}

TCodePage LoadFileEncoding(std::string_view projectPath, std::string_view sourcePath,
                           std::string_view fileName) {
  const std::string section = FileEncodingSection(projectPath);
  const std::string key = FileEncodingKey(sourcePath);
  if (section.empty() || key.empty()) return TCodePage::Auto;
  const std::string value = GetPrivateProfileString(section, key, "", fileName);
  return CodePageFromKey(value).value_or(TCodePage::Auto);
}

bool SaveFileEncoding(std::string_view projectPath, std::string_view sourcePath, TCodePage page,
                      std::string_view fileName, std::string* err) {
  const std::string section = FileEncodingSection(projectPath);
  const std::string key = FileEncodingKey(sourcePath);
  if (section.empty() || key.empty()) {
    if (err) *err = msg::Format(msg::UnableToWriteTo, fileName);
    return false;
  }
  if (WritePrivateProfileString(section, key, CodePageInfo(page).Key, fileName)) return true;
  if (err) *err = msg::Format(msg::UnableToWriteTo, fileName);
  return false;
}

}  // namespace qm
