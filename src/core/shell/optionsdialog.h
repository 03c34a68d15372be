// SPDX-License-Identifier: MIT
#pragma once

// The decisions of the options dialog: the trailing separator of the output directory, the two
// controls that depend on others, the save-or-load flow of the template files, and one showing of
// the dialog from loading to OK or Cancel.

#include <string>
#include <string_view>

#include "engine/templates.h"
#include "platform/linefile.h"
#include "settings/catalogue.h"

namespace qm {

class IPrompts;
class ITemplateFileDialogs;

// The text of "Create new code in:" once the user leaves the field or picks a directory: it ends
// in a separator, since the run joins file names to it directly. A text that ends in '\' or '/'
// stays; otherwise '\' is appended, or '/' to a native path written with '/' only. A blank text
// stays as it is (OK refuses it: a lone separator would name the project directory).
std::string WithTrailingSeparator(std::string_view text);

// Whether the text names no directory at all (empty or blanks only).
bool IsBlankDirectory(std::string_view text);

// The group "If Fixed Column is unavailable..." and its number are shown only while item 1
// ("Use Fixed Column:") of "In-Line Comments" is chosen.
bool FixedColumnFallbackVisible(int inLineCommentsIndex);
// "String Literals" and "Comments" are enabled exactly when "Perform Spell Checking" is checked.
bool SpellingBoxesEnabled(bool spellingPerform);

// Where the directory chooser of "Create new code in:" starts: the text as a native path, taken
// relative to the project directory (when one is open) unless it is absolute, or the nearest
// existing directory above it; empty when none exists.
std::string DirectoryChooserStart(std::string_view text, std::string_view projectDir);

// "Load From File:": asks the save-or-load question, then saves the editor's lines to the file
// chosen or loads the editor from it, and puts the file's path into the file name edit. Cancel at
// any step, or a file that cannot be written or read (reported as an error), changes nothing.
// True when the editor or the file name changed.
bool SaveOrLoadTemplate(TLines& editor, std::string& fileName, ITemplateFileDialogs& dialogs,
                        IPrompts& prompts);

// One showing of the dialog. The dialog edits the live settings and templates directly, so that
// the preview and every control show the values in force; Cancel puts back what was in force
// before the showing, so that a run never uses values the user abandoned.
class TOptionsSession {
 public:
  TOptionsSession(TSettings& settings, TCommentTemplates& templates);

  // The showing: remembers the values in force, then loads every setting from the settings file
  // and the templates from the files the settings name.
  void Begin(IPrompts& prompts, std::string_view fileName = kSettingsFileName);
  // "&OK": applies the separator rule to the output directory (the field may still have the
  // focus), refuses a blank one, and saves every setting. False, after a message, when the dialog
  // must stay open.
  bool Accept(IPrompts& prompts, std::string_view fileName = kSettingsFileName);
  // "&Cancel" or any other close: restores the settings and templates of Begin; writes nothing.
  void Cancel();

  bool Active() const { return active_; }

 private:
  TSettings& settings_;
  TCommentTemplates& templates_;
  TSettings savedSettings_;
  TLines savedSub_, savedFunction_;
  bool active_ = false;
};

}  // namespace qm
