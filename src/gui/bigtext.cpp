// SPDX-License-Identifier: MIT
#include "bigtext.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "messages.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "shell/viewerlayout.h"

namespace qm {

namespace {

constexpr int kTabStop = 8;

// The highlight of a search hit.
constexpr TColor kHitText = clYellow;
constexpr TColor kHitBack = clNavy;

// The view's cursor is the hourglass until the scope ends, also on an early return.
class TWaitCursor {
 public:
  explicit TWaitCursor(QWidget* widget) : widget_(widget) { widget_->setCursor(Qt::WaitCursor); }
  ~TWaitCursor() { widget_->unsetCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  QWidget* widget_;
};

// The error of a failed add: the message with the line count in place of its "%s". (Built by
// appending rather than with msg::Format, whose inlined replace draws a false -Wrestrict warning
// from g++ 12 in optimised builds.)
std::string AddLineError(std::string_view text, int count) {
  const std::size_t at = text.find("%s");
  std::string out(text.substr(0, at));
  out += std::to_string(count);
  if (at != std::string_view::npos) out += text.substr(at + 2);
  return out;
}

QFont StyledFont(QFont font, TFontStyles style) {
  font.setBold(style & fsBold);
  font.setItalic(style & fsItalic);
  font.setUnderline(style & fsUnderline);
  font.setStrikeOut(style & fsStrikeOut);
  return font;
}

}  // namespace

std::string ExpandTabStops(std::string_view line) {
  std::string out;
  out.reserve(line.size() + kTabStop);
  std::size_t pos = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', pos);
    out.append(line.substr(pos, tab == std::string_view::npos ? std::string_view::npos : tab - pos));
    if (tab == std::string_view::npos) return out;
    out.append(kTabStop - out.size() % kTabStop, ' ');
    pos = tab + 1;
  }
}

TBigText::TBigText(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  // Every pixel of the viewport is painted by the view itself.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  SetScrollBars(FScrollBars);
  FontChanged();
  WatchParent();
  connect(&DisplayEncodingNotifier(), &TDisplayEncodingNotifier::Changed, this, [this] {
    // Auto's finding depends on the fallback chosen there.
    FDetected.reset();
    viewport()->update();
    emit CodePageChanged();
  });
}

TBigText::~TBigText() = default;

void TBigText::SetFont(const QFont& font) {
  setFont(font);
  // A font equal to the current one raises no change event; recompute all the same.
  FontChanged();
}

void TBigText::SetAlign(TAlign align) {
  FAlign = align;
  ApplyAlign();
}

void TBigText::SetParentColor(bool on) {
  FParentColor = on;
  viewport()->update();
}

void TBigText::SetColor(TColor color) {
  FColor = color;
  FParentColor = false;
  viewport()->update();
}

void TBigText::SetMaxLines(int maxLines) {
  FMaxLines = static_cast<std::uint16_t>(std::clamp(maxLines, 0, 0xFFFF));
}

void TBigText::SetPurgeLines(int purgeLines) {
  FPurgeLines = static_cast<std::uint16_t>(std::clamp(purgeLines, 0, 0xFFFF));
}

void TBigText::SetFillBack(bool on) {
  FFillBack = on;
  viewport()->update();
}

void TBigText::SetScrollBars(TScrollStyle style) {
  FScrollBars = style;
  // Always shown when wanted (disabled while there is nothing to scroll), so that adding lines
  // never changes the visible area.
  const bool vert = style == ssVertical || style == ssBoth;
  const bool horz = style == ssHorizontal || style == ssBoth;
  setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  RecalcRange();
}

void TBigText::CountLine(std::string_view text, int sign) {
  if (!HasNonAscii(text)) return;
  FNonAsciiLines += static_cast<std::size_t>(sign);
  if (!IsValidUtf8(text)) {
    FInvalidUtf8Lines += static_cast<std::size_t>(sign);
    FDetected.reset();
  }
}

TCodePage TBigText::ShownCodePage() const {
  TEncodingSettings settings = DisplayEncoding();
  if (FCodePage != TCodePage::Auto) settings.CodePage = FCodePage;
  if (settings.CodePage != TCodePage::Auto || FInvalidUtf8Lines == 0) {
    return ResolveCodePage(settings, FInvalidUtf8Lines, FNonAsciiLines);
  }
  // Bytes that are not UTF-8: the detector reads the whole text once, until the lines change.
  if (!FDetected) {
    std::string all;
    for (const TLine& line : FLines) {
      all += line.Text;
      all += "\r\n";
    }
    FDetected = ResolveCodePage(TEncodingSettings{TCodePage::Auto, settings.AutoFallback}, all);
  }
  return *FDetected;
}

void TBigText::SetCodePage(TCodePage page) {
  if (page == FCodePage) return;
  FCodePage = page;
  ClearHit();
  viewport()->update();
  emit CodePageChanged();
}

void TBigText::SetShowLineNumbers(bool on) {
  FShowLineNumbers = on;
  RecalcRange();
  viewport()->update();
}

void TBigText::SetLineNumbers(std::vector<int> numbers) {
  FLineNumbers = std::move(numbers);
  RecalcRange();
  viewport()->update();
}

int TBigText::LineNumber(int index) const {
  if (index < 0 || index >= Count()) return 0;
  if (FLineNumbers.empty()) return index + 1;
  return static_cast<std::size_t>(index) < FLineNumbers.size() ? FLineNumbers[static_cast<std::size_t>(index)] : 0;
}

int TBigText::GutterWidth() const {
  if (!FShowLineNumbers) return 0;
  int largest = Count();
  for (int number : FLineNumbers) largest = std::max(largest, number);
  const int digits = std::max(3, static_cast<int>(std::to_string(largest).size()));
  return (digits + 1) * FCellWidth + 4;
}

void TBigText::SetLineMarks(int index, std::vector<TByteRange> ranges) {
  if (index < 0 || index >= Count()) return;
  if (ranges.empty()) {
    FMarks.erase(index);
  } else {
    FMarks[index] = std::move(ranges);
  }
}

void TBigText::ClearHit() {
  if (FHitLine < 0) return;
  FHitLine = -1;
  FHitStart = 0;
  FHitLength = 0;
  viewport()->update();
}

QString TBigText::DisplayText(int index) const {
  if (index < 0 || index >= Count()) return {};
  return Shown(FLines[static_cast<std::size_t>(index)].Text);
}

QString TBigText::Shown(const std::string& text) const {
  // Tabs are drawn at the stops LoadFromFile expands them to, whoever added the line.
  if (text.find('\t') == std::string::npos) return DecodeBytes(text, ShownCodePage());
  return DecodeBytes(ExpandTabStops(text), ShownCodePage());
}

bool TBigText::MakeRoom(std::string* err) {
  if (FMaxLines == 0) return true;
  const int count = Count();
  if (count < FMaxLines && count <= kHardLineCap) return true;
  if (FPurgeLines == 0) {
    if (err) *err = AddLineError(msg::MaximumLineCountAtLine, count);
    return false;
  }
  const int purged = std::min<int>(FPurgeLines, count);
  for (int i = 0; i < purged; ++i) CountLine(FLines[static_cast<std::size_t>(i)].Text, -1);
  FLines.erase(FLines.begin(), FLines.begin() + purged);
  FDetected.reset();
  FMarks.clear();
  FHitLine = -1;
  if (!FLineNumbers.empty()) {
    FLineNumbers.erase(FLineNumbers.begin(), FLineNumbers.begin() + std::min<std::size_t>(purged, FLineNumbers.size()));
  }
  // The lines still shown keep their place on the screen where they can.
  const int top = std::max(0, FTopLine - purged);
  viewport()->update();
  if (top != FTopLine) {
    FTopLine = top;
    emit TopLineChanged(FTopLine);
  }
  return true;
}

bool TBigText::AppendLine(std::string&& text, const TTextAttributes& attributes,
                          std::string* err) {
  if (!MakeRoom(err)) return false;
  try {
    FLines.push_back(TLine{std::move(text), attributes});
    CountLine(FLines.back().Text, +1);
  } catch (const std::bad_alloc&) {
    if (err) *err = AddLineError(msg::OutOfMemoryAtLine, Count());
    return false;
  }
  return true;
}

bool TBigText::AddLine(std::string_view text, const TTextAttributes& attributes, bool paintNow,
                       std::string* err) {
  std::string copy;
  try {
    copy.assign(text);
  } catch (const std::bad_alloc&) {
    if (err) *err = AddLineError(msg::OutOfMemoryAtLine, Count());
    return false;
  }
  if (!AppendLine(std::move(copy), attributes, err)) return false;
  if (paintNow) {
    RecalcRange();
    const int row = Count() - 1 - FTopLine;
    if (row >= 0 && row <= FVisibleLines) {
      viewport()->update(0, row * FCellHeight, viewport()->width(), FCellHeight);
    }
  }
  return true;
}

bool TBigText::AddLine(std::string_view text, TColor textColor, TColor backColor, bool paintNow,
                       std::string* err) {
  return AddLine(text, TTextAttributes{textColor, backColor, taLeftJustify, 0}, paintNow, err);
}

bool TBigText::AddLine(std::string_view text, std::string* err) {
  return AddLine(text, FForeColor, FBackColor, true, err);
}

void TBigText::Clear() {
  std::vector<TLine>().swap(FLines);
  FNonAsciiLines = 0;
  FInvalidUtf8Lines = 0;
  FDetected.reset();
  FLineNumbers.clear();
  FMarks.clear();
  FHitLine = -1;
  FHitStart = 0;
  FHitLength = 0;
  RecalcRange();
  viewport()->update();
}

bool TBigText::LoadFromFile(std::string_view fileName, std::string* err) {
  Clear();
  TWaitCursor wait(this);
  std::string bytes;
  std::string reason;
  if (!ReadFileBytes(fileName, bytes, &reason)) {
    if (err) *err = DisplayPath(fileName) + ": " + reason;
    return false;
  }
  const TTextAttributes attributes{clWindowText, clWindow, taLeftJustify, 0};
  const std::string_view all(bytes);
  bool ok = true;
  try {
    FLines.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
  } catch (const std::bad_alloc&) {
    // Adding line by line still gets as far as memory allows and reports where it stopped.
  }
  // Lines end at CR LF, LF or a lone CR; a final line end adds no empty line.
  std::size_t pos = 0;
  while (ok && pos < all.size()) {
    std::size_t end = all.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = all.substr(pos, end - pos);
    try {
      std::string text =
          line.find('\t') == std::string_view::npos ? std::string(line) : ExpandTabStops(line);
      ok = AppendLine(std::move(text), attributes, err);
    } catch (const std::bad_alloc&) {
      if (err) *err = AddLineError(msg::OutOfMemoryAtLine, Count());
      ok = false;
    }
    pos = end + 1;
    if (end < all.size() && all[end] == '\r' && pos < all.size() && all[pos] == '\n') ++pos;
  }
  RecalcRange();
  viewport()->update();
  emit CodePageChanged();
  return ok;
}

namespace {

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Where the text occurs in the line from position from on (downward) or before position from
// (upward), as a whole word when asked; -1 when it does not.
qsizetype FindInLine(const QString& line, const QString& text, qsizetype from, bool downward,
                     Qt::CaseSensitivity cs, bool wholeWord) {
  auto whole = [&](qsizetype at) {
    const qsizetype end = at + text.size();
    return (at == 0 || !IsWordChar(line.at(at - 1))) && (end == line.size() || !IsWordChar(line.at(end)));
  };
  if (downward) {
    for (qsizetype at = line.indexOf(text, std::max<qsizetype>(from, 0), cs); at >= 0;
         at = line.indexOf(text, at + 1, cs)) {
      if (!wholeWord || whole(at)) return at;
    }
    return -1;
  }
  if (from <= 0) return -1;
  for (qsizetype at = line.lastIndexOf(text, from - 1, cs); at >= 0;
       at = at > 0 ? line.lastIndexOf(text, at - 1, cs) : -1) {
    if (!wholeWord || whole(at)) return at;
  }
  return -1;
}

}  // namespace

bool TBigText::Search(std::string_view text, bool downward, bool matchCase, bool wholeWord) {
  return Search(DecodeBytes(text, ShownCodePage()), downward, matchCase, wholeWord);
}

bool TBigText::Search(const QString& text, bool downward, bool matchCase, bool wholeWord) {
  if (text.isEmpty()) return false;
  const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const int step = downward ? 1 : -1;
  // From the last hit on within its line, else from the line after (or before) the top line.
  int first = FTopLine + step;
  qsizetype from = downward ? 0 : -1;
  if (FHitLine >= 0 && FHitLine < Count()) {
    first = FHitLine;
    from = downward ? FHitStart + 1 : FHitStart;
  }
  for (int i = first; i >= 0 && i < Count(); i += step) {
    const QString line = DisplayText(i);
    const qsizetype start = i == first && from >= 0 ? from : (downward ? 0 : line.size() + 1);
    const qsizetype at = FindInLine(line, text, start, downward, cs, wholeWord);
    if (at < 0) continue;
    FHitLine = i;
    FHitStart = static_cast<int>(at);
    FHitLength = static_cast<int>(text.size());
    MoveTopLine(TopLineForHit(i, FTopLine, FVisibleLines, FVertRange));
    MoveHorzPos(HorzPosForHit(FHitStart, FHitLength, FHorzPos, FVisibleColumns, FHorzRange));
    viewport()->update();
    return true;
  }
  return false;
}

void TBigText::ScrollToLine(int index) {
  MoveTopLine(std::clamp(index, 0, Count()));
}

std::string TBigText::GetLine(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FLines[static_cast<std::size_t>(index)].Text;
}

TTextAttributes TBigText::GetLineAttributes(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FLines[static_cast<std::size_t>(index)].Attributes;
}

void TBigText::SetLineColors(int index, TColor textColor, TColor backColor) {
  if (index < 0 || index >= Count()) return;
  TTextAttributes& attributes = FLines[static_cast<std::size_t>(index)].Attributes;
  attributes.TextColor = textColor;
  attributes.BackColor = backColor;
}

void TBigText::SetLineAttributes(int index, const TTextAttributes& attributes) {
  if (index < 0 || index >= Count()) return;
  FLines[static_cast<std::size_t>(index)].Attributes = attributes;
}

void TBigText::FontChanged() {
  const QFontMetrics metrics(font());
  FCellWidth = std::max(1, metrics.averageCharWidth());
  FCellHeight = std::max(1, metrics.height());
  RecalcRange();
  viewport()->update();
}

void TBigText::RecalcRange() {
  FVisibleLines = std::max(0, viewport()->height() / FCellHeight);
  FVisibleColumns = std::max(0, (viewport()->width() - GutterWidth()) / FCellWidth);
  FVertRange = std::max(0, Count() - FVisibleLines);
  FHorzRange = std::max(0, kMaxColumns - FVisibleColumns);
  const int top = std::clamp(FTopLine, 0, FVertRange);
  const int horz = std::clamp(FHorzPos, 0, FHorzRange);
  const bool topMoved = top != FTopLine;
  const bool horzMoved = horz != FHorzPos;
  FTopLine = top;
  FHorzPos = horz;
  SyncScrollBars();
  if (topMoved || horzMoved) viewport()->update();
  if (topMoved) emit TopLineChanged(FTopLine);
  if (horzMoved) emit HorzPosChanged(FHorzPos);
}

void TBigText::SyncScrollBars() {
  FSyncing = true;
  QScrollBar* vert = verticalScrollBar();
  vert->setRange(0, FVertRange);
  vert->setSingleStep(1);
  vert->setPageStep(std::max(1, FVisibleLines));
  vert->setValue(FTopLine);
  QScrollBar* horz = horizontalScrollBar();
  horz->setRange(0, FHorzRange);
  horz->setSingleStep(1);
  horz->setPageStep(std::max(1, FVisibleColumns / 2));
  horz->setValue(FHorzPos);
  FSyncing = false;
}

void TBigText::MoveTopLine(int topLine) {
  topLine = std::clamp(topLine, 0, FVertRange);
  if (topLine == FTopLine) return;
  const int delta = FTopLine - topLine;
  FTopLine = topLine;
  SyncScrollBars();
  // Move what stays visible and draw only the rows that come into view.
  if (std::abs(delta) <= FVisibleLines) {
    viewport()->scroll(0, delta * FCellHeight);
  } else {
    viewport()->update();
  }
  emit TopLineChanged(FTopLine);
}

void TBigText::MoveHorzPos(int horzPos) {
  horzPos = std::clamp(horzPos, 0, FHorzRange);
  if (horzPos == FHorzPos) return;
  FHorzPos = horzPos;
  SyncScrollBars();
  // Centred and right-aligned rows are laid out anew, so the whole (visible) area is redrawn.
  viewport()->update();
  emit HorzPosChanged(FHorzPos);
}

void TBigText::ScrollVert(TScrollCode code, int pos) {
  switch (code) {
    case scLineUp: MoveTopLine(FTopLine - 1); break;
    case scLineDown: MoveTopLine(FTopLine + 1); break;
    case scPageUp: MoveTopLine(FTopLine - FVisibleLines); break;
    case scPageDown: MoveTopLine(FTopLine + FVisibleLines); break;
    case scPosition:
    case scTrack: MoveTopLine(pos); break;
    case scTop: MoveTopLine(0); break;
    case scBottom: MoveTopLine(FVertRange); break;
    case scEndScroll: break;
  }
}

void TBigText::ScrollHorz(TScrollCode code, int pos) {
  switch (code) {
    case scLineUp: MoveHorzPos(FHorzPos - 1); break;
    case scLineDown: MoveHorzPos(FHorzPos + 1); break;
    case scPageUp: MoveHorzPos(FHorzPos - FVisibleColumns / 2); break;
    case scPageDown: MoveHorzPos(FHorzPos + FVisibleColumns / 2); break;
    case scPosition:
    case scTrack: MoveHorzPos(pos); break;
    case scTop: MoveHorzPos(0); break;
    case scBottom: MoveHorzPos(FHorzRange); break;
    case scEndScroll: break;
  }
}

void TBigText::scrollContentsBy(int, int) {
  // The scroll bars moved (dragged, clicked, wheel): follow their values.
  if (FSyncing) return;
  MoveTopLine(verticalScrollBar()->value());
  MoveHorzPos(horizontalScrollBar()->value());
}

QColor TBigText::BackgroundColor() const {
  if (FParentColor && parentWidget()) {
    return parentWidget()->palette().color(parentWidget()->backgroundRole());
  }
  return ToQColor(FColor, palette());
}

void TBigText::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, BackgroundColor());
  const int firstRow = std::max(0, area.top() / FCellHeight);
  const int lastRow = area.bottom() / FCellHeight;
  for (int row = firstRow; row <= lastRow; ++row) {
    const int index = FTopLine + row;
    if (index >= Count()) break;
    PaintRow(painter, row, FLines[static_cast<std::size_t>(index)]);
  }
}

void TBigText::PaintRow(QPainter& painter, int row, const TLine& line) {
  const TTextAttributes& attributes = line.Attributes;
  const int index = FTopLine + row;
  const int gutter = TextLeft();
  const int width = viewport()->width();
  const QRect rowRect(gutter, row * FCellHeight, width - gutter, FCellHeight);
  const QPalette& colours = palette();

  if (gutter > 0) {
    const QRect numberRect(0, rowRect.top(), gutter, FCellHeight);
    painter.fillRect(numberRect, colours.color(QPalette::Button));
    if (const int number = LineNumber(index); number > 0) {
      painter.setFont(font());
      painter.setPen(colours.color(QPalette::Disabled, QPalette::Text));
      painter.drawText(numberRect.adjusted(0, 0, -FCellWidth, 0), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(number));
    }
  }

  // Enough characters from the first visible column to cover the row even in a proportional
  // font, where narrow letters fit more than the average-width columns.
  // A line with tabs is longer drawn than stored: only a line that reaches the first visible
  // column when expanded is drawn, and the raw length decides only for a line without tabs.
  QString shown;
  QString text;
  const bool hasTabs = line.Text.find('\t') != std::string::npos;
  if (hasTabs || static_cast<int>(line.Text.size()) > FHorzPos) {
    shown = Shown(line.Text);
    text = shown.mid(FHorzPos, (FVisibleColumns + 2) * 3);
  }
  const QFont rowFont = attributes.Style ? StyledFont(font(), attributes.Style) : font();
  const QFontMetrics metrics(rowFont);
  const int textWidth = metrics.horizontalAdvance(text);
  int x = gutter;
  if (attributes.Alignment == taCenter) {
    x = gutter + (width - gutter - textWidth) / 2;
  } else if (attributes.Alignment == taRightJustify) {
    x = width - textWidth;
  }

  const QColor back = ToQColor(attributes.BackColor, colours);
  if (FFillBack) {
    painter.fillRect(rowRect, back);
  } else if (textWidth > 0) {
    painter.fillRect(QRect(x, rowRect.top(), textWidth, FCellHeight), back);
  }
  if (text.isEmpty()) return;
  painter.save();
  painter.setClipRect(rowRect);
  painter.setFont(rowFont);
  const QColor textColour = ToQColor(attributes.TextColor, colours);
  painter.setPen(textColour);
  painter.drawText(x, rowRect.top() + QFontMetrics(font()).ascent(), text);
  // Changed characters, then the search hit, drawn over the row in their own colours.
  if (auto marks = FMarks.find(index); marks != FMarks.end()) {
    const std::string& bytes = line.Text;
    for (const TByteRange& range : marks->second) {
      const auto startByte = static_cast<std::size_t>(std::clamp<int>(range.Start, 0, static_cast<int>(bytes.size())));
      const auto endByte = static_cast<std::size_t>(
          std::clamp<int>(range.Start + range.Length, 0, static_cast<int>(bytes.size())));
      const int start = static_cast<int>(DecodeBytes(std::string_view(bytes).substr(0, startByte), ShownCodePage()).size());
      const int end = static_cast<int>(DecodeBytes(std::string_view(bytes).substr(0, endByte), ShownCodePage()).size());
      PaintMark(painter, metrics, shown, x, rowRect.top(), start, end - start, ToQColor(FMarkColor, colours), textColour);
    }
  }
  if (index == FHitLine) {
    PaintMark(painter, metrics, shown, x, rowRect.top(), FHitStart, FHitLength, ToQColor(kHitBack, colours),
              ToQColor(kHitText, colours));
  }
  painter.restore();
}

void TBigText::PaintMark(QPainter& painter, const QFontMetrics& metrics, const QString& shown, int x, int top,
                         int start, int length, const QColor& back, const QColor& text) {
  // Positions are in the shown line; what lies left of the first visible column is not drawn.
  const int from = std::max(start, FHorzPos);
  const int to = std::min<int>(start + length, static_cast<int>(shown.size()));
  if (to <= from) return;
  const QString part = shown.mid(from, to - from);
  const int left = x + metrics.horizontalAdvance(shown.mid(FHorzPos, from - FHorzPos));
  const int markWidth = std::max(metrics.horizontalAdvance(part), 2);
  painter.fillRect(QRect(left, top, markWidth, FCellHeight), back);
  painter.setPen(text);
  painter.drawText(left, top + QFontMetrics(font()).ascent(), part);
}

void TBigText::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  RecalcRange();
}

void TBigText::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  emit OnKeyDown(key, event->modifiers());
  if (key == 0) {
    event->accept();
    return;
  }
  // Ctrl counts only alone: with Shift or Alt as well, a key acts as without Ctrl.
  const bool ctrl = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                           Qt::AltModifier)) == Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Up: ScrollVert(scLineUp); break;
    case Qt::Key_Down: ScrollVert(scLineDown); break;
    case Qt::Key_PageUp: ScrollVert(scPageUp); break;
    case Qt::Key_PageDown: ScrollVert(scPageDown); break;
    case Qt::Key_Home: ctrl ? ScrollVert(scTop) : ScrollHorz(scTop); break;
    case Qt::Key_End: ctrl ? ScrollVert(scBottom) : ScrollHorz(scBottom); break;
    case Qt::Key_Left: ScrollHorz(ctrl ? scPageUp : scLineUp); break;
    case Qt::Key_Right: ScrollHorz(ctrl ? scPageDown : scLineDown); break;
    default:
      // Other keys go on to the parent (a dialog's Escape, shortcuts).
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TBigText::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  FMouseDown = event->button() == Qt::LeftButton;
  emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TBigText::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
  if (event->button() == Qt::LeftButton && FMouseDown) {
    FMouseDown = false;
    if (viewport()->rect().contains(at)) emit OnClick();
  }
}

void TBigText::contextMenuEvent(QContextMenuEvent* event) {
  if (!FPopUpMenu) {
    event->ignore();
    return;
  }
  FPopUpMenu->popup(event->globalPos());
  event->accept();
}

void TBigText::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  switch (event->type()) {
    case QEvent::FontChange: FontChanged(); break;
    case QEvent::PaletteChange: viewport()->update(); break;
    case QEvent::ParentChange:
      WatchParent();
      viewport()->update();
      break;
    default: break;
  }
}

void TBigText::WatchParent() {
  if (FWatchedParent == parentWidget()) return;
  if (FWatchedParent) FWatchedParent->removeEventFilter(this);
  FWatchedParent = parentWidget();
  if (FWatchedParent) FWatchedParent->installEventFilter(this);
  ApplyAlign();
}

bool TBigText::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FWatchedParent && event->type() == QEvent::Resize) ApplyAlign();
  return QAbstractScrollArea::eventFilter(watched, event);
}

void TBigText::ApplyAlign() {
  QWidget* parent = parentWidget();
  if (!parent || FAlign == alNone) return;
  const QRect area = parent->contentsRect();
  QRect placed = geometry();
  switch (FAlign) {
    case alTop: placed = QRect(area.left(), area.top(), area.width(), height()); break;
    case alBottom:
      placed = QRect(area.left(), area.bottom() + 1 - height(), area.width(), height());
      break;
    case alLeft: placed = QRect(area.left(), area.top(), width(), area.height()); break;
    case alRight:
      placed = QRect(area.right() + 1 - width(), area.top(), width(), area.height());
      break;
    case alClient: placed = area; break;
    case alNone: break;
  }
  setGeometry(placed);
}

}  // namespace qm
