// SPDX-License-Identifier: MIT
#pragma once

// The parts the viewer windows share: the set-up of a source pane, the window buttons, the search
// of a pane through the find dialog, printing a pane, and the body of the two-pane windows (the
// before and after panes with their splitter, pop-up menus and the shared scroll bar).

#include <QList>
#include <QStyle>
#include <QWidget>

#include <functional>
#include <memory>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/diffview.h"
#include "platform/linefile.h"
#include "settings/encoding.h"
#include "viewers/finddialog.h"
#include "viewers/leftorright.h"

class QComboBox;
class QLabel;
class QMenu;
class QScrollBar;
class QSplitter;
class QToolButton;

namespace qm {

class TBigText;

// Captions of the viewer windows, with the path as a native path.
std::string FileCaption(std::string_view path);
std::string ProjectFileCaption(std::string_view projectFileName);
// A caption as the title bar shows it: the program's text, then a path in the file system's
// encoding (not the source code page).
QString CaptionText(std::string_view prefix, std::string_view path);

// A pane of a viewer: Courier New, fixed pitch, 11 pixels high; line backgrounds fill their rows;
// both scroll bars; no line cap.
void SetUpSourcePane(TBigText& pane);

// A flat button with an icon, its hint as caption, tool tip and status tip.
QToolButton* MakeViewerButton(QWidget* parent, QStyle::StandardPixmap icon, std::string_view hint);

// The row of a viewer's buttons: captions beside their icons while they fit, icons alone (with
// their hints as tool tips) when the window is too narrow for the captions.
class TViewerButtonBar : public QWidget {
  Q_OBJECT

 public:
  // Other controls in the row (a routine list) keep their own look.
  TViewerButtonBar(QWidget* parent, std::initializer_list<QWidget*> controls);
  // Whether the captions are shown.
  bool ShowsText() const { return FShowsText; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();
  QList<QToolButton*> FButtons;
  int FWidthWithText = 0;
  bool FShowsText = true;
};

// The status line at the foot of a viewer: a message at the left (a search that found nothing)
// and the encoding the panes are shown in at the right, which the user can change for this file.
// With a project and a file given, a choice is remembered for that file in the settings file and
// taken up again the next time the file is shown.
class TViewerStatus : public QWidget {
  Q_OBJECT

 public:
  TViewerStatus(QWidget* parent, std::vector<TBigText*> panes);

  // The project and the file whose choice is remembered; the remembered choice is applied now.
  void RememberFor(const std::string& projectPath, const std::string& sourcePath);
  // Chooses a code page for the panes (Auto: View > Encoding decides) and remembers it.
  void ChooseCodePage(TCodePage page);
  // What the encoding box shows: the choice, for Auto with the code page found in brackets.
  QString EncodingText() const;
  void ShowMessage(const QString& text);
  QString Message() const;

  QComboBox* cmbEncoding = nullptr;
  QLabel* lblMessage = nullptr;

 private:
  void Refresh();

  std::vector<TBigText*> FPanes;
  std::string FProjectPath;
  std::string FSourcePath;
  bool FFilling = false;
};

// Lays a viewer window out: its buttons in a row along the top, the body below taking the rest,
// and the status line (when given) at the foot.
TViewerButtonBar* ArrangeViewer(QWidget* window, std::initializer_list<QWidget*> buttons, QWidget* body,
                                QWidget* status = nullptr);

// Closes a viewer window, or the MDI sub-window that holds it.
void CloseViewerWindow(QWidget* window);

// Opens the report of a pane under the title in a print preview.
void PrintPane(const TBigText& pane, const std::string& title, QWidget* parent);

// Loads a file into a pane; a file that cannot be read leaves the pane empty and is reported in
// an error box.
bool LoadPane(TBigText& pane, const std::string& fileName);

// The find dialog of one window and the search it starts in the window's current pane.
class TPaneSearch : public QObject {
  Q_OBJECT

 public:
  TPaneSearch(QWidget* window, std::function<TBigText*()> target);

  TFindDialog* dlgFind() const { return FFindDialog; }

  // Shows the find dialog.
  void Open();

  // Find Next: searches the pane with the dialog's text, match case, whole word and direction;
  // "Not Found" when no line matches, in the dialog and in the window's status line (no box).
  bool dlgFindFind();
  // Where "Not Found" goes besides the dialog.
  std::function<void(const QString&)> ShowStatus;

  // The keys: Ctrl+F opens the dialog, F3 and Shift+F3 look for the dialog's text downward and
  // upward (the dialog opens when it has no text yet). Before either, PickTarget lets the window
  // choose the pane by the keyboard focus.
  void FindKey();
  bool FindAgain(bool downward);
  std::function<void()> PickTarget;

 private:
  bool Find(bool downward);

  TFindDialog* FFindDialog;
  std::function<TBigText*()> FTarget;
};

// Ctrl+F, F3 and Shift+F3 on a window of its own (the modal preview), for its search.
void AddFindKeys(QWidget* window, TPaneSearch* search);

// The search of a viewer window (its TPaneSearch), if it has one.
TPaneSearch* ViewerSearch(QWidget* window);

// A narrow strip beside the shared scroll bar with a mark for every block of changed rows of a
// comparison, placed along its height as the rows lie in the panes; a click scrolls there.
class TDiffOverview : public QWidget {
  Q_OBJECT

 public:
  explicit TDiffOverview(QWidget* parent);
  void SetBlocks(std::vector<TChangeBlock> blocks, int rowCount);
  const std::vector<TChangeBlock>& Blocks() const { return FBlocks; }
  // The row a point of the strip stands for.
  int RowAt(int y) const;
  QSize sizeHint() const override { return {12, 100}; }

 signals:
  void RowClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::vector<TChangeBlock> FBlocks;
  int FRowCount = 0;
};

// The body of a two-pane window: the before pane, the five-pixel splitter, the after pane (which
// takes the width the before pane leaves), the overview of the changes and the shared scroll bar
// at the right edge. Both panes show line numbers.
class TDualPanes : public QWidget {
  Q_OBJECT

 public:
  explicit TDualPanes(QWidget* window);

  TBigText* memoCodeBefore = nullptr;
  TBigText* memoCodeAfter = nullptr;
  QSplitter* Splitter = nullptr;
  QScrollBar* ScrollBothBar = nullptr;
  TDiffOverview* Overview = nullptr;
  // The panes' pop-up menus; each starts with "&Search" for its own pane.
  QMenu* mnuBefore = nullptr;
  QMenu* mnuAfter = nullptr;
  // "Before" and "After" above the panes.
  QLabel* lblBefore = nullptr;
  QLabel* lblAfter = nullptr;

  // Which pane the find dialog searches (on: the before pane).
  bool SearchBefore = false;
  TPaneSearch* Search = nullptr;

  // Fits the shared bar to the pane with more lines (the after pane on a tie): maximum its line
  // count less its visible lines (1 when that is not positive), large step its visible lines
  // less one (at least 1).
  void SyncScrollBar();

  // The shared bar moved: both panes show the bar's position as top line, each within its range.
  void ScrollBothBigTexts(int position);

  // Replaces both panes' contents with the aligned rows of the line difference engine (tabs
  // expanded as when loading), repaints them once at their first row, and links the panes: from then
  // on scrolling either one scrolls the other to the same row, and the shared bar follows.
  // Returns the comparison's error text, empty when it succeeded.
  std::string ShowDiff(const TLines& before, const TLines& after);
  // New contents: the panes scroll alone again.
  void Unlink();
  bool Linked() const { return FLinked; }

  // Scrolls both panes to the next (or previous) block of changed rows after the last one gone
  // to, or after the top row; false when there is none that way.
  bool GoToChange(bool forward);
  int CurrentChangeRow() const { return FCurrentChange; }
  // Alt+Down and Alt+Up on the window for GoToChange.
  void AddChangeKeys(QWidget* window);

  // The before pane's share of the width: a half until the user moves the splitter.
  double BeforeShare() const { return FBeforeShare; }
  bool UserMovedSplitter() const { return FUserSplit; }

  void mnuSearchBeforeClick();
  void mnuSearchAfterClick();

  // Asks which pane to print and opens its report under the title; nothing on Cancel.
  void PrintChosenPane(const std::string& title);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceSplit();
  void PaneScrolled(TBigText* pane, int topLine);

  void ScrollToRow(int row);

  bool FLinked = false;
  int FCurrentChange = -1;
  bool FFollowing = false;  // a linked scroll is being passed on
  bool FUserSplit = false;
  double FBeforeShare = 0.5;
};

// Shows the program's "Processing..." notice (or one of its own) for the life of the scope.
class TProcessingNoticeScope {
 public:
  explicit TProcessingNoticeScope(QWidget* owner);
  ~TProcessingNoticeScope();
  TProcessingNoticeScope(const TProcessingNoticeScope&) = delete;
  TProcessingNoticeScope& operator=(const TProcessingNoticeScope&) = delete;

 private:
  std::unique_ptr<QWidget> FOwn;
  QWidget* FNotice = nullptr;
};

}  // namespace qm
