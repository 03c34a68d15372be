// SPDX-License-Identifier: MIT
#include "viewers/bigtextreporter.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

#include "bigtext.h"
#include "displaytext.h"
#include "shell/listing.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"
#include "viewers/viewertexts.h"

namespace qm {

namespace {

QFont HeaderFont() {
  QFont font(QStringLiteral("Arial"), 9);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont TitleFont() {
  QFont font(QStringLiteral("Arial"), 16);
  font.setStyleHint(QFont::SansSerif);
  font.setItalic(true);
  return font;
}

QFont DetailFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

const QColor kTitleColor(0, 0, 128);  // navy

// The mark before a continuation row, and the columns it takes.
const QString kContinuationMark = QStringLiteral("\u00BB ");

}  // namespace

QStringList TfrmBigTextReporter::PrintedRows(int columns) const {
  QStringList rows;
  for (const std::string& line : FLines) {
    const QString text = DecodeBytes(line.find('\t') == std::string::npos ? line : ExpandTabStops(line), FCodePage);
    const std::u16string_view chars(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    for (const TListingRow& row : WrapListingLine(chars, columns, static_cast<int>(kContinuationMark.size()))) {
      const QString part = text.mid(static_cast<qsizetype>(row.Start), static_cast<qsizetype>(row.Length));
      rows << (row.Continued ? kContinuationMark + part : part);
    }
  }
  return rows;
}

std::vector<TReportPage> PaginateReport(int lineCount, int pageHeight, int headerHeight,
                                        int titleHeight, int rowHeight) {
  std::vector<TReportPage> pages;
  rowHeight = std::max(rowHeight, 1);
  int next = 0;
  do {
    TReportPage page;
    page.FirstLine = next;
    page.HasTitle = pages.empty();
    const int room = pageHeight - headerHeight - (page.HasTitle ? titleHeight : 0);
    const int fits = std::max(room / rowHeight, 1);
    page.LineCount = std::min(fits, lineCount - next);
    next += page.LineCount;
    pages.push_back(page);
  } while (next < lineCount);
  return pages;
}

TfrmBigTextReporter::TfrmBigTextReporter(const TBigText& pane, std::string title)
    : FTitle(std::move(title)), FPrintedAt(QDateTime::currentDateTime()), FCodePage(pane.ShownCodePage()) {
  FLines.reserve(static_cast<std::size_t>(pane.Count()));
  for (int i = 0; i < pane.Count(); ++i) FLines.push_back(pane.GetLine(i));
}

TfrmBigTextReporter::TfrmBigTextReporter(TLines lines, std::string title, QDateTime printedAt)
    : FLines(std::move(lines)), FTitle(std::move(title)), FPrintedAt(std::move(printedAt)) {}

QString TfrmBigTextReporter::PrintedAtText() const {
  return QLocale::system().toString(FPrintedAt, QLocale::ShortFormat);
}

void TfrmBigTextReporter::PaintHeader(QPainter& painter, const QRect& page, int pageNumber) const {
  painter.setFont(HeaderFont());
  painter.setPen(Qt::black);
  const QFontMetrics fm(painter.font(), painter.device());
  const int row = fm.lineSpacing();
  const QString pageText = QText(viewmsg::ReportPage) + QString::number(pageNumber);
  const int pageWidth = fm.horizontalAdvance(pageText) + fm.averageCharWidth();
  // The file name may be long: it gives way to the page number at the right.
  const QRect nameRect(page.left(), page.top(), page.width() - pageWidth, row);
  painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fm.elidedText(CaptionText(viewmsg::ReportFilename, ListingFile(FTitle)),
                                 Qt::ElideMiddle, nameRect.width()));
  painter.drawText(QRect(page.left(), page.top(), page.width(), row),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, pageText);
  painter.drawText(QRect(page.left(), page.top() + row, page.width(), row),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QText(viewmsg::ReportPrintedAt) + PrintedAtText());
  const int ruleY = page.top() + 2 * row + row / 4;
  // A rule about a hundredth of an inch thick, whatever the printer's resolution.
  painter.setPen(QPen(Qt::black, std::max(1, painter.device()->logicalDpiY() / 100)));
  painter.drawLine(page.left(), ruleY, page.right(), ruleY);
}

int TfrmBigTextReporter::Print(QPrinter* printer) const {
  QPainter painter;
  if (!printer || !painter.begin(printer)) return 0;
  const QRect page(0, 0, printer->width(), printer->height());

  const QFontMetrics headerFm(HeaderFont(), printer);
  const QFontMetrics titleFm(TitleFont(), printer);
  const QFontMetrics detailFm(DetailFont(), printer);
  const int headerHeight = 2 * headerFm.lineSpacing() + headerFm.lineSpacing() / 2;
  const int titleHeight = 2 * titleFm.lineSpacing();
  const int rowHeight = detailFm.lineSpacing();
  const int columns = std::max(page.width() / std::max(detailFm.horizontalAdvance(QLatin1Char('M')), 1), 1);
  const QStringList rows = PrintedRows(columns);

  const std::vector<TReportPage> pages = PaginateReport(
      static_cast<int>(rows.size()), page.height(), headerHeight, titleHeight, rowHeight);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) printer->newPage();
    PaintHeader(painter, page, static_cast<int>(p) + 1);
    int y = page.top() + headerHeight;
    if (pages[p].HasTitle) {
      painter.setFont(TitleFont());
      painter.setPen(kTitleColor);
      painter.drawText(QRect(page.left(), y, page.width(), titleHeight),
                       Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                       QText(viewmsg::ReportTitle));
      y += titleHeight;
    }
    painter.setFont(DetailFont());
    painter.setPen(Qt::black);
    for (int i = 0; i < pages[p].LineCount; ++i) {
      // A line longer than the page goes on on continuation rows, each behind its mark.
      painter.drawText(QRect(page.left(), y, page.width(), rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, rows[pages[p].FirstLine + i]);
      y += rowHeight;
    }
  }
  painter.end();
  return static_cast<int>(pages.size());
}

void TfrmBigTextReporter::Preview(QWidget* parent) const {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  // The print dialog offers the document's name for a PDF: the file's, as frmMain.pdf.
  printer.setDocName(CaptionText("", ListingDocName(FTitle)));
  QPrintPreviewDialog dlgPreview(&printer, parent);
  dlgPreview.setWindowTitle(QText(viewmsg::ReportTitle));
  QObject::connect(&dlgPreview, &QPrintPreviewDialog::paintRequested, &dlgPreview,
                   [this](QPrinter* target) { Print(target); });
  ExecModal(dlgPreview);
}

}  // namespace qm
