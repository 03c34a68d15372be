// SPDX-License-Identifier: MIT
#include "shell/listing.h"

#include <algorithm>

namespace qm {

namespace {

constexpr std::string_view kCaptions[] = {"Project File: ", "File: "};

}  // namespace

std::string ListingFile(std::string_view title) {
  for (const std::string_view caption : kCaptions) {
    if (title.starts_with(caption)) return std::string(title.substr(caption.size()));
  }
  return std::string(title);
}

std::string ListingDocName(std::string_view title) {
  const std::string file = ListingFile(title);
  std::string_view name = file;
  if (const std::size_t slash = name.find_last_of("\\/:"); slash != std::string_view::npos) name.remove_prefix(slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

std::vector<TListingRow> WrapListingLine(std::u16string_view line, int columns, int markWidth) {
  std::vector<TListingRow> rows;
  const std::size_t first = static_cast<std::size_t>(std::max(columns, 1));
  const std::size_t rest = static_cast<std::size_t>(std::max(columns - std::max(markWidth, 0), 1));
  std::size_t start = 0;
  do {
    const std::size_t width = rows.empty() ? first : rest;
    std::size_t length = std::min(width, line.size() - start);
    if (start + length < line.size()) {
      // Break after the last blank of the row when it stands in the row's second half.
      const std::u16string_view row = line.substr(start, length);
      const std::size_t blank = row.find_last_of(u" \t");
      if (blank != std::u16string_view::npos && blank + 1 > width / 2) length = blank + 1;
    }
    rows.push_back({start, length, !rows.empty()});
    start += length;
  } while (start < line.size());
  return rows;
}

}  // namespace qm
