#pragma once

// The parts the viewer windows share: the set-up of a source pane, the window buttons, the search
// of a pane through the find dialog, printing a pane, and the body of the two-pane windows (the
// before and after panes with their splitter, pop-up menus and the shared scroll bar).

#include <QStyle>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "viewers/finddialog.h"
#include "viewers/leftorright.h"

class QMenu;
class QScrollBar;
class QSplitter;
class QToolButton;

namespace qm {

class TBigText;

// Captions of the viewer windows.
std::string FileCaption(std::string_view path);
std::string ProjectFileCaption(std::string_view projectFileName);

// A pane of a viewer: Courier New, fixed pitch, 11 pixels high; line backgrounds fill their rows;
// both scroll bars; no line cap.
void SetUpSourcePane(TBigText& pane);

// A flat button with an icon, its hint as caption, tool tip and status tip.
QToolButton* MakeViewerButton(QWidget* parent, QStyle::StandardPixmap icon, std::string_view hint);

// Lays a viewer window out: its buttons in a row along the top, the body below taking the rest.
void ArrangeViewer(QWidget* window, std::initializer_list<QWidget*> buttons, QWidget* body);

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

  // Find Next: searches the pane with the dialog's text, match case and direction; "Not Found"
  // when no line matches.
  bool dlgFindFind();

 private:
  TFindDialog* FFindDialog;
  std::function<TBigText*()> FTarget;
};

// The body of a two-pane window: the before pane, the five-pixel splitter, the after pane (which
// takes the width the before pane leaves) and the shared scroll bar at the right edge.
class TDualPanes : public QWidget {
  Q_OBJECT

 public:
  explicit TDualPanes(QWidget* window);

  TBigText* memoCodeBefore = nullptr;
  TBigText* memoCodeAfter = nullptr;
  QSplitter* Splitter = nullptr;
  QScrollBar* ScrollBothBar = nullptr;
  // The panes' pop-up menus; each starts with "&Search" for its own pane.
  QMenu* mnuBefore = nullptr;
  QMenu* mnuAfter = nullptr;

  // Which pane the find dialog searches (on: the before pane).
  bool SearchBefore = false;
  TPaneSearch* Search = nullptr;

  // Fits the shared bar to the pane with more lines (the after pane on a tie): maximum its line
  // count less its visible lines (1 when that is not positive), large step its visible lines
  // less one (at least 1).
  void SyncScrollBar();

  // The shared bar moved: both panes show the bar's position as top line, each within its range.
  void ScrollBothBigTexts(int position);

  void mnuSearchBeforeClick();
  void mnuSearchAfterClick();

  // Asks which pane to print and opens its report under the title; nothing on Cancel.
  void PrintChosenPane(const std::string& title);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool FSplitPlaced = false;
};

}  // namespace qm
