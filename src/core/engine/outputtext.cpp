// SPDX-License-Identifier: MIT
#include "engine/outputtext.h"

namespace qm {

std::string OutputText(const TMarkedList& lines) {
  std::size_t size = 0;
  for (const TMarkedLine& line : lines) size += line.Text.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const TMarkedLine& line : lines) {
    bytes += line.Text;
    bytes += "\r\n";
  }
  if (!lines.empty() && lines.back().Text.find('\x1A') != std::string::npos) bytes.resize(bytes.size() - 2);
  return bytes;
}

}  // namespace qm
