// SPDX-License-Identifier: MIT
#pragma once

// The main window's open project and the sequences of opening and closing it: reading the
// project file under the busy cursor with progress, remembering it in the recent-files list,
// reloading the settings and the tab width, and building the project tree.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/projecttree.h"
#include "project/sourcemgt.h"

namespace qm {

class IPrompts;
class TSettings;

class TProjectSession {
 public:
  explicit TProjectSession(TSettings& settings);
  ~TProjectSession();
  TProjectSession(const TProjectSession&) = delete;
  TProjectSession& operator=(const TProjectSession&) = delete;

  // Adds the path of a project opened successfully to the recent-files list.
  std::function<void(const std::string& path)> AddRecentFile;
  // Removes the path of a project that no longer exists from the recent-files list.
  std::function<void(const std::string& path)> RemoveRecentFile;
  // Called after the settings have been reloaded on a successful open (the options dialog reloads
  // its header comment templates there).
  std::function<void()> OnSettingsReloaded;

  // Reading progress: begin with the number of lines of the project file, then the number of
  // lines examined so far; end when reading is over (also on failure).
  struct TProgress {
    std::function<void(int max)> Begin;
    std::function<void(int done)> Step;
    std::function<void()> End;
  };

  // Closes an open project, then reads path. On success the path is added to the recent-files
  // list, the settings and the tab width are reloaded and the tree is built with the project
  // file's name as root caption. On failure (the reader has shown its message) no project is
  // open and the recent-files list is unchanged.
  bool OpenProject(const std::string& path, IPrompts& prompts, const TProgress& progress = {});
  // A project chosen from the recent-files list whose file no longer exists: the user is told
  // that it is missing and it is removed from the list (true; nothing is opened or closed).
  // False when the file is there to be opened.
  bool ForgetMissingRecentProject(const std::string& path, IPrompts& prompts);
  // Frees the project's lines and the project; clears the names and the tree.
  void CloseProject();

  bool IsOpen() const { return project_ != nullptr; }
  TSourceMgt* Project() const { return project_.get(); }
  // The project file's name without directory, and its path as given to OpenProject.
  const std::string& ProjectFileName() const { return projectFileName_; }
  const std::string& ProjectPath() const { return projectPath_; }

  TProjectTree Tree;

 private:
  TSettings& settings_;
  std::unique_ptr<TSourceMgt> project_;
  std::string projectFileName_;
  std::string projectPath_;
};

// A file-dialog filter as the classic dialogs write it ("Visual Basic Projects|*.MAK;*.VBP":
// description and patterns in pairs, separated by '|', patterns by ';').
struct TFileFilter {
  std::string Description;
  std::vector<std::string> Patterns;
};
std::vector<TFileFilter> ParseFileFilter(std::string_view filter);

}  // namespace qm
