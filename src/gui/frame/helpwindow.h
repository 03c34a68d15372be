// SPDX-License-Identifier: MIT
#pragma once

// The program's help: pages of its own, shipped inside the program, shown in a help window at
// numeric contexts (0 for the contents; the options dialog's pages have contexts of their own).

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace qm {

inline constexpr int kHelpContents = 0;

// The page of a help context; the contents page for a context without one of its own.
QString HelpPageForContext(int context);

class TfrmHelp : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmHelp(QWidget* parent = nullptr);

  // Shows the window in front, at the page of the context.
  void ShowContext(int context);
  int Context() const { return FContext; }

  QTextBrowser* txtHelp = nullptr;
  QPushButton* btnContents = nullptr;
  QPushButton* btnBack = nullptr;
  QPushButton* btnForward = nullptr;
  QPushButton* btnClose = nullptr;

 private:
  int FContext = kHelpContents;
};

// The program's help window (set by the main window when it is created).
void SetHelpWindow(TfrmHelp* window);
// Opens the help at a context: the options dialog's Help button and Help "Contents" call this.
void ShowHelpContext(int context);

}  // namespace qm
