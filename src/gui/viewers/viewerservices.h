// SPDX-License-Identifier: MIT
#pragma once

// What the viewer windows need from the rest of the program: where their messages go, how a modal
// dialog is run, and the long-lived question box and notice that the main window creates at
// start-up. One program-wide instance; tests replace its parts so that no dialog ever blocks.

#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

#include "ui/prompts.h"

class QDialog;
class QWidget;

namespace qm {

class TfrmLeftorRight;
class TfrmProcessingNotice;

struct TViewerServices {
  // Message boxes ("Not Found", read errors, the difference engine's error). Null: Qt message
  // boxes over the active window.
  IPrompts* Prompts = nullptr;
  // Runs a dialog modally and returns its result code. Null: QDialog::exec.
  std::function<int(QDialog&)> ExecModal;
  // The program's left-or-right question box. Null: a question box is made for each question.
  QPointer<TfrmLeftorRight> LeftOrRight;
  // The program's "Processing..." notice. Null: a notice is made for each comparison.
  QPointer<TfrmProcessingNotice> ProcessingNotice;
};

TViewerServices& ViewerServices();

// The prompts in use: ViewerServices().Prompts, or message boxes.
IPrompts& ViewerPrompts();

// Runs the dialog modally through ViewerServices().ExecModal.
int ExecModal(QDialog& dialog);

// Program texts (plain ASCII or Windows-1252 bytes) as QString.
QString QText(std::string_view text);

}  // namespace qm
