// SPDX-License-Identifier: MIT
#pragma once

// A temporary directory for one test, removed with everything in it afterwards. Also points the
// settings directory at itself so that a test never reads or writes the user's real settings.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace qm::test {

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quillmate-test-XXXXXX").string();
    if (char* made = ::mkdtemp(tmpl.data())) path_ = made;
    SetSettingsDirectory(path_ + "/");
  }
  ~TempDir() {
    SetSettingsDirectory("");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory, ending in '/'.
  std::string Dir() const { return path_ + "/"; }
  std::string operator/(std::string_view name) const { return Dir() + std::string(name); }

  // Writes bytes to a file below the directory, creating subdirectories.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    std::filesystem::path p = std::filesystem::path(path_) / std::string(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }
  std::string Read(std::string_view relative) const {
    std::ifstream f(std::filesystem::path(path_) / std::string(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

 private:
  std::string path_;
};

}  // namespace qm::test
