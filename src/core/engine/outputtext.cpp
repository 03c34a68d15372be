// SPDX-License-Identifier: MIT
#include "engine/outputtext.h"

#include <algorithm>
#include <vector>

#include "analysis/linediff.h"
#include "platform/linefile.h"

namespace qm {

namespace {

bool HoldsCtrlZ(std::string_view text) { return text.find('\x1A') != std::string_view::npos; }

// The line end after each line of bytes, as SplitLines splits them: "\r\n", "\n", "\r", or empty
// for a last line without one.
std::vector<std::string_view> LineEnds(std::string_view bytes) {
  std::vector<std::string_view> ends;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      ends.emplace_back();
      break;
    }
    const std::size_t length = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
    ends.push_back(bytes.substr(end, length));
    pos = end + length;
  }
  return ends;
}

// The line end most lines have; CR LF, the Windows convention of VB files, wins ties and stands in
// when there is none.
std::string_view PrevailingLineEnd(const std::vector<std::string_view>& ends) {
  std::size_t crlf = 0, lf = 0, cr = 0;
  for (std::string_view end : ends) {
    crlf += end == "\r\n";
    lf += end == "\n";
    cr += end == "\r";
  }
  if (lf > crlf && lf >= cr) return "\n";
  if (cr > crlf && cr > lf) return "\r";
  return "\r\n";
}

}  // namespace

std::string OutputText(const TMarkedList& lines) {
  std::size_t size = 0;
  for (const TMarkedLine& line : lines) size += line.Text.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const TMarkedLine& line : lines) {
    bytes += line.Text;
    bytes += "\r\n";
  }
  if (!lines.empty() && HoldsCtrlZ(lines.back().Text)) bytes.resize(bytes.size() - 2);
  return bytes;
}

std::string RestyledBytes(std::string_view original, const TMarkedList& restyled) {
  const TLines before = SplitLines(original);
  const std::vector<std::string_view> ends = LineEnds(original);
  TLines after;
  after.reserve(restyled.size());
  for (const TMarkedLine& line : restyled) after.push_back(line.Text);
  // Lines are paired by their text, not by their marks: a pass may rewrite a line to the same text.
  const TDiffPairing pairing = MatchLines(before, after, false);
  const std::string_view prevailing = PrevailingLineEnd(ends);

  std::size_t size = 0;
  for (const std::string& line : after) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (std::size_t i = 0; i < after.size(); ++i) {
    bytes += after[i];
    const bool last = i + 1 == after.size();
    const int partner = pairing.RightPartner[i];
    std::string_view end = prevailing;
    if (partner >= 0) {
      end = ends[static_cast<std::size_t>(partner)];
      // The original's last line, now followed by others, needs a line end after all.
      if (end.empty() && !last) end = prevailing;
    } else if (last && HoldsCtrlZ(after[i])) {
      end = {};
    }
    // An empty line after a line ended by a lone CR: its LF would join that CR into one line end
    // and the line would vanish, so it ends with a lone CR too.
    if (after[i].empty() && !end.empty() && end[0] == '\n' && !bytes.empty() && bytes.back() == '\r') end = "\r";
    bytes += end;
  }
  return bytes;
}

}  // namespace qm
