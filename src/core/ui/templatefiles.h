// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The answers of the save-or-load question, as the chooser returns them.
enum class TSaveOrLoad : int { Save = 1, Cancel = 2, Load = 4 };

// The windows behind a template's "Load From File:" button: the save-or-load question and the
// two file dialogs. The options dialog implements them with its own windows; tests script them.
class ITemplateFileDialogs {
 public:
  virtual ~ITemplateFileDialogs() = default;

  virtual TSaveOrLoad AskSaveOrLoad() = 0;
  // The file chosen, or empty when the dialog was cancelled. start is the file name edit's text.
  virtual std::string ChooseSaveFile(const std::string& start) = 0;
  virtual std::string ChooseOpenFile(const std::string& start) = 0;
};

}  // namespace qm
