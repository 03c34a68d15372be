// SPDX-License-Identifier: MIT
#pragma once

// The single-source viewer: one file, read-only, in one pane, with search and printing. A child
// window of the main window, freed when closed.

#include <QWidget>

#include <string>

class QMenu;
class QToolButton;

namespace qm {

class TBigText;
class TPaneSearch;
class TViewerStatus;

class TfrmViewSingleMDI : public QWidget {
  Q_OBJECT

 public:
  // Shows the file under the caption: FileCaption(path) for a project item,
  // ProjectFileCaption(name) for the project file itself.
  TfrmViewSingleMDI(const std::string& caption, const std::string& fileName,
                    QWidget* parent = nullptr);

  const std::string& Caption() const { return FCaption; }

  TBigText* memoSource = nullptr;
  QToolButton* btnClose = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnSearch = nullptr;
  QMenu* mnuPopup = nullptr;
  TPaneSearch* Search = nullptr;
  TViewerStatus* Status = nullptr;

  // Remembers the encoding chosen for the file in the project's section of the settings file,
  // and applies the one remembered.
  void RememberEncodingFor(const std::string& projectPath);

  void btnCloseClick();
  // Prints memoSource, without asking.
  void btnPrintClick();
  void mnuSearchClick();

 private:
  std::string FCaption;
  std::string FFileName;
};

}  // namespace qm
