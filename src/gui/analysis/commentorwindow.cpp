// SPDX-License-Identifier: MIT
#include "analysis/commentorwindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include "bigtext.h"
#include "displaytext.h"
#include "engine/linefuncs.h"
#include "messages.h"
#include "project/sourcemgt.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

// Texts of the window's own controls.
constexpr std::string_view kPriorRoutine = "Prior Routine";
constexpr std::string_view kNextRoutine = "Next Routine";
constexpr std::string_view kSaveChanges = "Save changes";
constexpr std::string_view kInsertTemplate = "Insert Template";
constexpr std::string_view kInsertTemplateHint =
    "Fill the comment box from the Sub or Function header template (for a routine without a header)";
constexpr std::string_view kRoutineListHint = "Go to a routine; routines without a header block are marked";
constexpr std::string_view kNoHeaderMark = "  [no header]";
constexpr std::string_view kModuleName = "Module Name:";
constexpr std::string_view kRoutine = "Routine:";
constexpr std::string_view kAuthor = "Author:";
constexpr std::string_view kParameters = "Parameters:";
constexpr std::string_view kReturns = "Returns:";

constexpr TColor kOtherLines = clGray;
constexpr TColor kRoutineLines = clNavy;
constexpr int kTabColumns = 8;

QFont CourierFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

QLineEdit* ReadOnlyBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setReadOnly(true);
  return box;
}

}  // namespace

TfrmCommentor::TfrmCommentor(const TSettings& settings, IPrompts& prompts, const TCommentTemplates* templates,
                             QWidget* parent)
    : QWidget(parent), FSession(settings, prompts, templates) {
  setObjectName(QStringLiteral("frmCommentor"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QText(msg::CommentorCaption));

  btnPrior = MakeViewerButton(this, QStyle::SP_ArrowBack, kPriorRoutine);
  btnNext = MakeViewerButton(this, QStyle::SP_ArrowForward, kNextRoutine);
  btnSave = MakeViewerButton(this, QStyle::SP_DialogSaveButton, kSaveChanges);
  btnInsertTemplate = MakeViewerButton(this, QStyle::SP_FileDialogDetailedView, kInsertTemplate);
  btnInsertTemplate->setToolTip(QText(kInsertTemplateHint));
  btnInsertTemplate->setStatusTip(QText(kInsertTemplateHint));
  cboRoutines = new QComboBox(this);
  cboRoutines->setObjectName(QStringLiteral("cboRoutines"));
  cboRoutines->setToolTip(QText(kRoutineListHint));
  cboRoutines->setStatusTip(QText(kRoutineListHint));
  cboRoutines->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboRoutines->setMinimumContentsLength(24);

  pnlInfo = new QWidget(this);
  pnlInfo->setObjectName(QStringLiteral("pnlInfo"));
  lblModule = new QLabel(pnlInfo);
  lblModule->setObjectName(QStringLiteral("lblModule"));
  lblModule->setTextFormat(Qt::PlainText);
  lblRoutine = new QLabel(pnlInfo);
  lblRoutine->setObjectName(QStringLiteral("lblRoutine"));
  lblRoutine->setTextFormat(Qt::PlainText);
  QFont bold = lblRoutine->font();
  bold.setBold(true);
  lblRoutine->setFont(bold);
  edtAuthor = ReadOnlyBox(pnlInfo, "edtAuthor");
  edtParams = ReadOnlyBox(pnlInfo, "edtParams");
  edtReturns = ReadOnlyBox(pnlInfo, "edtReturns");
  auto* info = new QFormLayout(pnlInfo);
  info->setContentsMargins(6, 4, 6, 4);
  info->setVerticalSpacing(3);
  info->addRow(QText(kModuleName), lblModule);
  info->addRow(QText(kRoutine), lblRoutine);
  info->addRow(QText(kAuthor), edtAuthor);
  info->addRow(QText(kParameters), edtParams);
  info->addRow(QText(kReturns), edtReturns);

  memoComments = new QPlainTextEdit(this);
  memoComments->setObjectName(QStringLiteral("memoComments"));
  const QFont courier = CourierFont();
  memoComments->setFont(courier);
  memoComments->setLineWrapMode(QPlainTextEdit::NoWrap);
  memoComments->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoComments->setTabStopDistance(QFontMetricsF(courier).horizontalAdvance(QLatin1Char(' ')) * kTabColumns);

  memoSource = new TBigText(this);
  memoSource->setObjectName(QStringLiteral("memoSource"));
  SetUpSourcePane(*memoSource);
  memoSource->SetForeColor(kOtherLines);
  memoSource->SetBackColor(clWindow);

  splitComments = new QSplitter(Qt::Vertical, this);
  splitComments->setObjectName(QStringLiteral("splitComments"));
  splitComments->setChildrenCollapsible(false);
  splitComments->setHandleWidth(5);
  splitComments->addWidget(memoComments);
  splitComments->addWidget(memoSource);
  splitComments->setStretchFactor(0, 1);
  splitComments->setStretchFactor(1, 1);

  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(pnlInfo);
  column->addWidget(splitComments, 1);
  ArrangeViewer(this, {btnPrior, btnNext, btnSave, btnInsertTemplate, cboRoutines}, body);

  connect(btnPrior, &QToolButton::clicked, this, &TfrmCommentor::btnPriorClick);
  connect(btnNext, &QToolButton::clicked, this, &TfrmCommentor::btnNextClick);
  connect(btnSave, &QToolButton::clicked, this, &TfrmCommentor::btnSaveClick);
  connect(btnInsertTemplate, &QToolButton::clicked, this, &TfrmCommentor::btnInsertTemplateClick);
  // Before a template is inserted, the Author box takes the author it is to name.
  connect(edtAuthor, &QLineEdit::textEdited, this,
          [this](const QString& text) { FSession.SetTypedAuthor(EncodeText(text, FPage)); });
  connect(cboRoutines, &QComboBox::activated, this, &TfrmCommentor::cboRoutinesSelect);
  connect(memoComments, &QPlainTextEdit::textChanged, this, &TfrmCommentor::memoCommentsChange);
  // Another code page chosen in View > Encoding: the module and the box are shown anew in it.
  connect(&DisplayEncodingNotifier(), &TDisplayEncodingNotifier::Changed, this, [this] {
    ResolvePage();
    FShownRevision = -1;
    FFilling = true;
    memoComments->clear();
    FFilling = false;
    ShowRoutine();
  });

  ShowRoutine();
}

bool TfrmCommentor::OpenModule(const RFile& item, const std::string& projectDir) {
  const bool read = FSession.OpenModule(item, projectDir);
  lblModule->setText(QFile::decodeName(QByteArray::fromStdString(item.Name)));
  ResolvePage();
  setWindowTitle(QFile::decodeName(QByteArray::fromStdString(FSession.Caption())));
  ShowRoutine();
  return read;
}

// The module's code page, resolved once over all its lines: what is typed into the box is written
// back in the code page the module is read in (a UTF-8 module stays UTF-8).
void TfrmCommentor::ResolvePage() { FPage = ResolveCodePage(DisplayEncoding(), FSession.ModuleLines()); }

QString TfrmCommentor::Shown(std::string_view bytes) const { return DecodeBytes(bytes, FPage); }

void TfrmCommentor::btnPriorClick() {
  FSession.Prior();
  ShowRoutine();
}

void TfrmCommentor::btnNextClick() {
  FSession.Next();
  ShowRoutine();
}

void TfrmCommentor::btnSaveClick() {
  FSession.Save();
  ShowRoutine();
}

void TfrmCommentor::btnInsertTemplateClick() {
  FSession.InsertTemplate();
  ShowRoutine();
  memoComments->setFocus();
}

void TfrmCommentor::cboRoutinesSelect(int index) {
  if (index >= 0) FSession.GoToRoutine(cboRoutines->itemData(index).toInt());
  ShowRoutine();
}

void TfrmCommentor::closeEvent(QCloseEvent* event) {
  if (FSession.AskSaveChanges()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// A block's line is one paragraph of the box; a line break typed inside one (Shift+Enter) starts
// another line too.
TLines TfrmCommentor::CommentBoxLines() const {
  TLines lines;
  const QTextDocument* document = memoComments->document();
  if (document->isEmpty()) return lines;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    for (const QString& line : block.text().split(QChar::LineSeparator)) lines.push_back(EncodeText(line, FPage));
  }
  return lines;
}

void TfrmCommentor::memoCommentsChange() {
  if (FFilling) return;
  FSession.EditComments(CommentBoxLines());
  btnInsertTemplate->setEnabled(FSession.CanInsertTemplate());
  edtAuthor->setReadOnly(!FSession.CanInsertTemplate());
}

void TfrmCommentor::ReloadSource() {
  memoSource->Clear();
  for (const std::string& line : FSession.ModuleLines()) {
    memoSource->AddLine(ExpandTabStops(line), kOtherLines, clWindow, false);
  }
  FShownRevision = FSession.Revision();
  FillRoutineList();
}

void TfrmCommentor::FillRoutineList() {
  cboRoutines->clear();
  for (const TRoutineEntry& routine : FSession.Routines()) {
    std::string text(TrimLeftControls(routine.Text));
    if (!routine.HasHeader) text += kNoHeaderMark;
    cboRoutines->addItem(Shown(text), routine.Line);
  }
}

// Paints what the session shows: the routine's line and fields, its block in the box, and the
// module with the routine in navy, scrolled to the routine's first line.
void TfrmCommentor::ShowRoutine() {
  if (FShownRevision != FSession.Revision()) ReloadSource();
  const bool shown = FSession.HasRoutine();

  lblRoutine->setText(Shown(FSession.RoutineText()));
  edtAuthor->setText(Shown(FSession.Fields().Author));
  edtParams->setText(Shown(FSession.Fields().Params));
  edtReturns->setText(Shown(FSession.Fields().Returns));
  for (QLineEdit* box : {edtAuthor, edtParams, edtReturns}) box->setCursorPosition(0);

  // The box is filled anew only when the session's lines are not what it holds already, so that
  // typing is never undone by a repaint.
  if (CommentBoxLines() != FSession.CommentLines()) {
    FFilling = true;
    QStringList lines;
    for (const std::string& line : FSession.CommentLines()) lines << Shown(line);
    memoComments->setPlainText(lines.join(QLatin1Char('\n')));
    FFilling = false;
  }
  memoComments->setReadOnly(!shown);

  const int count = memoSource->Count();
  for (int i = 0; i < count; ++i) memoSource->SetLineColors(i, kOtherLines, clWindow);
  if (shown) {
    for (int i = FSession.CurrentLine(); i <= FSession.RoutineEnd() && i < count; ++i) {
      memoSource->SetLineColors(i, kRoutineLines, clWindow);
    }
  }
  memoSource->RecalcRange();
  memoSource->viewport()->update();
  if (shown) memoSource->ScrollToLine(FSession.CurrentLine());

  cboRoutines->setCurrentIndex(cboRoutines->findData(FSession.CurrentLine()));
  btnSave->setEnabled(shown);
  btnInsertTemplate->setEnabled(FSession.CanInsertTemplate());
  edtAuthor->setReadOnly(!FSession.CanInsertTemplate());
}

}  // namespace qm
