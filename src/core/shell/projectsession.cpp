// SPDX-License-Identifier: MIT
#include "shell/projectsession.h"

#include <algorithm>

#include "platform/linefile.h"
#include "messages.h"
#include "platform/paths.h"
#include "settings/catalogue.h"
#include "settings/profile_entries.h"
#include "ui/prompts.h"

namespace qm {

namespace {

// Ends the reading progress however the read ends.
class TProgressScope {
 public:
  explicit TProgressScope(const TProjectSession::TProgress& progress) : progress_(progress) {}
  ~TProgressScope() {
    if (progress_.End) progress_.End();
  }
  TProgressScope(const TProgressScope&) = delete;
  TProgressScope& operator=(const TProgressScope&) = delete;

 private:
  const TProjectSession::TProgress& progress_;
};

}  // namespace

TProjectSession::TProjectSession(TSettings& settings) : settings_(settings) {}

TProjectSession::~TProjectSession() = default;

bool TProjectSession::OpenProject(const std::string& path, IPrompts& prompts, const TProgress& progress) {
  if (IsOpen()) CloseProject();

  auto project = std::make_unique<TSourceMgt>();
  TReadOutcome outcome;
  {
    TProgressScope scope(progress);
    TBusyScope busy(prompts);
    if (progress.Begin) {
      TLines lines;
      ReadLineFile(path, lines);
      progress.Begin(static_cast<int>(lines.size()));
    }
    outcome = project->ReadProjectFile(path, prompts, progress.Step);
  }
  if (outcome != TReadOutcome::Read) return false;

  project_ = std::move(project);
  projectPath_ = path;
  projectFileName_ = ExtractFileName(path);
  if (AddRecentFile) AddRecentFile(path);
  settings_.LoadINIControls();
  if (OnSettingsReloaded) OnSettingsReloaded();
  settings_.SetTabWidth(ReadVBTabStops());
  Tree.Build(*project_, projectFileName_);
  return true;
}

bool TProjectSession::ForgetMissingRecentProject(const std::string& path, IPrompts& prompts) {
  if (FileExists(path)) return false;
  prompts.Show(TMsgKind::Warning, msg::Format(msg::RecentProjectMissing, DisplayPath(path)));
  if (RemoveRecentFile) RemoveRecentFile(path);
  return true;
}

void TProjectSession::CloseProject() {
  Tree.Clear();
  if (project_) project_->FreeAllLines();
  project_.reset();
  projectFileName_.clear();
  projectPath_.clear();
}

std::vector<TFileFilter> ParseFileFilter(std::string_view filter) {
  std::vector<TFileFilter> filters;
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t bar = filter.find('|', from);
    parts.push_back(filter.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
    if (bar == std::string_view::npos) break;
    from = bar + 1;
  }
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter entry{std::string(parts[i]), {}};
    std::string_view patterns = parts[i + 1];
    for (std::size_t from = 0; from <= patterns.size();) {
      const std::size_t semi = std::min(patterns.find(';', from), patterns.size());
      if (semi > from) entry.Patterns.emplace_back(patterns.substr(from, semi - from));
      from = semi + 1;
    }
    filters.push_back(std::move(entry));
  }
  return filters;
}

}  // namespace qm
