#include "viewers/viewerpanes.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

#include "bigtext.h"
#include "cp1252.h"
#include "viewers/bigtextreporter.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

namespace {

constexpr int kSplitterWidth = 5;

}  // namespace

std::string FileCaption(std::string_view path) {
  return std::string(viewmsg::FileCaption) + std::string(path);
}

std::string ProjectFileCaption(std::string_view projectFileName) {
  return std::string(viewmsg::ProjectFileCaption) + std::string(projectFileName);
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

void ArrangeViewer(QWidget* window, std::initializer_list<QWidget*> buttons, QWidget* body) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(2, 2, 2, 2);
  for (QWidget* button : buttons) row->addWidget(button);
  row->addStretch();
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(row);
  layout->addWidget(body, 1);
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
  connect(FFindDialog, &TFindDialog::Find, this, &TPaneSearch::dlgFindFind);
}

void TPaneSearch::Open() { FFindDialog->Execute(); }

bool TPaneSearch::dlgFindFind() {
  TBigText* pane = FTarget();
  if (!pane) return false;
  // The whole-word option is not used: any line holding the text matches.
  const bool found = pane->Search(ToCp1252(FFindDialog->FindText()), FFindDialog->Down(),
                                  FFindDialog->MatchCase());
  if (!found) ViewerPrompts().Show(TMsgKind::Information, std::string(viewmsg::NotFound));
  return found;
}

TDualPanes::TDualPanes(QWidget* window) : QWidget(window) {
  Splitter = new QSplitter(Qt::Horizontal, this);
  Splitter->setHandleWidth(kSplitterWidth);
  Splitter->setChildrenCollapsible(false);
  memoCodeBefore = new TBigText(Splitter);
  memoCodeAfter = new TBigText(Splitter);
  memoCodeBefore->setObjectName(QStringLiteral("memoCodeBefore"));
  memoCodeAfter->setObjectName(QStringLiteral("memoCodeAfter"));
  SetUpSourcePane(*memoCodeBefore);
  SetUpSourcePane(*memoCodeAfter);
  Splitter->addWidget(memoCodeBefore);
  Splitter->addWidget(memoCodeAfter);
  // The splitter sets the before pane's width; the after pane takes the rest.
  Splitter->setStretchFactor(0, 0);
  Splitter->setStretchFactor(1, 1);

  ScrollBothBar = new QScrollBar(Qt::Vertical, this);
  ScrollBothBar->setObjectName(QStringLiteral("ScrollBothBar"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Splitter, 1);
  layout->addWidget(ScrollBothBar);

  mnuBefore = new QMenu(this);
  mnuAfter = new QMenu(this);
  mnuBefore->addAction(QText(viewmsg::SearchMenuItem), this, &TDualPanes::mnuSearchBeforeClick);
  mnuAfter->addAction(QText(viewmsg::SearchMenuItem), this, &TDualPanes::mnuSearchAfterClick);
  memoCodeBefore->SetPopUpMenu(mnuBefore);
  memoCodeAfter->SetPopUpMenu(mnuAfter);

  Search = new TPaneSearch(window, [this] { return SearchBefore ? memoCodeBefore : memoCodeAfter; });

  connect(ScrollBothBar, &QScrollBar::valueChanged, this, &TDualPanes::ScrollBothBigTexts);
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
  memoCodeBefore->ScrollToLine(position);
  memoCodeAfter->ScrollToLine(position);
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

void TDualPanes::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  if (!FSplitPlaced) {
    // The panes start equally wide; from then on the before pane keeps the width the user gives it.
    FSplitPlaced = true;
    const int width = Splitter->width() - Splitter->handleWidth();
    Splitter->setSizes({width / 2, width - width / 2});
  }
  ScrollBothBar->setValue(0);
  SyncScrollBar();
}

void TDualPanes::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
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
