// SPDX-License-Identifier: MIT
#include "viewers/viewerservices.h"

#include <QApplication>
#include <QDialog>

#include "displaytext.h"
#include "messageboxes.h"

namespace qm {

TViewerServices& ViewerServices() {
  static TViewerServices services;
  return services;
}

IPrompts& ViewerPrompts() {
  static TMessageBoxes messageBoxes;
  IPrompts* prompts = ViewerServices().Prompts;
  return prompts ? *prompts : messageBoxes;
}

int ExecModal(QDialog& dialog) {
  const auto& exec = ViewerServices().ExecModal;
  return exec ? exec(dialog) : dialog.exec();
}

QString QText(std::string_view text) { return FromWindows1252(text); }

}  // namespace qm
