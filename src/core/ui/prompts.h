// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The four kinds of message box and their fixed button sets.
enum class TMsgKind { Information, Warning, Error, Confirmation };
// YesNoDefaultNo: Yes and No with No as the default button (Enter and Escape answer No), for a
// question whose Yes cannot be undone. YesAllNoCancel: Yes, Yes to All, No and Cancel.
enum class TButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo, YesAllNoCancel };
enum class TAnswer { Ok, Cancel, Yes, No, YesToAll };

// Messages and questions to the user. The GUI shows modal message boxes, the command-line driver
// answers without a person, and tests script the answers.
class IPrompts {
 public:
  virtual ~IPrompts() = default;

  virtual TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) = 0;

  void Show(TMsgKind kind, const std::string& text) { Ask(kind, TButtons::Ok, text); }

  // The hourglass cursor around long operations; nested calls balance.
  virtual void BeginBusy() {}
  virtual void EndBusy() {}
};

// Keeps the hourglass on for a scope, restored also when the scope is left by an exception.
class TBusyScope {
 public:
  explicit TBusyScope(IPrompts& prompts) : prompts_(prompts) { prompts_.BeginBusy(); }
  ~TBusyScope() { prompts_.EndBusy(); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  IPrompts& prompts_;
};

}  // namespace qm
