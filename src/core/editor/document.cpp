// SPDX-License-Identifier: MIT
#include "editor/document.h"

#include <algorithm>

namespace qm {

std::vector<TDocumentLine> DocumentLines(std::string_view bytes) {
  std::vector<TDocumentLine> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back({bytes.substr(pos), {}});
      break;
    }
    const std::size_t endSize = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
    lines.push_back({bytes.substr(pos, end - pos), bytes.substr(end, endSize)});
    pos = end + endSize;
  }
  return lines;
}

namespace {

// The length of the UTF-8 sequence starting at text[i] when it is well formed (overlong forms and
// surrogates are not checked: a client sends well-formed text), else 1; and its UTF-16 units.
std::size_t SequenceAt(std::string_view text, std::size_t i, std::size_t* units) {
  const auto c = static_cast<unsigned char>(text[i]);
  std::size_t size = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (size == 0 || i + size > text.size()) size = 1;
  for (std::size_t k = 1; k < size; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) size = 1;
  }
  *units = size == 4 ? 2 : 1;
  return size;
}

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t u = 0;
    i += SequenceAt(utf8, i, &u);
    units += u;
  }
  return units;
}

std::size_t ByteOffsetOfUtf16(std::string_view utf8, std::size_t column) {
  std::size_t units = 0, i = 0;
  while (i < utf8.size() && units < column) {
    std::size_t u = 0;
    i += SequenceAt(utf8, i, &u);
    units += u;
  }
  return i;
}

namespace {

// Where line index stands in the document: the start of that line, or the end of the document
// when index is past the last line.
TTextPos PositionOfLine(const std::vector<TDocumentLine>& lines, std::size_t index) {
  if (index < lines.size() || lines.empty()) return {index, 0};
  const TDocumentLine& last = lines.back();
  if (!last.End.empty()) return {lines.size(), 0};
  return {lines.size() - 1, Utf16Length(last.Text)};
}

bool SameLine(const TDocumentLine& a, const TDocumentLine& b) { return a.Text == b.Text && a.End == b.End; }

}  // namespace

std::optional<TTextEdit> EditBetween(std::string_view before, std::string_view after) {
  if (before == after) return std::nullopt;
  const std::vector<TDocumentLine> from = DocumentLines(before);
  const std::vector<TDocumentLine> to = DocumentLines(after);
  std::size_t head = 0;
  while (head < from.size() && head < to.size() && SameLine(from[head], to[head])) ++head;
  std::size_t tail = 0;
  while (tail < from.size() - head && tail < to.size() - head &&
         SameLine(from[from.size() - 1 - tail], to[to.size() - 1 - tail])) {
    ++tail;
  }
  TTextEdit edit;
  edit.Start = PositionOfLine(from, head);
  edit.End = PositionOfLine(from, from.size() - tail);
  for (std::size_t i = head; i < to.size() - tail; ++i) {
    edit.NewText += to[i].Text;
    edit.NewText += to[i].End;
  }
  return edit;
}

std::string ApplyEdit(std::string_view text, const TTextEdit& edit) {
  const std::vector<TDocumentLine> lines = DocumentLines(text);
  const auto offset = [&](TTextPos pos) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < pos.Line && i < lines.size(); ++i) at += lines[i].Text.size() + lines[i].End.size();
    if (pos.Line < lines.size()) at += ByteOffsetOfUtf16(lines[pos.Line].Text, pos.Character);
    return std::min(at, text.size());
  };
  const std::size_t start = offset(edit.Start);
  const std::size_t end = std::max(start, offset(edit.End));
  return std::string(text.substr(0, start)) + edit.NewText + std::string(text.substr(end));
}

}  // namespace qm
