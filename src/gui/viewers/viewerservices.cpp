#include "viewers/viewerservices.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include "cp1252.h"

namespace qm {

TViewerServices& ViewerServices() {
  static TViewerServices services;
  return services;
}

IPrompts& ViewerPrompts() {
  static TMessageBoxPrompts messageBoxes;
  IPrompts* prompts = ViewerServices().Prompts;
  return prompts ? *prompts : messageBoxes;
}

int ExecModal(QDialog& dialog) {
  const auto& exec = ViewerServices().ExecModal;
  return exec ? exec(dialog) : dialog.exec();
}

QString QText(std::string_view text) { return FromCp1252(text); }

TAnswer TMessageBoxPrompts::Ask(TMsgKind kind, TButtons buttons, const std::string& text) {
  QMessageBox::Icon icon = QMessageBox::Information;
  switch (kind) {
    case TMsgKind::Information: icon = QMessageBox::Information; break;
    case TMsgKind::Warning: icon = QMessageBox::Warning; break;
    case TMsgKind::Error: icon = QMessageBox::Critical; break;
    case TMsgKind::Confirmation: icon = QMessageBox::Question; break;
  }
  QMessageBox::StandardButtons set = QMessageBox::Ok;
  switch (buttons) {
    case TButtons::Ok: set = QMessageBox::Ok; break;
    case TButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case TButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case TButtons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
  }
  QMessageBox box(icon, QApplication::applicationDisplayName(), FromCp1252(text), set,
                  QApplication::activeWindow());
  switch (ExecModal(box)) {
    case QMessageBox::Cancel: return TAnswer::Cancel;
    case QMessageBox::Yes: return TAnswer::Yes;
    case QMessageBox::No: return TAnswer::No;
    default: return TAnswer::Ok;
  }
}

void TMessageBoxPrompts::BeginBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void TMessageBoxPrompts::EndBusy() { QApplication::restoreOverrideCursor(); }

}  // namespace qm
