// SPDX-License-Identifier: MIT
#pragma once

// Spell checking without a dialog: every word not in the dictionary is listed as
// PATH:LINE:COLUMN: WORD (suggestions: A, B, C) and ignored, so that no word is ever changed.

#include <iosfwd>
#include <string>

#include "engine/formatter.h"
#include "spelling/spelldialoglogic.h"
#include "spelling/vcspeller.h"
#include "ui/progress.h"

namespace qm {
class IPrompts;
class TSourceMgt;
}  // namespace qm

namespace qm::cli {

class TSpellLister final : public IProgress {
 public:
  // Reads the speller's options from the settings file (a bare name: the settings directory).
  TSpellLister(std::ostream& out, IPrompts& prompts, std::string_view settingsFile);

  // The file being formatted: the path to print and its lines as read (columns count in them).
  void SetFile(std::string displayPath, const TLines* lines);
  // Follows the project run's current item instead; projectArg is the project as given.
  void FollowProject(const TSourceMgt* project, std::string projectArg);
  // The tab width the engine expands tabs by, to give columns in the lines as read.
  void SetTabWidth(int width) { tabWidth_ = width; }

  // The spelling dialog to hand to the engine.
  ISpellCheck& Dialog() { return dialog_; }
  TVCSpeller& Speller() { return speller_; }
  int Listed() const { return listed_; }

  // The formatter reports the index of the line in hand as the processing position.
  void SetPosition(int position) override { line_ = position; }

 private:
  void List();

  std::ostream& out_;
  TVCSpeller speller_;
  TSpellDialogLogic dialog_;
  std::string path_;
  const TLines* lines_ = nullptr;
  const TSourceMgt* project_ = nullptr;
  std::string projectArg_;
  int line_ = 0;
  int listed_ = 0;
  int tabWidth_ = kDefaultTabWidth;
};

// The path to print for a project item: the project's directory as given on the command line
// followed by the item's entry, in the spelling found on disk.
std::string ItemDisplayPath(const TSourceMgt& project, const std::string& itemPath, const std::string& projectArg);

}  // namespace qm::cli
