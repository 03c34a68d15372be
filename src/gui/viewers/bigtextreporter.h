// SPDX-License-Identifier: MIT
#pragma once

// The printed listing of a text view: a title band once at the start, a page header on every page
// ("Filename: " and the file the title names, "Printed at " and the time, "Page " and the number
// at the right) and the lines in a fixed-pitch font, without colours; a line longer than the page
// is wrapped onto continuation rows, each behind a mark. Shown in a print preview from which the
// user prints; the print dialog offers a PDF named after the file.

#include <QDateTime>
#include <QStringList>

#include <string>
#include <vector>

#include "platform/linefile.h"
#include "settings/encoding.h"

class QPainter;
class QPrinter;
class QRect;
class QWidget;

namespace qm {

class TBigText;

// The detail rows one printed page carries.
struct TReportPage {
  int FirstLine = 0;
  int LineCount = 0;
  bool HasTitle = false;  // the title band stands below this page's header
  friend bool operator==(const TReportPage&, const TReportPage&) = default;
};

// Splits lineCount detail rows over pages of pageHeight: every page begins with the header band,
// the first one also with the title band, and the rows fill what is left. A page holds at least
// one row even when it has no room for one, so that any page size ends; a report without lines
// is one page with its header and title.
std::vector<TReportPage> PaginateReport(int lineCount, int pageHeight, int headerHeight,
                                        int titleHeight, int rowHeight);

class TfrmBigTextReporter {
 public:
  // The lines of the pane as they are now; the pane itself is never changed.
  TfrmBigTextReporter(const TBigText& pane, std::string title);
  TfrmBigTextReporter(TLines lines, std::string title, QDateTime printedAt);

  const std::string& Title() const { return FTitle; }
  const TLines& Lines() const { return FLines; }
  // The time in the page header, in the system's short date and time format.
  QString PrintedAtText() const;

  // The printed rows on a page of that many columns: continuation rows begin with their mark.
  QStringList PrintedRows(int columns) const;

  // Renders every page of the report on the printer; the number of pages printed.
  int Print(QPrinter* printer) const;

  // Opens the report in a print preview and returns when the preview closes.
  void Preview(QWidget* parent) const;

 private:
  void PaintHeader(QPainter& painter, const QRect& page, int pageNumber) const;

  TLines FLines;
  std::string FTitle;
  QDateTime FPrintedAt;
  // The code page of the pane (the display choice for reports made from lines).
  TCodePage FCodePage = TCodePage::Auto;
};

}  // namespace qm
