// SPDX-License-Identifier: MIT
#include "messageboxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "displaytext.h"
#include "frame/shelltexts.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

// The window icon and the minimise, maximise and close buttons of a title bar, with some air.
constexpr int kTitleBarExtra = 150;

}  // namespace

QWidget* TMessageBoxes::BoxOwner() {
  QWidget* active = QApplication::activeWindow();
  return active && active->isEnabled() ? active : nullptr;
}

TAnswer TMessageBoxes::Ask(TMsgKind kind, TButtons buttons, const std::string& text) {
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
    case TButtons::YesNoDefaultNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case TButtons::YesAllNoCancel:
      set = QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  QMessageBox box(icon, FromDisplayBytes(shellmsg::ApplicationTitle), FromDisplayBytes(text), set, BoxOwner());
  // A short text makes a box narrower than its title: the window manager then cuts the program's
  // name. A spacer across the box's grid keeps room for the title and the title bar's buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  if (buttons == TButtons::YesNoDefaultNo) {
    // A question whose Yes cannot be undone: Enter and Escape both answer No.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  }
  // The hourglass of a long operation does not stand over a question.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = ExecModal(box);
  if (busy) QApplication::restoreOverrideCursor();
  switch (result) {
    case QMessageBox::Cancel: return TAnswer::Cancel;
    case QMessageBox::Yes: return TAnswer::Yes;
    case QMessageBox::YesToAll: return TAnswer::YesToAll;
    case QMessageBox::No: return TAnswer::No;
    case QMessageBox::Ok: return TAnswer::Ok;
    default:
      // Closed without a button (Escape on a box without Cancel): the safe answer of the set.
      return buttons == TButtons::YesNo || buttons == TButtons::YesNoDefaultNo ? TAnswer::No
             : buttons == TButtons::Ok                                        ? TAnswer::Ok
                                                                              : TAnswer::Cancel;
  }
}

void TMessageBoxes::BeginBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void TMessageBoxes::EndBusy() { QApplication::restoreOverrideCursor(); }

}  // namespace qm
