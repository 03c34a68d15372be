// SPDX-License-Identifier: MIT
#include "frame/mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionViewItem>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QSizeGrip>
#include <QSplitter>

#include "shell/viewerlayout.h"
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <map>

#include "messages.h"
#include "shell/processcommand.h"
#include "settings/catalogue.h"
#include "settings/encoding.h"
#include "displaytext.h"
#include "settings/placement.h"
#include "settings/profile_entries.h"
#include "frame/about.h"
#include "shell/launch.h"
#include "frame/helpwindow.h"
#include "frame/lastusedmenu.h"
#include "messageboxes.h"
#include "frame/shellimages.h"
#include "frame/shelltexts.h"
#include "engine/preview.h"
#include "ui/progress.h"
#include "viewers/viewdualmdi.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewertexts.h"
#include "viewers/viewerservices.h"
#include "viewers/viewsinglemdi.h"

namespace qm {

namespace {

constexpr int kOutlineWidth = 200;
constexpr int kGaugeWidth = 160;
constexpr int kStatusPanelWidth = 100;
// The tree item's role that holds its node's index in the project tree.
constexpr int kNodeRole = Qt::UserRole;
// The role that holds the node's state image index (for tests and accessibility).
constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kMinimumWidth = 560;
constexpr int kMinimumHeight = 380;
// The open dialog opens wide enough for its name, size, type and date columns.
constexpr int kOpenDialogWidth = 780;
constexpr int kOpenDialogHeight = 480;

using C = TShellCommand;

// A node's picture: the state image (when it has one) beside the node image, as the tree view of
// the platform draws them.
QIcon NodeIcon(const TProjectNode& node) {
  static std::map<std::pair<int, int>, QIcon> cache;
  auto key = std::make_pair(node.ImageIndex, node.StateIndex);
  if (auto found = cache.find(key); found != cache.end()) return found->second;
  const QPixmap image = ProjectImage(node.ImageIndex);
  QIcon icon;
  for (qreal scale : {1.0, 2.0}) {
    const int side = static_cast<int>(16 * scale);
    QPixmap composed(side * 2, side);
    composed.fill(Qt::transparent);
    QPainter painter(&composed);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (node.StateIndex != kNoStateImage) {
      painter.drawPixmap(QRect(0, 0, side, side), ProjectStateImage(node.StateIndex));
      painter.drawPixmap(QRect(side, 0, side, side), image);
    } else {
      painter.drawPixmap(QRect(side / 2, 0, side, side), image);
    }
    painter.end();
    icon.addPixmap(composed);
  }
  cache.emplace(key, icon);
  return icon;
}

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString EscapeAmpersands(QString text) { return text.replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

TfrmMain::TfrmMain(TSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      FSettings(settings),
      FMessageBoxes(std::make_unique<TMessageBoxes>()),
      FSession(settings) {
  InitShellResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QText(shellmsg::ApplicationTitle));
  setWindowIcon(ApplicationIcon());
  setContextMenuPolicy(Qt::NoContextMenu);
  resize(800, 560);
  // Room for the tree, a viewer and the process bar.
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  SetDisplayEncoding(LoadEncodingSettings());

  // Commands whose windows do not exist yet stay disabled until SetWindows names them.
  for (C command : {C::Options, C::Charts, C::FormStructure, C::Commentor}) FStates.SetAvailable(command, false);

  CreateClientArea();
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateOpenDialog();
  frmHelp = new TfrmHelp(this);
  SetHelpWindow(frmHelp);

  LastFiles = new TLastUsedMenu(this, QStringLiteral("LastFiles"));
  LastFiles->SetINISection(std::string(kRecentFilesSection));
  LastFiles->SetMaxItems(kRecentFilesMax);
  LastFiles->SetMenuItem(mnuFile);
  LastFiles->OnMenuClick = [this](const std::string& path) { LastFilesClick(path); };
  LastFiles->LoadFromINI();

  FSession.AddRecentFile = [this](const std::string& path) { LastFiles->AddFile(path); };
  FSession.RemoveRecentFile = [this](const std::string& path) { LastFiles->RemoveFile(path); };
  FSession.OnSettingsReloaded = [this] { LoadCommentHeaders(FSettings, FTemplates, Prompts()); };

  guageMain->hide();
  DisableProjectCommands();
}

TfrmMain::~TfrmMain() {
  SetHelpWindow(nullptr);
  FSession.CloseProject();
}

void TfrmMain::SetWindows(TWindows windows) {
  FWindows = std::move(windows);
  FStates.SetAvailable(C::Options, static_cast<bool>(FWindows.ShowOptions));
  FStates.SetAvailable(C::Charts, static_cast<bool>(FWindows.ShowChartSelector));
  FStates.SetAvailable(C::FormStructure, static_cast<bool>(FWindows.OpenFormTree));
  FStates.SetAvailable(C::Commentor, static_cast<bool>(FWindows.OpenCommentor));
  ApplyCommandStates();
}

void TfrmMain::SetPrompts(IPrompts* prompts) { FPrompts = prompts; }

IPrompts& TfrmMain::Prompts() const { return FPrompts ? *FPrompts : *FMessageBoxes; }

QSplitterHandle* TfrmMain::grabBar() const { return splitMain->handle(1); }

void TfrmMain::CreateClientArea() {
  imgBackground = ShellImage(QStringLiteral("background"));

  mdiClient = new QMdiArea;
  mdiClient->setObjectName(QStringLiteral("mdiClient"));
  mdiClient->setBackground(QBrush(imgBackground));
  mdiClient->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiClient->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiClient->viewport()->setAcceptDrops(true);
  setAcceptDrops(true);
  mdiClient->viewport()->installEventFilter(this);

  treeProject = new QTreeWidget;
  treeProject->setObjectName(QStringLiteral("treeProject"));
  treeProject->setHeaderHidden(true);
  treeProject->setColumnCount(1);
  treeProject->setIconSize(QSize(32, 16));
  treeProject->setEditTriggers(QAbstractItemView::NoEditTriggers);
  treeProject->setSelectionMode(QAbstractItemView::SingleSelection);
  treeProject->setDragEnabled(true);
  treeProject->setDragDropMode(QAbstractItemView::DragOnly);
  treeProject->setDefaultDropAction(Qt::CopyAction);
  treeProject->setContextMenuPolicy(Qt::CustomContextMenu);
  treeProject->setEnabled(false);
  treeProject->installEventFilter(this);
  treeProject->viewport()->installEventFilter(this);
  connect(treeProject, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { treeProjectChanging(current); });
  connect(treeProject, &QTreeWidget::itemDoubleClicked, this, [this] { treeProjectDblClick(); });
  connect(treeProject, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (QTreeWidgetItem* item = treeProject->itemAt(at)) treeProject->setCurrentItem(item);
    mnuTreePopup->popup(treeProject->viewport()->mapToGlobal(at));
  });

  pnlOutline = new QWidget;
  pnlOutline->setObjectName(QStringLiteral("pnlOutline"));
  auto* outline = new QVBoxLayout(pnlOutline);
  outline->setContentsMargins(0, 0, 0, 0);
  outline->addWidget(treeProject);

  splitMain = new QSplitter(Qt::Horizontal);
  splitMain->setObjectName(QStringLiteral("splitMain"));
  splitMain->setChildrenCollapsible(false);
  splitMain->setHandleWidth(5);
  splitMain->addWidget(pnlOutline);
  splitMain->addWidget(mdiClient);
  splitMain->setStretchFactor(0, 0);
  splitMain->setStretchFactor(1, 1);
  splitMain->setSizes({kOutlineWidth, 600});
  grabBar()->setObjectName(QStringLiteral("grabBar"));
  connect(splitMain, &QSplitter::splitterMoved, this, [this](int position) {
    if (!FPlacingOutline) FOutlineWidth = position;
  });

  pnlBottom = new QFrame;
  pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
  guageMain = new QProgressBar(pnlBottom);
  guageMain->setObjectName(QStringLiteral("guageMain"));
  guageMain->setFixedWidth(kGaugeWidth);
  guageMain->setMaximumHeight(18);
  guageMain->setTextVisible(false);
  StatusBar = new QLabel(pnlBottom);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setFrameShape(QFrame::Panel);
  StatusBar->setFrameShadow(QFrame::Sunken);
  StatusBar->setMinimumWidth(kStatusPanelWidth);
  StatusBar->setIndent(3);
  auto* bottom = new QHBoxLayout(pnlBottom);
  bottom->setContentsMargins(2, 2, 0, 0);
  bottom->setSpacing(2);
  bottom->addWidget(guageMain);
  bottom->addWidget(StatusBar, 1);
  bottom->addWidget(new QSizeGrip(pnlBottom), 0, Qt::AlignBottom | Qt::AlignRight);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(splitMain, 1);
  layout->addWidget(pnlBottom);
  setCentralWidget(central);
}

QAction* TfrmMain::AddCommand(TShellCommand command, QObject* owner, std::string_view text, std::string_view hint,
                              void (TfrmMain::*handler)()) {
  auto* action = new QAction(QText(text), owner);
  action->setStatusTip(QText(hint));
  connect(action, &QAction::triggered, this, handler);
  FActions[static_cast<std::size_t>(command)].append(action);
  return action;
}

void TfrmMain::CreateActions() {
  // Toolbar buttons, left to right; their hints are their tool tips and status tips.
  struct Button {
    C Command;
    const char* Image;
    std::string_view Hint;
    void (TfrmMain::*Handler)();
  };
  const Button buttons[] = {
      {C::OpenProject, "tb_open", shellmsg::ButtonOpen, &TfrmMain::OpenProjectDialog},
      {C::CloseProject, "tb_close", shellmsg::ButtonClose, &TfrmMain::btnCloseClick},
      {C::Options, "tb_options", shellmsg::ButtonOptions, &TfrmMain::btnConfigClick},
      {C::Process, "tb_process", shellmsg::ButtonProcess, &TfrmMain::btnProcessClick},
      {C::ViewProjectSource, "tb_projsource", shellmsg::ButtonViewProjectSource, &TfrmMain::btnViewProjFileClick},
      {C::ViewCurrentSource, "tb_viewsource", shellmsg::ButtonViewSelectedFile, &TfrmMain::btnViewSourceClick},
      {C::FormStructure, "tb_formtree", shellmsg::ButtonFormTree, &TfrmMain::btnBuildFormTreeClick},
      {C::Commentor, "tb_commentor", shellmsg::ButtonCommentor, &TfrmMain::btnShowCommentorClick},
      {C::Charts, "tb_charts", shellmsg::ButtonCharts, &TfrmMain::btnChartsClick},
      {C::SelectAll, "tb_selectall", shellmsg::ButtonSelectAll, &TfrmMain::btnSelectAllClick},
      {C::DeselectAll, "tb_deselectall", shellmsg::ButtonDeselectAll, &TfrmMain::btnDeselectAllClick},
      {C::HelpContents, "tb_help", shellmsg::ButtonHelp, &TfrmMain::mnuHelpContentsClick},
  };
  for (const Button& button : buttons) {
    QAction* action = AddCommand(button.Command, this, button.Hint, button.Hint, button.Handler);
    action->setIcon(ShellIcon(QLatin1String(button.Image)));
    action->setToolTip(QText(button.Hint));
    action->setObjectName(QStringLiteral("btn_") + QLatin1String(button.Image + 3));
    FToolbarActions[static_cast<std::size_t>(button.Command)] = action;
  }
}

void TfrmMain::CreateMenus() {
  mnuFile = menuBar()->addMenu(QText(shellmsg::MenuFile));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  QAction* open = AddCommand(C::OpenProject, mnuFile, shellmsg::MenuFileOpen, shellmsg::HintFileOpen,
                             &TfrmMain::OpenProjectDialog);
  mnuFile->addAction(open);
  AddShortcut(open, shellmsg::KeyOpen);
  QAction* close = AddCommand(C::CloseProject, mnuFile, shellmsg::MenuFileClose, shellmsg::ButtonClose,
                              &TfrmMain::btnCloseClick);
  close->setObjectName(QStringLiteral("mnuFileClose"));
  mnuFile->addAction(close);
  mnuFile->addSeparator();
  QAction* exit = mnuFile->addAction(QText(shellmsg::MenuFileExit), this, &TfrmMain::ExitApplication);
  exit->setObjectName(QStringLiteral("mnuFileExit"));
  exit->setStatusTip(QText(shellmsg::HintFileExit));
  AddShortcut(exit, shellmsg::KeyExit);

  mnuView = menuBar()->addMenu(QText(shellmsg::MenuView));
  mnuView->setObjectName(QStringLiteral("mnuView"));
  mnuView->addAction(AddCommand(C::Options, mnuView, shellmsg::MenuViewOptions, shellmsg::HintViewOptions,
                                &TfrmMain::mnuViewOptionsClick));
  mnuView->addSeparator();
  mnuViewToolbar = mnuView->addAction(QText(shellmsg::MenuViewToolbar), this, &TfrmMain::mnuViewToolbarClick);
  mnuViewToolbar->setStatusTip(QText(shellmsg::HintViewToolbar));
  mnuViewToolbar->setCheckable(true);
  mnuViewToolbar->setChecked(true);
  mnuViewProcessBar =
      mnuView->addAction(QText(shellmsg::MenuViewProcessBar), this, &TfrmMain::mnuViewProcessBarClick);
  mnuViewProcessBar->setStatusTip(QText(shellmsg::HintViewProcessBar));
  mnuViewProcessBar->setCheckable(true);
  mnuViewProcessBar->setChecked(true);
  mnuView->addSeparator();
  CreateEncodingMenu();

  mnuProject = new QMenu(QText(shellmsg::MenuProject), this);
  mnuProject->setObjectName(QStringLiteral("mnuProject"));
  // Each item shows the hint of its toolbar button on the status line, like the other menus.
  auto projectItem = [this](C command, std::string_view text, std::string_view hint, void (TfrmMain::*handler)()) {
    QAction* action = AddCommand(command, mnuProject, text, hint, handler);
    mnuProject->addAction(action);
    return action;
  };
  AddShortcut(projectItem(C::Process, shellmsg::MenuProjectProcess, shellmsg::ButtonProcess, &TfrmMain::btnProcessClick),
              shellmsg::KeyProcess);
  mnuProject->addSeparator();
  projectItem(C::ViewProjectSource, shellmsg::MenuProjectViewProjectSource, shellmsg::ButtonViewProjectSource,
              &TfrmMain::btnViewProjFileClick);
  projectItem(C::ViewCurrentSource, shellmsg::MenuProjectViewCurrentSource, shellmsg::ButtonViewSelectedFile,
              &TfrmMain::btnViewSourceClick);
  projectItem(C::FormStructure, shellmsg::MenuProjectFormStructure, shellmsg::ButtonFormTree,
              &TfrmMain::btnBuildFormTreeClick);
  projectItem(C::Commentor, shellmsg::MenuProjectCommentor, shellmsg::ButtonCommentor,
              &TfrmMain::btnShowCommentorClick);
  projectItem(C::Charts, shellmsg::MenuProjectCharts, shellmsg::ButtonCharts, &TfrmMain::btnChartsClick);
  mnuProject->addSeparator();
  projectItem(C::SelectAll, shellmsg::MenuProjectSelectAll, shellmsg::ButtonSelectAll, &TfrmMain::btnSelectAllClick);
  projectItem(C::DeselectAll, shellmsg::MenuProjectDeselectAll, shellmsg::ButtonDeselectAll,
              &TfrmMain::btnDeselectAllClick);
  FProjectMenuAction = menuBar()->addMenu(mnuProject);

  mnuWindow = menuBar()->addMenu(QText(shellmsg::MenuWindow));
  mnuWindow->setObjectName(QStringLiteral("mnuWindow"));
  QAction* tile = mnuWindow->addAction(QText(shellmsg::MenuWindowTile), this, &TfrmMain::mnuWindowTileClick);
  tile->setStatusTip(QText(shellmsg::HintWindowTile));
  QAction* cascade =
      mnuWindow->addAction(QText(shellmsg::MenuWindowCascade), this, &TfrmMain::mnuWindowCascadeClick);
  cascade->setStatusTip(QText(shellmsg::HintWindowCascade));
  QAction* closeAll = mnuWindow->addAction(QText(shellmsg::MenuWindowCloseAll), mdiClient,
                                           &QMdiArea::closeAllSubWindows);
  closeAll->setObjectName(QStringLiteral("mnuWindowCloseAll"));
  closeAll->setStatusTip(QText(shellmsg::HintWindowCloseAll));
  // Ctrl+Tab and Ctrl+Shift+Tab step through the viewer windows from anywhere in the frame.
  auto* nextWindow = new QAction(this);
  nextWindow->setShortcut(QKeySequence(QText(shellmsg::KeyNextWindow)));
  connect(nextWindow, &QAction::triggered, mdiClient, &QMdiArea::activateNextSubWindow);
  addAction(nextWindow);
  auto* previousWindow = new QAction(this);
  previousWindow->setShortcuts({QKeySequence(QText(shellmsg::KeyPreviousWindow)),
                                QKeySequence(QText(shellmsg::KeyPreviousWindowBacktab))});
  connect(previousWindow, &QAction::triggered, mdiClient, &QMdiArea::activatePreviousSubWindow);
  addAction(previousWindow);
  // The search keys go to the active viewer.
  auto findKey = [this](std::string_view keys, void (TfrmMain::*handler)()) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(QText(keys)));
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
  };
  findKey(viewmsg::FindKey, &TfrmMain::FindInViewer);
  findKey(viewmsg::FindNextKey, &TfrmMain::FindNextInViewer);
  findKey(viewmsg::FindPreviousKey, &TfrmMain::FindPreviousInViewer);
  connect(mnuWindow, &QMenu::aboutToShow, this, &TfrmMain::RebuildWindowMenu);

  mnuHelp = menuBar()->addMenu(QText(shellmsg::MenuHelp));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  QAction* contents = AddCommand(C::HelpContents, mnuHelp, shellmsg::MenuHelpContents, shellmsg::HintHelpContents,
                                 &TfrmMain::mnuHelpContentsClick);
  mnuHelp->addAction(contents);
  AddShortcut(contents, shellmsg::KeyHelp);
  mnuHelp->addSeparator();
  QAction* about = mnuHelp->addAction(QText(shellmsg::MenuHelpAbout), this, &TfrmMain::mnuHelpAboutClick);
  about->setStatusTip(QText(shellmsg::HintHelpAbout));

  mnuTreePopup = new QMenu(this);
  mnuTreePopup->setObjectName(QStringLiteral("mnuTreePopup"));
  auto popupItem = [this](C command, std::string_view text, void (TfrmMain::*handler)()) {
    mnuTreePopup->addAction(AddCommand(command, mnuTreePopup, text, {}, handler));
  };
  popupItem(C::Process, shellmsg::PopupProcess, &TfrmMain::btnProcessClick);
  mnuTreePopup->addSeparator();
  popupItem(C::ViewProjectSource, shellmsg::PopupViewProjectSource, &TfrmMain::btnViewProjFileClick);
  popupItem(C::ViewCurrentSource, shellmsg::PopupViewCurrentSource, &TfrmMain::btnViewSourceClick);
  popupItem(C::FormStructure, shellmsg::PopupFormStructure, &TfrmMain::btnBuildFormTreeClick);
  popupItem(C::Commentor, shellmsg::PopupCommentor, &TfrmMain::btnShowCommentorClick);
  popupItem(C::Charts, shellmsg::PopupCharts, &TfrmMain::btnChartsClick);
  mnuTreePopup->addSeparator();
  popupItem(C::ToggleSelection, shellmsg::PopupToggleSelection, &TfrmMain::treeProjectDblClick);
  popupItem(C::SelectAll, shellmsg::PopupSelectAll, &TfrmMain::btnSelectAllClick);
  popupItem(C::DeselectAll, shellmsg::PopupDeselectAll, &TfrmMain::btnDeselectAllClick);
  mnuTreePopup->addSeparator();
  popupItem(C::Options, shellmsg::PopupOptions, &TfrmMain::btnConfigClick);
}

void TfrmMain::CreateToolBar() {
  ToolBar = new QToolBar(QText(shellmsg::ToolbarCaption), this);
  ToolBar->setObjectName(QStringLiteral("ToolBar"));
  ToolBar->setMovable(true);
  ToolBar->setFloatable(true);
  ToolBar->setIconSize(QSize(20, 20));
  ToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const std::array<C, 12> order = {C::OpenProject,     C::CloseProject, C::Options,   C::Process,
                                   C::ViewProjectSource, C::ViewCurrentSource, C::FormStructure, C::Commentor,
                                   C::Charts,          C::SelectAll,    C::DeselectAll, C::HelpContents};
  for (std::size_t i = 0; i < order.size(); ++i) {
    // Groups as the commands belong together: project, processing, views, selection, help.
    if (i == 2 || i == 4 || i == 9 || i == 11) ToolBar->addSeparator();
    ToolBar->addAction(ToolbarAction(order[i]));
  }
  addToolBar(Qt::TopToolBarArea, ToolBar);
}

void TfrmMain::CreateOpenDialog() {
  dlgOpenDialog = new QFileDialog(this, QText(shellmsg::OpenDialogTitle));
  dlgOpenDialog->setObjectName(QStringLiteral("dlgOpenDialog"));
  // The toolkit's own dialog, whose name filters can be told to ignore letter case: projects
  // written on Windows name their files in any case.
  dlgOpenDialog->setOption(QFileDialog::DontUseNativeDialog);
  dlgOpenDialog->setFileMode(QFileDialog::ExistingFile);
  dlgOpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
  QStringList filters;
  for (const TFileFilter& filter : ParseFileFilter(shellmsg::OpenDialogFilter)) {
    QStringList patterns;
    for (const std::string& pattern : filter.Patterns) patterns << QString::fromStdString(pattern);
    filters << QStringLiteral("%1 (%2)").arg(QText(filter.Description), patterns.join(QLatin1Char(' ')));
  }
  dlgOpenDialog->setNameFilters(filters);
  dlgOpenDialog->setFilter(dlgOpenDialog->filter() & ~QDir::CaseSensitive);
  dlgOpenDialog->resize(kOpenDialogWidth, kOpenDialogHeight);
}

void TfrmMain::AddShortcut(QAction* action, std::string_view keys) {
  action->setShortcut(QKeySequence(QText(keys)));
  // Held by the frame as well, so the key works while its menu is hidden or the toolbar away.
  addAction(action);
}

void TfrmMain::CreateEncodingMenu() {
  mnuViewEncoding = mnuView->addMenu(QText(shellmsg::MenuViewEncoding));
  mnuViewEncoding->setObjectName(QStringLiteral("mnuViewEncoding"));
  mnuViewEncoding->menuAction()->setStatusTip(QText(shellmsg::HintViewEncoding));
  auto* group = new QActionGroup(mnuViewEncoding);
  group->setExclusive(true);
  for (const TCodePageInfo& info : CodePages()) {
    QAction* action = mnuViewEncoding->addAction(QText(info.Caption));
    action->setCheckable(true);
    action->setChecked(info.Page == DisplayEncoding().CodePage);
    action->setEnabled(CanDecode(info.Page));
    action->setStatusTip(QText(shellmsg::HintViewEncoding));
    action->setData(static_cast<int>(info.Page));
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, page = info.Page] { SetEncoding(page); });
    if (info.Page == TCodePage::Auto) mnuViewEncoding->addSeparator();
  }
}

void TfrmMain::SetEncoding(TCodePage page) {
  TEncodingSettings settings = DisplayEncoding();
  settings.CodePage = page;
  SetDisplayEncoding(settings);
  for (QAction* action : mnuViewEncoding->actions()) {
    if (action->isCheckable()) action->setChecked(action->data().toInt() == static_cast<int>(page));
  }
  std::string err;
  if (!SaveEncodingSettings(settings, kSettingsFileName, &err)) Prompts().Show(TMsgKind::Error, err);
}

TPaneSearch* TfrmMain::ActiveViewerSearch() const {
  QMdiSubWindow* sub = mdiClient->activeSubWindow();
  return sub ? ViewerSearch(sub->widget()) : nullptr;
}

void TfrmMain::FindInViewer() {
  if (TPaneSearch* search = ActiveViewerSearch()) search->FindKey();
}

void TfrmMain::FindNextInViewer() {
  if (TPaneSearch* search = ActiveViewerSearch()) search->FindAgain(true);
}

void TfrmMain::FindPreviousInViewer() {
  if (TPaneSearch* search = ActiveViewerSearch()) search->FindAgain(false);
}

const QList<QAction*>& TfrmMain::CommandActions(TShellCommand command) const {
  return FActions[static_cast<std::size_t>(command)];
}

QAction* TfrmMain::ToolbarAction(TShellCommand command) const {
  return FToolbarActions[static_cast<std::size_t>(command)];
}

void TfrmMain::ApplyCommandStates() {
  for (std::size_t i = 0; i < kShellCommandCount; ++i) {
    const bool enabled = FStates.Enabled(static_cast<C>(i));
    for (QAction* action : FActions[i]) action->setEnabled(enabled);
  }
  pnlOutline->setVisible(FStates.OutlineVisible());
  if (FProjectMenuAction) FProjectMenuAction->setVisible(FStates.ProjectMenuVisible());
}

void TfrmMain::EnableProjectCommands() {
  FStates.EnterProject();
  ApplyCommandStates();
}

void TfrmMain::DisableProjectCommands() {
  FStates.EnterNoProject();
  ApplyCommandStates();
}

// Opening and closing a project

void TfrmMain::OpenProjectDialog() {
  if (!ProjectPath().empty()) dlgOpenDialog->setDirectory(QFileInfo(PathText(ProjectPath())).absolutePath());
  if (ExecModal(*dlgOpenDialog) != QDialog::Accepted) return;
  const QStringList chosen = dlgOpenDialog->selectedFiles();
  if (chosen.isEmpty()) return;
  OpenProject(QFile::encodeName(chosen.front()).toStdString());
}

// A recent project that no longer exists is reported and leaves the list; the open one stays.
void TfrmMain::LastFilesClick(const std::string& path) {
  if (FSession.ForgetMissingRecentProject(path, Prompts())) return;
  OpenProject(path);
}

bool TfrmMain::OpenProject(const std::string& path) {
  // The old project's windows close first; a commentor whose edits the user keeps stops the open.
  if (!CloseProjectWindows()) return false;
  if (FSession.IsOpen()) CloseProject();
  TProjectSession::TProgress progress;
  progress.Begin = [this](int max) {
    guageMain->setRange(0, std::max(0, max));
    guageMain->setValue(0);
    guageMain->show();
  };
  progress.Step = [this](int done) { guageMain->setValue(std::min(done, guageMain->maximum())); };
  progress.End = [this] { guageMain->hide(); };
  if (!FSession.OpenProject(path, Prompts(), progress)) {
    CloseProject();
    return false;
  }
  EnableProjectCommands();
  BuildProjectTree(ProjectFileName());
  return true;
}

void TfrmMain::CloseProject() {
  FSession.CloseProject();
  treeProject->clear();
  treeProject->setEnabled(false);
  DisableProjectCommands();
  // The last run's result belongs to the project closed.
  SetStatusText(QString());
}

// Closes every window of the open project (viewers, charts, form trees, commentors); a commentor
// asks about unsaved edits, and one the user keeps open makes this false.
bool TfrmMain::CloseProjectWindows() {
  mdiClient->closeAllSubWindows();
  for (QMdiSubWindow* sub : mdiClient->subWindowList()) {
    if (sub->isVisible()) return false;
  }
  return true;
}

void TfrmMain::BuildProjectTree(const std::string& rootCaption) {
  if (!Project()) return;
  FSession.Tree.Build(*Project(), rootCaption);
  treeProject->setUpdatesEnabled(false);
  {
    const QSignalBlocker blocker(treeProject);
    treeProject->clear();
    QTreeWidgetItem* root = nullptr;
    const std::vector<TProjectNode>& nodes = FSession.Tree.Nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      auto* item = root ? new QTreeWidgetItem(root) : new QTreeWidgetItem(treeProject);
      if (!root) root = item;
      item->setText(0, QText(nodes[i].Caption));
      item->setData(0, kNodeRole, static_cast<qulonglong>(i));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
  }
  ShowNodeStates();
  treeProject->setUpdatesEnabled(true);
  treeProject->setEnabled(true);
  treeProject->expandAll();
}

void TfrmMain::ShowNodeStates() {
  const std::vector<TProjectNode>& nodes = FSession.Tree.Nodes();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (QTreeWidgetItem* item = TreeItem(i)) {
      item->setIcon(0, NodeIcon(nodes[i]));
      item->setData(0, kStateRole, nodes[i].StateIndex);
      item->setToolTip(0, PathText(nodes[i].ToolTip));
      // A restyled item is shown bold.
      QFont font = treeProject->font();
      font.setBold(nodes[i].Processed);
      item->setFont(0, font);
    }
  }
}

QTreeWidgetItem* TfrmMain::TreeItem(std::size_t node) const {
  QTreeWidgetItem* root = treeProject->topLevelItem(0);
  if (!root) return nullptr;
  if (node == 0) return root;
  return node - 1 < static_cast<std::size_t>(root->childCount()) ? root->child(static_cast<int>(node - 1)) : nullptr;
}

std::optional<std::size_t> TfrmMain::SelectedNode() const {
  QTreeWidgetItem* current = treeProject->currentItem();
  if (!current) return std::nullopt;
  return static_cast<std::size_t>(current->data(0, kNodeRole).toULongLong());
}

RFile* TfrmMain::SelectedItem() const { return FSession.Tree.ItemAt(SelectedNode()); }

void TfrmMain::treeProjectChanging(QTreeWidgetItem* current) {
  std::optional<std::size_t> node;
  if (current) node = static_cast<std::size_t>(current->data(0, kNodeRole).toULongLong());
  FStates.SelectionChanged(FSession.Tree.Node(node));
  ApplyCommandStates();
}

void TfrmMain::treeProjectDblClick() {
  if (FSession.Tree.Toggle(SelectedNode())) ShowNodeStates();
}

void TfrmMain::btnSelectAllClick() {
  treeProject->setUpdatesEnabled(false);
  FSession.Tree.SetAll(true);
  ShowNodeStates();
  treeProject->setUpdatesEnabled(true);
}

void TfrmMain::btnDeselectAllClick() {
  treeProject->setUpdatesEnabled(false);
  FSession.Tree.SetAll(false);
  ShowNodeStates();
  treeProject->setUpdatesEnabled(true);
}

void TfrmMain::btnCloseClick() {
  if (CloseProjectWindows()) CloseProject();
}

TCloseSteps TfrmMain::CloseSteps() {
  TCloseSteps steps;
  steps.SaveRecentFiles = [this] { SaveRecentFiles(); };
  // A child window with unsaved work (a commentor) may keep the program open.
  steps.CloseChildWindows = [this] { return CloseProjectWindows(); };
  steps.CloseProject = [this] { CloseProject(); };
  steps.SavePlacement = [this] {
    if (FShown) SavePlacement();
  };
  return steps;
}

// Exit saves the recent-files list, then ends the program, even when a commentor's unsaved edits
// then keep it open.
void TfrmMain::ExitApplication() {
  BeginExit(CloseSteps());
  FExiting = true;
  close();
  FExiting = false;
}

void TfrmMain::SaveRecentFiles() {
  std::string err;
  if (!LastFiles->SaveToINI(kSettingsFileName, &err)) Prompts().Show(TMsgKind::Error, err);
}

// Processing

void TfrmMain::btnProcessClick() {
  if (!Project() || FRunning) return;
  TNullProgress noWindow;
  TEngineServices services{FSettings, Prompts(), FWindows.Processing ? *FWindows.Processing : noWindow,
                           FWindows.Copying ? *FWindows.Copying : noWindow, FWindows.Preview, &FTemplates,
                           FWindows.Spelling};
  TProcessingHooks hooks;
  hooks.Begin = [this] {
    FRunning = true;
    FSavedCursor = cursor();
    setCursor(Qt::WaitCursor);
    setEnabled(false);
  };
  hooks.Enable = [this] {
    setEnabled(true);
    QCoreApplication::processEvents();
  };
  hooks.Finished = [this](const std::string& status, const TRunReport&) {
    SetStatusText(PathText(status));
    FSession.Tree.Refresh();
    ShowNodeStates();
  };
  hooks.End = [this] {
    FRunning = false;
    setEnabled(true);
    setCursor(FSavedCursor);
    update();
  };
  RunProcessCommand(Project(), services, hooks);
}

// Viewers

QMdiSubWindow* TfrmMain::AddViewer(QWidget* viewer) {
  QMdiSubWindow* sub = mdiClient->addSubWindow(viewer);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  const QSize area = mdiClient->viewport()->size();
  const TViewerRect place = ViewerPlacement(area.width(), area.height(),
                                            static_cast<int>(mdiClient->subWindowList().size()) - 1);
  sub->setGeometry(place.Left, place.Top, place.Width, place.Height);
  viewer->show();
  sub->show();
  mdiClient->setActiveSubWindow(sub);
  return sub;
}

QMdiSubWindow* TfrmMain::ViewSourceItem(RFile* item) {
  if (!item) return nullptr;
  QWidget* viewer = nullptr;
  if (ViewerForItem(*item) == TItemViewer::BeforeAfter) {
    auto* dual = new TfrmViewDualMDI(item->Path, item->OutputPath);
    dual->RememberEncodingFor(ProjectPath());
    viewer = dual;
  } else {
    auto* single = new TfrmViewSingleMDI(FileCaption(item->Path), item->Path);
    single->RememberEncodingFor(ProjectPath());
    viewer = single;
  }
  return AddViewer(viewer);
}

void TfrmMain::btnViewProjFileClick() {
  if (!Project()) return;
  auto* viewer = new TfrmViewSingleMDI(ProjectFileCaption(ProjectFileName()), ProjectPath());
  viewer->RememberEncodingFor(ProjectPath());
  AddViewer(viewer);
}

void TfrmMain::btnViewSourceClick() { ViewSourceItem(SelectedItem()); }

void TfrmMain::btnBuildFormTreeClick() {
  RFile* item = SelectedItem();
  if (!item || !FWindows.OpenFormTree) return;
  Project()->LoadLines(*item);
  FWindows.OpenFormTree(*item, Project()->ProjectName);
  Project()->FreeLines(item);
}

void TfrmMain::btnShowCommentorClick() {
  RFile* item = SelectedItem();
  if (item && FWindows.OpenCommentor) FWindows.OpenCommentor(*item);
}

void TfrmMain::btnChartsClick() {
  if (FWindows.ShowChartSelector) FWindows.ShowChartSelector();
}

void TfrmMain::btnConfigClick() {
  if (FWindows.ShowOptions) FWindows.ShowOptions();
}

void TfrmMain::mnuViewOptionsClick() { btnConfigClick(); }

void TfrmMain::mnuViewToolbarClick() {
  ToolBar->setVisible(ToolBar->isHidden());
  mnuViewToolbar->setChecked(!ToolBar->isHidden());
}

void TfrmMain::mnuViewProcessBarClick() {
  pnlBottom->setVisible(pnlBottom->isHidden());
  mnuViewProcessBar->setChecked(!pnlBottom->isHidden());
}

bool TfrmMain::AcceptsDropFrom(const QObject* source) const { return source && source == treeProject; }

void TfrmMain::DropOnClientArea() { ViewSourceItem(SelectedItem()); }

// Windows

void TfrmMain::mnuWindowTileClick() {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* sub : mdiClient->subWindowList()) {
    if (sub->isVisible() && !sub->isMinimized()) windows << sub;
  }
  const QSize area = mdiClient->viewport()->size();
  const std::vector<TRect> rects =
      TileVertically(static_cast<int>(windows.size()), {0, 0, area.width(), area.height()});
  for (std::size_t i = 0; i < rects.size(); ++i) {
    QMdiSubWindow* sub = windows[static_cast<int>(i)];
    if (sub->isMaximized()) sub->showNormal();
    sub->setGeometry(rects[i].Left, rects[i].Top, rects[i].Width(), rects[i].Height());
  }
}

void TfrmMain::mnuWindowCascadeClick() { mdiClient->cascadeSubWindows(); }

void TfrmMain::RebuildWindowMenu() {
  for (QAction* action : FWindowListActions) {
    mnuWindow->removeAction(action);
    action->deleteLater();
  }
  FWindowListActions.clear();
  const QList<QMdiSubWindow*> windows = mdiClient->subWindowList();
  if (windows.isEmpty()) return;
  FWindowListActions << mnuWindow->addSeparator();
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* sub = windows[i];
    QAction* entry = mnuWindow->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(EscapeAmpersands(sub->windowTitle())));
    entry->setCheckable(true);
    entry->setChecked(sub == mdiClient->activeSubWindow());
    connect(entry, &QAction::triggered, this, [this, sub] {
      if (mdiClient->subWindowList().contains(sub)) {
        if (sub->isMinimized()) sub->showNormal();
        mdiClient->setActiveSubWindow(sub);
      }
    });
    FWindowListActions << entry;
  }
}

void TfrmMain::mnuHelpContentsClick() { frmHelp->ShowContext(kHelpContents); }

void TfrmMain::mnuHelpAboutClick() {
  TfrmAbout about(this);
  ExecModal(about);
}

// Window events

bool TfrmMain::event(QEvent* event) {
  if (FileDropEvent(event)) return true;
  if (event->type() == QEvent::StatusTip) {
    // A hint shows while the pointer is on its item; then the status line says what it said.
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    StatusBar->setText(tip.isEmpty() ? FStatusText : tip);
    return true;
  }
  return QMainWindow::event(event);
}

// A project file dragged from a file manager onto any part of the window opens, once the drop
// is over (the drag's source is still waiting for it to end).
bool TfrmMain::FileDropEvent(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  if (drop->source() || !drop->mimeData()->hasUrls() || FRunning) return false;
  std::vector<std::string> paths;
  for (const QUrl& url : drop->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  const std::string project = DroppedProject(paths);
  if (project.empty()) return false;
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop) QTimer::singleShot(0, this, [this, project] { OpenProject(project); });
  return true;
}

QRect TfrmMain::StateImageRect(QTreeWidgetItem* item) const {
  if (!item || item->data(0, kStateRole).toInt() == kNoStateImage) return {};
  QStyleOptionViewItem option;
  option.initFrom(treeProject);
  option.rect = treeProject->visualItemRect(item);
  option.features = QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
  option.decorationSize = treeProject->iconSize();
  option.decorationPosition = QStyleOptionViewItem::Left;
  option.decorationAlignment = Qt::AlignCenter;
  option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  option.icon = item->icon(0);
  option.text = item->text(0);
  option.font = item->font(0);
  const QRect decoration =
      treeProject->style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, treeProject);
  // The state image is the left half of the node's picture (see NodeIcon).
  return QRect(decoration.left(), decoration.top(), decoration.width() / 2, decoration.height());
}

bool TfrmMain::TreeEvent(QObject* watched, QEvent* event) {
  if (watched == treeProject && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
      treeProjectDblClick();
      return true;
    }
  }
  if (watched == treeProject->viewport() &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    QTreeWidgetItem* item = treeProject->itemAt(at);
    if (mouse->button() == Qt::LeftButton && StateImageRect(item).contains(at)) {
      // A click on the state image toggles that item, whichever node is selected.
      treeProject->setCurrentItem(item);
      treeProjectDblClick();
      return true;
    }
  }
  return false;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (TreeEvent(watched, event)) return true;
  if (watched == mdiClient->viewport()) {
    if (FileDropEvent(event)) return true;
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (AcceptsDropFrom(drag->source())) {
          drag->setDropAction(Qt::CopyAction);
          drag->accept();
        } else {
          drag->ignore();
        }
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!AcceptsDropFrom(drop->source())) return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        DropOnClientArea();
        return true;
      }
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::showEvent(QShowEvent* event) {
  if (!FShown) {
    FShown = true;
    FormShow();
  }
  QMainWindow::showEvent(event);
}

void TfrmMain::FormShow() {
  RestorePlacement();
  FOutlineWidth = LoadOutlineWidth();
  PlaceOutline();
  DisableProjectCommands();
  setWindowTitle(QText(shellmsg::ApplicationTitle));
}

void TfrmMain::RestorePlacement() {
  std::vector<TRect> screens;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    screens.push_back({area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
  }
  const TPlacementRestore restore = qm::RestorePlacement(LoadWindowPlacement(), screens);
  if (!restore.Restore) return;
  setGeometry(restore.Normal.Left, restore.Normal.Top, restore.Normal.Width(), restore.Normal.Height());
  if (restore.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::SavePlacement() {
  QRect normal = normalGeometry();
  if (!normal.isValid()) normal = geometry();
  if (!normal.isValid()) {
    Prompts().Show(TMsgKind::Error, std::string(msg::UnableToRetrievePlacement));
    return;
  }
  const TWindowPlacement placement = PlacementOfWindow(
      {normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()},
      isMaximized());
  std::string err;
  if (!SaveWindowPlacement(placement, kSettingsFileName, &err)) {
    Prompts().Show(TMsgKind::Error, err);
    return;
  }
  if (FOutlineWidth > 0 && !SaveOutlineWidth(FOutlineWidth, kSettingsFileName, &err)) {
    Prompts().Show(TMsgKind::Error, err);
  }
}

void TfrmMain::PlaceOutline() {
  const int total = splitMain->width();
  if (total <= 0) return;
  const int outline = OutlineWidthFor(FOutlineWidth, total);
  FPlacingOutline = true;
  splitMain->setSizes({outline, std::max(total - outline - splitMain->handleWidth(), 1)});
  FPlacingOutline = false;
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The splitter has its new width only once the layout has run.
  QMetaObject::invokeMethod(this, &TfrmMain::PlaceOutline, Qt::QueuedConnection);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (FRunning) {
    event->ignore();
    return;
  }
  if (!CloseMainWindow(CloseSteps(), FExiting)) {
    event->ignore();
    return;
  }
  frmHelp->close();
  event->accept();
}

}  // namespace qm
