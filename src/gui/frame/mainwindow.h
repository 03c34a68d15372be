// SPDX-License-Identifier: MIT
#pragma once

// The main window: the MDI frame with the menus, the dockable toolbar, the project tree on the
// left, the process bar at the bottom and the viewer windows in the client area. It owns the open
// project and dispatches every command; what a command may do and when is decided by the core
// (TProjectSession, TProjectTree, TCommandStates, RunProcessCommand), which this window calls.

#include <QCursor>
#include <QList>
#include <QMainWindow>
#include <QLabel>
#include <QPixmap>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "engine/templates.h"
#include "settings/encoding.h"
#include "shell/closesequence.h"
#include "shell/commandstates.h"
#include "shell/projectsession.h"

class QAction;
class QFileDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QSplitter;
class QSplitterHandle;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

class IPreview;
class IProgress;
class IPrompts;
class ISpellCheck;
class TfrmHelp;
class TLastUsedMenu;
class TMessageBoxes;
class TPaneSearch;
class TSettings;
struct RFile;

class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TfrmMain(TSettings& settings, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The windows made after the main window that its commands use. The windows of the options
  // dialog, the chart selector, the form tree and the commentor are opened through these
  // functions; while one is not set its command stays disabled.
  struct TWindows {
    IProgress* Copying = nullptr;
    IProgress* Processing = nullptr;
    IPreview* Preview = nullptr;
    ISpellCheck* Spelling = nullptr;
    std::function<void()> ShowOptions;
    std::function<void()> ShowChartSelector;
    std::function<void(RFile& item, const std::string& projectName)> OpenFormTree;
    std::function<void(RFile& item)> OpenCommentor;
  };
  void SetWindows(TWindows windows);

  // The message boxes in use; none restores the program's own.
  void SetPrompts(IPrompts* prompts);
  IPrompts& Prompts() const;

  // Controls.
  QMdiArea* mdiClient = nullptr;
  QSplitter* splitMain = nullptr;
  QWidget* pnlOutline = nullptr;
  QTreeWidget* treeProject = nullptr;
  QToolBar* ToolBar = nullptr;
  QWidget* pnlBottom = nullptr;
  QProgressBar* guageMain = nullptr;
  QLabel* StatusBar = nullptr;
  QFileDialog* dlgOpenDialog = nullptr;
  QMenu* mnuFile = nullptr;
  QMenu* mnuView = nullptr;
  QMenu* mnuProject = nullptr;
  QMenu* mnuWindow = nullptr;
  QMenu* mnuHelp = nullptr;
  QMenu* mnuTreePopup = nullptr;
  QAction* mnuViewToolbar = nullptr;
  QAction* mnuViewProcessBar = nullptr;
  QMenu* mnuViewEncoding = nullptr;
  TLastUsedMenu* LastFiles = nullptr;
  TfrmHelp* frmHelp = nullptr;
  QPixmap imgBackground;
  // The splitter bar between the tree and the client area.
  QSplitterHandle* grabBar() const;

  // Commands.
  void OpenProjectDialog();
  void LastFilesClick(const std::string& path);
  void ExitApplication();
  void btnCloseClick();
  void btnConfigClick();
  void mnuViewOptionsClick();
  void mnuViewToolbarClick();
  void mnuViewProcessBarClick();
  void btnProcessClick();
  void btnViewProjFileClick();
  void btnViewSourceClick();
  void btnBuildFormTreeClick();
  void btnShowCommentorClick();
  void btnChartsClick();
  void btnSelectAllClick();
  void btnDeselectAllClick();
  void treeProjectDblClick();
  void mnuWindowTileClick();
  void mnuWindowCascadeClick();
  void mnuHelpContentsClick();
  void mnuHelpAboutClick();
  // View > Encoding: shows every source through the code page (and stores the choice).
  void SetEncoding(TCodePage page);
  // Ctrl+F, F3 and Shift+F3: the find dialog, the next and the previous hit in the active viewer.
  void FindInViewer();
  void FindNextInViewer();
  void FindPreviousInViewer();

  bool OpenProject(const std::string& path);
  void CloseProject();
  bool CloseProjectWindows();
  void BuildProjectTree(const std::string& rootCaption);
  // Opens the item's source, or its text before and after restyling once it has been processed.
  QMdiSubWindow* ViewSourceItem(RFile* item);
  // Shows a window as a child window of the client area, active, freed when closed.
  QMdiSubWindow* AddViewer(QWidget* viewer);
  void EnableProjectCommands();
  void DisableProjectCommands();

  // Dragging an item from the tree to the client area: a drop is taken only from the tree, and
  // opens the tree's selected item.
  bool AcceptsDropFrom(const QObject* source) const;
  void DropOnClientArea();

  // State, for the window's users and tests.
  TProjectSession& Session() { return FSession; }
  // The live header comment templates, which the options dialog edits.
  TCommentTemplates& Templates() { return FTemplates; }
  TSourceMgt* Project() const { return FSession.Project(); }
  const std::string& ProjectFileName() const { return FSession.ProjectFileName(); }
  const std::string& ProjectPath() const { return FSession.ProjectPath(); }
  const TCommandStates& CommandStates() const { return FStates; }
  // The menu items, toolbar buttons and pop-up items of a command.
  const QList<QAction*>& CommandActions(TShellCommand command) const;
  QAction* ToolbarAction(TShellCommand command) const;
  // The tree's selected node (its index in the session's tree), if any.
  std::optional<std::size_t> SelectedNode() const;
  QTreeWidgetItem* TreeItem(std::size_t node) const;
  // Where a tree item's state image is drawn (empty for the root): a click there toggles it.
  QRect StateImageRect(QTreeWidgetItem* item) const;
  // What the status line says when no hint is showing (the last run's result).
  const QString& StatusText() const { return FStatusText; }
  void SetStatusText(const QString& text) {
    FStatusText = text;
    if (StatusBar) StatusBar->setText(text);
  }
  // Whether a processing run is going on (the window refuses to close meanwhile).
  bool Running() const { return FRunning; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateClientArea();
  void CreateOpenDialog();
  void CreateEncodingMenu();
  void AddShortcut(QAction* action, std::string_view keys);
  void SaveRecentFiles();
  TCloseSteps CloseSteps();
  bool TreeEvent(QObject* watched, QEvent* event);
  TPaneSearch* ActiveViewerSearch() const;
  QAction* AddCommand(TShellCommand command, QObject* owner, std::string_view text, std::string_view hint,
                      void (TfrmMain::*handler)());
  void ApplyCommandStates();
  // Takes a drag or drop of a project file from outside the program; false for any other event.
  bool FileDropEvent(QEvent* event);
  void ShowNodeStates();
  void treeProjectChanging(QTreeWidgetItem* current);
  void FormShow();
  void RestorePlacement();
  void SavePlacement();
  void RebuildWindowMenu();
  RFile* SelectedItem() const;

  TSettings& FSettings;
  // The live header comment templates, reloaded with the settings whenever a project opens.
  TCommentTemplates FTemplates;
  std::unique_ptr<TMessageBoxes> FMessageBoxes;
  IPrompts* FPrompts = nullptr;
  TProjectSession FSession;
  TCommandStates FStates;
  TWindows FWindows;
  std::array<QList<QAction*>, kShellCommandCount> FActions;
  std::array<QAction*, kShellCommandCount> FToolbarActions{};
  QList<QAction*> FWindowListActions;
  QAction* FProjectMenuAction = nullptr;
  bool FShown = false;
  // The project tree's width from the user's dragging (0: it follows the window).
  int FOutlineWidth = 0;
  bool FPlacingOutline = false;
  void PlaceOutline();
  bool FExiting = false;  // File > Exit is closing the window (the list is saved already)
  bool FRunning = false;
  QCursor FSavedCursor;
  QString FStatusText;
};

}  // namespace qm
