// SPDX-License-Identifier: MIT
#pragma once

// The program's message boxes: the four kinds with their fixed button sets, modal, captioned with
// the application's title, and the hourglass cursor for long operations.

#include "ui/prompts.h"

class QWidget;

namespace qm {

class TMessageBoxes : public IPrompts {
 public:
  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override;
  // The application's override cursor; nested calls balance.
  void BeginBusy() override;
  void EndBusy() override;

  // The window a box is shown over: the active window when it takes input, else none. A box over
  // a disabled window (the main window during a run) would be disabled with it.
  static QWidget* BoxOwner();
};

}  // namespace qm
