// SPDX-License-Identifier: MIT
#include "viewers/viewerpanes.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "analysis/linediff.h"
#include "bigtext.h"
#include "displaytext.h"
#include "platform/paths.h"
#include "settings/fileencodings.h"
#include "shell/viewerlayout.h"
#include "viewers/bigtextreporter.h"
#include "viewers/processingnotice.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

namespace {

constexpr int kSplitterWidth = 5;
constexpr int kButtonSpacing = 2;

// A pane with its caption above it.
QWidget* CaptionedPane(QWidget* parent, QLabel*& label, std::string_view caption, TBigText*& pane,
                       const char* paneName) {
  auto* box = new QWidget(parent);
  label = new QLabel(QText(caption), box);
  label->setIndent(3);
  pane = new TBigText(box);
  pane->setObjectName(QLatin1String(paneName));
  SetUpSourcePane(*pane);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(label);
  layout->addWidget(pane, 1);
  return box;
}

}  // namespace

std::string FileCaption(std::string_view path) {
  return std::string(viewmsg::FileCaption) + DisplayPath(path);
}

std::string ProjectFileCaption(std::string_view projectFileName) {
  return std::string(viewmsg::ProjectFileCaption) + std::string(projectFileName);
}

QString CaptionText(std::string_view prefix, std::string_view path) {
  return QText(prefix) + QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

void SetUpSourcePane(TBigText& pane) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(11);
  pane.SetFont(font);
  pane.SetFillBack(true);
  pane.SetScrollBars(ssBoth);
  pane.SetMaxLines(0);
}

QToolButton* MakeViewerButton(QWidget* parent, QStyle::StandardPixmap icon, std::string_view hint) {
  auto* button = new QToolButton(parent);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setText(QText(hint));
  button->setToolTip(QText(hint));
  button->setStatusTip(QText(hint));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  return button;
}

TViewerButtonBar::TViewerButtonBar(QWidget* parent, std::initializer_list<QWidget*> controls) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(kButtonSpacing);
  for (QWidget* control : controls) {
    control->setParent(this);
    row->addWidget(control);
    FWidthWithText += control->sizeHint().width() + kButtonSpacing;
    if (auto* button = qobject_cast<QToolButton*>(control)) FButtons << button;
  }
  row->addStretch();
  FWidthWithText += 4;
  // The bar never asks for the captions' width: a tiled window may be narrower.
  setMinimumWidth(0);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void TViewerButtonBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Fit();
}

void TViewerButtonBar::Fit() {
  const bool text = width() >= FWidthWithText;
  if (text == FShowsText) return;
  FShowsText = text;
  for (QToolButton* button : FButtons) {
    button->setToolButtonStyle(text ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
  }
}

TViewerButtonBar* ArrangeViewer(QWidget* window, std::initializer_list<QWidget*> buttons, QWidget* body,
                                QWidget* status) {
  auto* bar = new TViewerButtonBar(window, buttons);
  bar->setObjectName(QStringLiteral("ButtonBar"));
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(body, 1);
  if (status) layout->addWidget(status);
  return bar;
}

TViewerStatus::TViewerStatus(QWidget* parent, std::vector<TBigText*> panes)
    : QWidget(parent), FPanes(std::move(panes)) {
  setObjectName(QStringLiteral("ViewerStatus"));
  lblMessage = new QLabel(this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setIndent(3);
  auto* caption = new QLabel(QText(viewmsg::EncodingCaption), this);
  cmbEncoding = new QComboBox(this);
  cmbEncoding->setObjectName(QStringLiteral("cmbEncoding"));
  cmbEncoding->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cmbEncoding->setToolTip(QText(viewmsg::EncodingHint));
  cmbEncoding->setStatusTip(QText(viewmsg::EncodingHint));
  caption->setBuddy(cmbEncoding);
  for (const TCodePageInfo& info : CodePages()) {
    if (info.Page != TCodePage::Auto && !CanDecode(info.Page)) continue;
    cmbEncoding->addItem(QText(info.Caption), static_cast<int>(info.Page));
  }
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(4);
  row->addWidget(lblMessage, 1);
  row->addWidget(caption);
  row->addWidget(cmbEncoding);
  connect(cmbEncoding, &QComboBox::activated, this, [this](int index) {
    if (!FFilling) ChooseCodePage(static_cast<TCodePage>(cmbEncoding->itemData(index).toInt()));
  });
  for (TBigText* pane : FPanes) connect(pane, &TBigText::CodePageChanged, this, &TViewerStatus::Refresh);
  connect(&DisplayEncodingNotifier(), &TDisplayEncodingNotifier::Changed, this, &TViewerStatus::Refresh);
  Refresh();
}

void TViewerStatus::RememberFor(const std::string& projectPath, const std::string& sourcePath) {
  FProjectPath = projectPath;
  FSourcePath = sourcePath;
  const TCodePage page = LoadFileEncoding(FProjectPath, FSourcePath);
  for (TBigText* pane : FPanes) pane->SetCodePage(page);
  Refresh();
}

void TViewerStatus::ChooseCodePage(TCodePage page) {
  for (TBigText* pane : FPanes) pane->SetCodePage(page);
  // Only a file of an open project has a place in the settings file; a failed write keeps the
  // choice for this window.
  if (!FProjectPath.empty() && !FSourcePath.empty()) SaveFileEncoding(FProjectPath, FSourcePath, page);
  Refresh();
}

QString TViewerStatus::EncodingText() const { return cmbEncoding->currentText(); }

void TViewerStatus::ShowMessage(const QString& text) { lblMessage->setText(text); }

QString TViewerStatus::Message() const { return lblMessage->text(); }

void TViewerStatus::Refresh() {
  if (FPanes.empty()) return;
  const TBigText* pane = FPanes.front();
  FFilling = true;
  const int index = cmbEncoding->findData(static_cast<int>(pane->CodePage()));
  if (index >= 0) cmbEncoding->setCurrentIndex(index);
  // Auto names what it found, as "Auto (UTF-8)".
  const int autoIndex = cmbEncoding->findData(static_cast<int>(TCodePage::Auto));
  if (autoIndex >= 0) {
    const TCodePage shown = pane->ShownCodePage();
    const bool follows = DisplayEncoding().CodePage == TCodePage::Auto;
    cmbEncoding->setItemText(autoIndex, follows ? QText(CodePageInfo(TCodePage::Auto).Caption) +
                                                      QStringLiteral(" (") + QText(CodePageInfo(shown).Caption) +
                                                      QStringLiteral(")")
                                                : QText(CodePageInfo(TCodePage::Auto).Caption) +
                                                      QStringLiteral(" (") +
                                                      QText(CodePageInfo(DisplayEncoding().CodePage).Caption) +
                                                      QStringLiteral(")"));
  }
  FFilling = false;
}

void CloseViewerWindow(QWidget* window) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
    sub->close();
  } else {
    window->close();
  }
}

void PrintPane(const TBigText& pane, const std::string& title, QWidget* parent) {
  TfrmBigTextReporter report(pane, title);
  report.Preview(parent);
}

bool LoadPane(TBigText& pane, const std::string& fileName) {
  std::string err;
  if (pane.LoadFromFile(fileName, &err)) return true;
  ViewerPrompts().Show(TMsgKind::Error, err);
  return false;
}

TPaneSearch::TPaneSearch(QWidget* window, std::function<TBigText*()> target)
    : QObject(window), FFindDialog(new TFindDialog(window)), FTarget(std::move(target)) {
  setObjectName(QStringLiteral("PaneSearch"));
  connect(FFindDialog, &TFindDialog::Find, this, &TPaneSearch::dlgFindFind);
}

void TPaneSearch::Open() { FFindDialog->Execute(); }

bool TPaneSearch::dlgFindFind() { return Find(FFindDialog->Down()); }

bool TPaneSearch::Find(bool downward) {
  TBigText* pane = FTarget();
  if (!pane) return false;
  const bool found =
      pane->Search(FFindDialog->FindText(), downward, FFindDialog->MatchCase(), FFindDialog->WholeWord());
  // An editor's way: the miss is said where the user looks, and nothing has to be dismissed.
  const QString status = found ? QString() : QText(viewmsg::NotFound);
  FFindDialog->ShowResult(status);
  if (ShowStatus) ShowStatus(status);
  return found;
}

void TPaneSearch::FindKey() {
  if (PickTarget) PickTarget();
  Open();
}

bool TPaneSearch::FindAgain(bool downward) {
  if (PickTarget) PickTarget();
  if (FFindDialog->FindText().isEmpty()) {
    Open();
    return false;
  }
  return Find(downward);
}

void AddFindKeys(QWidget* window, TPaneSearch* search) {
  auto add = [&](std::string_view keys, auto handler) {
    auto* action = new QAction(window);
    action->setShortcut(QKeySequence(QString::fromLatin1(keys.data(), static_cast<qsizetype>(keys.size()))));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, search, handler);
    window->addAction(action);
  };
  add(viewmsg::FindKey, [search] { search->FindKey(); });
  add(viewmsg::FindNextKey, [search] { search->FindAgain(true); });
  add(viewmsg::FindPreviousKey, [search] { search->FindAgain(false); });
}

TPaneSearch* ViewerSearch(QWidget* window) {
  return window ? window->findChild<TPaneSearch*>(QStringLiteral("PaneSearch")) : nullptr;
}

TProcessingNoticeScope::TProcessingNoticeScope(QWidget* owner) {
  TfrmProcessingNotice* notice = ViewerServices().ProcessingNotice;
  if (!notice) {
    auto own = std::make_unique<TfrmProcessingNotice>(owner);
    notice = own.get();
    FOwn = std::move(own);
  }
  FNotice = notice;
  notice->ShowNow();
}

TProcessingNoticeScope::~TProcessingNoticeScope() {
  if (FNotice) FNotice->hide();
}

TDualPanes::TDualPanes(QWidget* window) : QWidget(window) {
  Splitter = new QSplitter(Qt::Horizontal, this);
  Splitter->setHandleWidth(kSplitterWidth);
  Splitter->setChildrenCollapsible(false);
  Splitter->addWidget(CaptionedPane(Splitter, lblBefore, viewmsg::BeforeCaption, memoCodeBefore, "memoCodeBefore"));
  Splitter->addWidget(CaptionedPane(Splitter, lblAfter, viewmsg::AfterCaption, memoCodeAfter, "memoCodeAfter"));
  // The widths are placed by PlaceSplit, by the share the user gave the before pane.
  Splitter->setStretchFactor(0, 1);
  Splitter->setStretchFactor(1, 1);
  connect(Splitter, &QSplitter::splitterMoved, this, [this] {
    const QList<int> sizes = Splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0) return;
    FUserSplit = true;
    FBeforeShare = static_cast<double>(sizes.value(0)) / total;
  });

  ScrollBothBar = new QScrollBar(Qt::Vertical, this);
  ScrollBothBar->setObjectName(QStringLiteral("ScrollBothBar"));
  Overview = new TDiffOverview(this);
  Overview->setObjectName(QStringLiteral("Overview"));
  connect(Overview, &TDiffOverview::RowClicked, this, [this](int row) { ScrollToRow(row); });
  for (TBigText* pane : {memoCodeBefore, memoCodeAfter}) pane->SetShowLineNumbers(true);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Splitter, 1);
  layout->addWidget(Overview);
  layout->addWidget(ScrollBothBar);

  mnuBefore = new QMenu(this);
  mnuAfter = new QMenu(this);
  mnuBefore->addAction(QText(viewmsg::SearchMenuItem), this, &TDualPanes::mnuSearchBeforeClick);
  mnuAfter->addAction(QText(viewmsg::SearchMenuItem), this, &TDualPanes::mnuSearchAfterClick);
  memoCodeBefore->SetPopUpMenu(mnuBefore);
  memoCodeAfter->SetPopUpMenu(mnuAfter);

  Search = new TPaneSearch(window, [this] { return SearchBefore ? memoCodeBefore : memoCodeAfter; });
  Search->PickTarget = [this] {
    if (memoCodeBefore->hasFocus()) SearchBefore = true;
    if (memoCodeAfter->hasFocus()) SearchBefore = false;
  };

  connect(ScrollBothBar, &QScrollBar::valueChanged, this, &TDualPanes::ScrollBothBigTexts);
  connect(memoCodeBefore, &TBigText::TopLineChanged, this, [this](int top) { PaneScrolled(memoCodeBefore, top); });
  connect(memoCodeAfter, &TBigText::TopLineChanged, this, [this](int top) { PaneScrolled(memoCodeAfter, top); });
  // A pane's visible lines can change without this body changing size (its own horizontal
  // scroll bar comes and goes with the splitter): follow the panes' viewports as well.
  memoCodeBefore->viewport()->installEventFilter(this);
  memoCodeAfter->viewport()->installEventFilter(this);
}

void TDualPanes::SyncScrollBar() {
  ScrollBothBar->setMinimum(0);
  ScrollBothBar->setSingleStep(1);
  const TBigText* longer =
      memoCodeBefore->Count() > memoCodeAfter->Count() ? memoCodeBefore : memoCodeAfter;
  const int maximum = longer->Count() - longer->VisibleLines();
  ScrollBothBar->setMaximum(maximum > 0 ? maximum : 1);
  ScrollBothBar->setPageStep(std::max(longer->VisibleLines() - 1, 1));
}

void TDualPanes::ScrollBothBigTexts(int position) {
  if (FFollowing) return;
  FFollowing = true;
  memoCodeBefore->ScrollToLine(position);
  memoCodeAfter->ScrollToLine(position);
  FFollowing = false;
}

void TDualPanes::PaneScrolled(TBigText* pane, int topLine) {
  if (!FLinked || FFollowing) return;
  FFollowing = true;
  (pane == memoCodeBefore ? memoCodeAfter : memoCodeBefore)->ScrollToLine(topLine);
  ScrollBothBar->setValue(topLine);
  FFollowing = false;
}

std::string TDualPanes::ShowDiff(const TLines& before, const TLines& after) {
  TDiffResult result;
  {
    TBusyScope busy(ViewerPrompts());
    result = CompareLines(before, after, /*ignoreBlankLines=*/false);
    memoCodeBefore->Clear();
    memoCodeAfter->Clear();
    auto add = [](TBigText& pane, const TDiffCell& cell) {
      // The engine compares the lines as they are; the panes show them as loading does.
      const bool tabs = cell.Text.find('\t') != std::string::npos;
      pane.AddLine(tabs ? ExpandTabStops(cell.Text) : cell.Text, cell.Colors.TextColor, cell.Colors.BackColor, false);
    };
    for (const TDiffRow& row : result.Rows) {
      add(*memoCodeBefore, LeftCell(row, before));
      add(*memoCodeAfter, RightCell(row, after));
    }
    // The characters that differ inside each changed pair, on the lines as the panes hold them.
    int index = 0;
    for (const TDiffRow& row : result.Rows) {
      if (row.Kind == TDiffRowKind::Changed) {
        TInlineChanges changes = InlineChanges(memoCodeBefore->GetLine(index), memoCodeAfter->GetLine(index));
        memoCodeBefore->SetLineMarks(index, std::move(changes.Left));
        memoCodeAfter->SetLineMarks(index, std::move(changes.Right));
      }
      ++index;
    }
    memoCodeBefore->SetLineNumbers(LeftLineNumbers(result.Rows));
    memoCodeAfter->SetLineNumbers(RightLineNumbers(result.Rows));
    for (TBigText* pane : {memoCodeBefore, memoCodeAfter}) {
      pane->RecalcRange();
      pane->viewport()->update();
    }
  }
  Overview->SetBlocks(ChangeBlocks(result.Rows), static_cast<int>(result.Rows.size()));
  FCurrentChange = -1;
  FLinked = true;
  // The refilled panes start at their first row; the shared bar goes there with them.
  ScrollBothBar->setValue(0);
  SyncScrollBar();
  return result.Ok() ? std::string() : result.Error;
}

void TDualPanes::Unlink() {
  FLinked = false;
  FCurrentChange = -1;
  Overview->SetBlocks({}, 0);
}

void TDualPanes::ScrollToRow(int row) {
  const TBigText* longer = memoCodeBefore->Count() > memoCodeAfter->Count() ? memoCodeBefore : memoCodeAfter;
  const int top = TopLineForHit(row, longer->TopLine(), longer->VisibleLines(), longer->VertRange());
  ScrollBothBar->setValue(top);
  ScrollBothBigTexts(top);
}

bool TDualPanes::GoToChange(bool forward) {
  const int from = FCurrentChange >= 0 ? FCurrentChange : memoCodeAfter->TopLine() - 1;
  const int row = NextChangeRow(Overview->Blocks(), from, forward);
  if (row < 0) return false;
  FCurrentChange = row;
  ScrollToRow(row);
  return true;
}

void TDualPanes::AddChangeKeys(QWidget* window) {
  auto add = [&](std::string_view keys, bool forward) {
    auto* action = new QAction(window);
    action->setShortcut(QKeySequence(QString::fromLatin1(keys.data(), static_cast<qsizetype>(keys.size()))));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, forward] { GoToChange(forward); });
    window->addAction(action);
  };
  add(viewmsg::NextChangeKey, true);
  add(viewmsg::PreviousChangeKey, false);
}

TDiffOverview::TDiffOverview(QWidget* parent) : QWidget(parent) {
  setFixedWidth(12);
  setToolTip(QText(viewmsg::OverviewHint));
}

void TDiffOverview::SetBlocks(std::vector<TChangeBlock> blocks, int rowCount) {
  FBlocks = std::move(blocks);
  FRowCount = rowCount;
  update();
}

int TDiffOverview::RowAt(int y) const {
  if (FRowCount <= 0 || height() <= 0) return 0;
  return std::clamp(static_cast<int>(static_cast<long long>(y) * FRowCount / height()), 0, FRowCount - 1);
}

void TDiffOverview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  if (FRowCount <= 0) return;
  const QColor mark = ToQColor(RGBToColor(255, 165, 0));
  for (const TChangeBlock& block : FBlocks) {
    const int top = static_cast<int>(static_cast<long long>(block.FirstRow) * height() / FRowCount);
    const int bottom =
        static_cast<int>(static_cast<long long>(block.FirstRow + block.RowCount) * height() / FRowCount);
    painter.fillRect(QRect(2, top, width() - 4, std::max(bottom - top, 2)), mark);
  }
}

void TDiffOverview::mousePressEvent(QMouseEvent* event) {
  if (FRowCount > 0) emit RowClicked(RowAt(event->position().toPoint().y()));
}

void TDualPanes::mnuSearchBeforeClick() {
  SearchBefore = true;
  Search->Open();
}

void TDualPanes::mnuSearchAfterClick() {
  SearchBefore = false;
  Search->Open();
}

void TDualPanes::PrintChosenPane(const std::string& title) {
  switch (AskLeftOrRight(window())) {
    case TPrintSide::Left: PrintPane(*memoCodeBefore, title, window()); break;
    case TPrintSide::Right: PrintPane(*memoCodeAfter, title, window()); break;
    case TPrintSide::Cancel: break;
  }
}

void TDualPanes::PlaceSplit() {
  const int width = Splitter->width() - Splitter->handleWidth();
  if (width <= 0) return;
  const int before = static_cast<int>(width * FBeforeShare + 0.5);
  Splitter->setSizes({before, width - before});
}

void TDualPanes::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  PlaceSplit();
  ScrollBothBar->setValue(0);
  SyncScrollBar();
}

void TDualPanes::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The layout has sized the splitter already: share its new width as before.
  PlaceSplit();
  SyncScrollBar();
}

bool TDualPanes::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize &&
      (watched == memoCodeBefore->viewport() || watched == memoCodeAfter->viewport())) {
    // The pane recomputes its visible lines while handling this event: synchronise after it.
    QMetaObject::invokeMethod(this, &TDualPanes::SyncScrollBar, Qt::QueuedConnection);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qm
