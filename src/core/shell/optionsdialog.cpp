// SPDX-License-Identifier: MIT
#include "shell/optionsdialog.h"

#include <filesystem>
#include <system_error>

#include "messages.h"
#include "platform/paths.h"
#include "settings/choices.h"
#include "ui/prompts.h"
#include "ui/templatefiles.h"

namespace qm {

std::string WithTrailingSeparator(std::string_view text) {
  std::string result(text);
  if (IsBlankDirectory(text) || result.back() == '\\' || result.back() == '/') return result;
  const bool nativeOnly = result.find('/') != std::string::npos && result.find('\\') == std::string::npos;
  result += nativeOnly ? '/' : '\\';
  return result;
}

bool IsBlankDirectory(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool FixedColumnFallbackVisible(int inLineCommentsIndex) {
  return static_cast<TInLinePlacement>(inLineCommentsIndex) == TInLinePlacement::FixedColumn;
}

bool SpellingBoxesEnabled(bool spellingPerform) { return spellingPerform; }

std::string DirectoryChooserStart(std::string_view text, std::string_view projectDir) {
  if (IsBlankDirectory(text)) return {};
  const std::string native = NativePath(text);
  // A path that names nothing on this machine (a drive letter on Linux) is put below a root whose
  // parents must not be offered either.
  if (IsNowherePath(native)) return {};
  std::filesystem::path path = native;
  if (path.is_relative() && !projectDir.empty()) path = std::filesystem::path(NativePath(projectDir)) / path;
  if (path.is_relative()) return {};
  std::error_code ec;
  path = path.lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  for (; !path.empty(); path = path.parent_path()) {
    if (std::filesystem::is_directory(path, ec)) return path.string();
    if (path == path.root_path()) break;
  }
  return {};
}

bool SaveOrLoadTemplate(TLines& editor, std::string& fileName, ITemplateFileDialogs& dialogs,
                        IPrompts& prompts) {
  switch (dialogs.AskSaveOrLoad()) {
    case TSaveOrLoad::Save: {
      const std::string path = dialogs.ChooseSaveFile(fileName);
      if (path.empty()) return false;
      if (!WriteLineFile(path, editor)) {
        prompts.Show(TMsgKind::Error, msg::Format(msg::UnableToWriteTo, path));
        return false;
      }
      fileName = path;
      return true;
    }
    case TSaveOrLoad::Load: {
      const std::string path = dialogs.ChooseOpenFile(fileName);
      if (path.empty()) return false;
      TLines lines;
      if (!ReadLineFile(path, lines)) {
        prompts.Show(TMsgKind::Error, msg::Format(msg::UnableToReadFrom, path));
        return false;
      }
      editor = std::move(lines);
      fileName = path;
      return true;
    }
    case TSaveOrLoad::Cancel:
      break;
  }
  return false;
}

TOptionsSession::TOptionsSession(TSettings& settings, TCommentTemplates& templates)
    : settings_(settings), templates_(templates) {}

void TOptionsSession::Begin(IPrompts& prompts, std::string_view fileName) {
  savedSettings_ = settings_;
  savedSub_ = templates_.Sub;
  savedFunction_ = templates_.Function;
  active_ = true;
  settings_.LoadINIControls(fileName);
  LoadCommentHeaders(settings_, templates_, prompts);
}

bool TOptionsSession::Accept(IPrompts& prompts, std::string_view fileName) {
  constexpr SettingKey kDirectory = SettingKey::BackupNewCodeDirectory;
  settings_.SetText(kDirectory, WithTrailingSeparator(settings_.Text(kDirectory)));
  if (IsBlankDirectory(settings_.Text(kDirectory))) {
    prompts.Show(TMsgKind::Error, std::string(msg::OutputDirectoryEmpty));
    return false;
  }
  if (std::string err; !settings_.SaveINIControls(fileName, &err)) {
    prompts.Show(TMsgKind::Error, err);
    return false;
  }
  active_ = false;
  return true;
}

void TOptionsSession::Cancel() {
  if (!active_) return;
  settings_ = savedSettings_;
  templates_.Sub = savedSub_;
  templates_.Function = savedFunction_;
  active_ = false;
}

}  // namespace qm
