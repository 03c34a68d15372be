// SPDX-License-Identifier: MIT
#pragma once

// TBigText: a read-only, line-oriented text view for source code. Every line is a byte string
// (shown through the display code page, see cp1252.h: one code page for all lines of a view)
// with its own text colour, background colour,
// alignment and font style, so callers can mark changed lines, difference rows, the current
// routine or a search hit. Lines are appended in bulk without painting; only the visible rows are
// ever drawn, so the cost of a paint or a scroll step does not depend on the number of lines.
//
// Positions: the top line (first visible line, from 0) and the horizontal position (first visible
// column, from 0). The vertical range is 0 .. Count() - VisibleLines(), the horizontal range
// 0 .. 255 - VisibleColumns(); both are at least 0.

#include <QAbstractScrollArea>
#include <QFont>
#include <QMenu>
#include <QPointer>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/diffview.h"
#include "displaytext.h"
#include "ui/colors.h"

class QPainter;

namespace qm {

// Font style set of a line: any combination of these bits (0 is the plain font).
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 0x01;
inline constexpr TFontStyles fsItalic = 0x02;
inline constexpr TFontStyles fsUnderline = 0x04;
inline constexpr TFontStyles fsStrikeOut = 0x08;

// Horizontal placement of a line's text in its row.
enum TTextAlignment : std::uint8_t { taLeftJustify = 0, taCenter = 1, taRightJustify = 2 };

struct TTextAttributes {
  TColor TextColor = clBlack;
  TColor BackColor = clWhite;
  std::uint8_t Alignment = taLeftJustify;
  TFontStyles Style = 0;
  friend bool operator==(const TTextAttributes&, const TTextAttributes&) = default;
};

// Placement of the view inside its parent when the parent is not managed by a layout: alClient
// fills the parent, alTop/alBottom span its width (keeping the view's height), alLeft/alRight span
// its height (keeping the view's width). alNone leaves the geometry alone.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Which of the view's own scroll bars are shown. A chosen bar is always shown, so that filling the
// view never changes its visible area; it simply has nothing to move while its range is 0.
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// Scroll actions of a scroll bar. scTrack and scPosition (thumb moved or released) take the thumb
// position; scEndScroll does nothing.
enum TScrollCode : std::uint8_t {
  scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};

// The line with every tab replaced by 1 to 8 blanks up to the next stop; stops lie every 8
// columns, counted from 0.
std::string ExpandTabStops(std::string_view line);

class TBigText : public QAbstractScrollArea {
  Q_OBJECT
  Q_PROPERTY(bool FillBack READ FillBack WRITE SetFillBack)
  Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
  Q_PROPERTY(int MaxLines READ MaxLines WRITE SetMaxLines)
  Q_PROPERTY(int PurgeLines READ PurgeLines WRITE SetPurgeLines)
  Q_PROPERTY(int Count READ Count)

 public:
  // Columns over which the view scrolls horizontally.
  static constexpr int kMaxColumns = 255;
  // Line count at which a view with a line cap (MaxLines not 0) purges in any case.
  static constexpr int kHardLineCap = 32000;

  explicit TBigText(QWidget* parent = nullptr);
  ~TBigText() override;

  // Published properties.
  QFont Font() const { return font(); }
  void SetFont(const QFont& font);  // also recomputes the character cell (FontChanged)
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool on);
  TColor Color() const { return FColor; }  // background of the view outside the lines
  void SetColor(TColor color);              // also switches ParentColor off
  std::uint16_t MaxLines() const { return FMaxLines; }
  void SetMaxLines(int maxLines);
  std::uint16_t PurgeLines() const { return FPurgeLines; }
  void SetPurgeLines(int purgeLines);
  TColor ForeColor() const { return FForeColor; }  // colours of lines added without colours
  void SetForeColor(TColor color) { FForeColor = color; }
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor color) { FBackColor = color; }
  bool FillBack() const { return FFillBack; }  // on: a line's background fills its whole row
  void SetFillBack(bool on);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle style);
  QMenu* PopUpMenu() const { return FPopUpMenu; }  // shown on a context-menu request
  void SetPopUpMenu(QMenu* menu) { FPopUpMenu = menu; }
  int Count() const { return static_cast<int>(FLines.size()); }

  // Appends a line in the given colours, left-aligned and in the plain style. With paintNow off
  // nothing is drawn until the next repaint (call RecalcRange and update() after a bulk add).
  // False, with the error text in err, when the line cannot be stored (see MaxLines).
  bool AddLine(std::string_view text, TColor textColor, TColor backColor, bool paintNow,
               std::string* err = nullptr);
  // Appends a line in ForeColor on BackColor, painted at once.
  bool AddLine(std::string_view text, std::string* err = nullptr);
  // Appends a line with all its attributes.
  bool AddLine(std::string_view text, const TTextAttributes& attributes, bool paintNow,
               std::string* err = nullptr);

  // Removes every line, recomputes the ranges, repaints.
  void Clear();

  // Clears, then reads the file (a native or Windows-style path) line by line with tabs expanded
  // to 8-column stops, in the window-text colour on the window colour, and repaints once. A file
  // that cannot be read leaves the view empty and returns false with the reason in err.
  bool LoadFromFile(std::string_view fileName, std::string* err = nullptr);

  // Looks for text from the last hit on (the next or the previous occurrence, also in the same
  // line), or without a hit in the lines after (downward) or before the top line, the top line
  // itself excluded. The hit's characters are drawn yellow on navy until the next search or a
  // new content, and the view scrolls only as far as needed to show them (TopLineForHit). Without
  // matchCase letters compare without regard to case. With wholeWord a hit must stand between line
  // ends or characters other than letters, digits and '_'. Lines are matched as shown (decoded);
  // byte texts are in the view's code page.
  bool Search(std::string_view text, bool downward, bool matchCase, bool wholeWord = false);
  bool Search(const QString& text, bool downward, bool matchCase, bool wholeWord = false);
  // The last hit: line (-1 for none), and start and length in the line as shown.
  int HitLine() const { return FHitLine; }
  int HitStart() const { return FHitStart; }
  int HitLength() const { return FHitLength; }
  void ClearHit();

  // The code page the view's lines are shown in: the view's own choice (SetCodePage), else the
  // display choice; for Auto what its bytes say (ResolveCodePage over the whole text).
  TCodePage ShownCodePage() const;
  // The view's own code page (one file's choice); Auto follows View > Encoding.
  TCodePage CodePage() const { return FCodePage; }
  void SetCodePage(TCodePage page);

  // Line numbers in a column at the left. By default line i shows i + 1; SetLineNumbers gives
  // every line its own number (0 shows none, as for a filler row), until the next Clear.
  bool ShowLineNumbers() const { return FShowLineNumbers; }
  void SetShowLineNumbers(bool on);
  void SetLineNumbers(std::vector<int> numbers);
  int LineNumber(int index) const;
  // Width of the line-number column in pixels (0 when hidden).
  int GutterWidth() const;

  // Parts of a line drawn on their own background (the changed characters of a difference row),
  // as byte ranges of the stored text; until the next Clear.
  void SetLineMarks(int index, std::vector<TByteRange> ranges);
  TColor MarkColor() const { return FMarkColor; }
  void SetMarkColor(TColor color) { FMarkColor = color; }
  // A line as drawn: tabs at 8-column stops, decoded through ShownCodePage.
  QString DisplayText(int index) const;

  // Makes the line the top line as far as the vertical range allows; the column stays.
  void ScrollToLine(int index);

  // The text of a line; empty for an index outside the lines.
  std::string GetLine(int index) const;
  TTextAttributes GetLineAttributes(int index) const;

  // Change one line without repainting (out-of-range indexes are ignored).
  void SetLineColors(int index, TColor textColor, TColor backColor);
  void SetLineAttributes(int index, const TTextAttributes& attributes);

  // Whole lines and whole columns that fit in the view.
  int VisibleLines() const { return FVisibleLines; }
  int VisibleColumns() const { return FVisibleColumns; }

  int TopLine() const { return FTopLine; }
  int HorzPos() const { return FHorzPos; }
  int VertRange() const { return FVertRange; }  // greatest top line
  int HorzRange() const { return FHorzRange; }  // greatest first column

  // Recomputes the character cell from the font, then the ranges.
  void FontChanged();
  // Recomputes visible lines and columns and both ranges, clamping the positions into them.
  void RecalcRange();

  // The scroll actions of the vertical and the horizontal scroll bar; pos is the thumb position.
  void ScrollVert(TScrollCode code, int pos = 0);
  void ScrollHorz(TScrollCode code, int pos = 0);

  // Character cell in pixels.
  int CellWidth() const { return FCellWidth; }
  int CellHeight() const { return FCellHeight; }

 signals:
  void OnClick();
  void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  // Emitted before the view handles a key; a directly connected receiver may set key to 0 to keep
  // the view from acting on it.
  void OnKeyDown(int& key, Qt::KeyboardModifiers shift);
  // The top line or the first visible column moved (by any means).
  void TopLineChanged(int topLine);
  void HorzPosChanged(int horzPos);
  // The code page the lines are shown in may have changed (new lines, a new choice).
  void CodePageChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  struct TLine {
    std::string Text;
    TTextAttributes Attributes;
  };

  void CountLine(std::string_view text, int sign);
  QString Shown(const std::string& text) const;
  bool MakeRoom(std::string* err);
  bool AppendLine(std::string&& text, const TTextAttributes& attributes, std::string* err);
  void MoveTopLine(int topLine);
  void MoveHorzPos(int horzPos);
  void SyncScrollBars();
  void WatchParent();
  void ApplyAlign();
  void PaintRow(QPainter& painter, int row, const TLine& line);
  QColor BackgroundColor() const;

  void PaintMark(QPainter& painter, const QFontMetrics& metrics, const QString& shown, int x, int top,
                 int start, int length, const QColor& back, const QColor& text);
  int TextLeft() const { return GutterWidth(); }

  std::vector<TLine> FLines;
  TCodePage FCodePage = TCodePage::Auto;
  // What Auto found in the bytes, until the lines change.
  mutable std::optional<TCodePage> FDetected;
  bool FShowLineNumbers = false;
  std::vector<int> FLineNumbers;
  std::map<int, std::vector<TByteRange>> FMarks;  // by line index
  TColor FMarkColor = RGBToColor(255, 165, 0);     // orange, on the yellow of a changed row
  int FHitLine = -1;
  int FHitStart = 0;
  int FHitLength = 0;
  // Lines holding bytes beyond ASCII, and lines that are no valid UTF-8 (for Auto).
  std::size_t FNonAsciiLines = 0;
  std::size_t FInvalidUtf8Lines = 0;
  TAlign FAlign = alNone;
  bool FParentColor = false;
  TColor FColor = clWindow;
  std::uint16_t FMaxLines = 0;
  std::uint16_t FPurgeLines = 200;
  TColor FForeColor = clBlack;
  TColor FBackColor = clWhite;
  bool FFillBack = false;
  TScrollStyle FScrollBars = ssBoth;
  QPointer<QMenu> FPopUpMenu;
  QPointer<QWidget> FWatchedParent;  // the parent whose resizes place the view (Align)

  int FTopLine = 0;
  int FHorzPos = 0;
  int FVisibleLines = 0;
  int FVisibleColumns = 0;
  int FVertRange = 0;
  int FHorzRange = 0;
  int FCellWidth = 1;
  int FCellHeight = 1;
  bool FSyncing = false;      // the scroll bars are being set from the view's own state
  bool FMouseDown = false;    // a press inside the view awaits its release (for OnClick)
};

}  // namespace qm
