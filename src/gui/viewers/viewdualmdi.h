// SPDX-License-Identifier: MIT
#pragma once

// The before/after viewer of a restyled project item: the source file and the restyled output
// file side by side, scrolling together, with search, printing and the Diff command that lines the
// two files up row by row. A child window of the main window, freed when closed.

#include <QWidget>

#include <string>

class QToolButton;

namespace qm {

class TBigText;
class TDualPanes;
class TViewerStatus;

class TfrmViewDualMDI : public QWidget {
  Q_OBJECT

 public:
  // Shows sourceFile (the item's Path) before and outputFile (its OutputPath) after, under the
  // caption "File: " and the source path.
  TfrmViewDualMDI(const std::string& sourceFile, const std::string& outputFile,
                  QWidget* parent = nullptr);

  const std::string& Caption() const { return FCaption; }
  const std::string& SourceFile() const { return FSourceFile; }
  const std::string& OutputFile() const { return FOutputFile; }

  TDualPanes* Panes = nullptr;
  TBigText* memoCodeBefore = nullptr;
  TBigText* memoCodeAfter = nullptr;
  QToolButton* btnClose = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnDiff = nullptr;
  QToolButton* btnPrevChange = nullptr;
  QToolButton* btnNextChange = nullptr;
  TViewerStatus* Status = nullptr;

  // Remembers the encoding chosen for the source file (both panes) in the project's section of
  // the settings file, and applies the one remembered.
  void RememberEncodingFor(const std::string& projectPath);

  void btnCloseClick();
  // Asks for the left or the right pane, then prints it.
  void btnPrintClick();
  // Reads both files afresh and shows them aligned by the line difference engine.
  void btnDiffClick();

 private:
  std::string FCaption;
  std::string FSourceFile;
  std::string FOutputFile;
};

}  // namespace qm
