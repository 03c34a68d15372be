// SPDX-License-Identifier: MIT
#pragma once

// What a printed listing of a viewer shows: the file it names (once, in the page header), the
// name the print dialog offers for a PDF of it, and how a line longer than the page is wrapped
// onto continuation rows instead of being cut at the margin.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The file a viewer's title names: the title without its "File: " or "Project File: " caption.
std::string ListingFile(std::string_view title);

// The name of the document as the print dialog offers it ("frmMain" for ...\frmMain.frm, which the
// dialog makes frmMain.pdf): the file's name without directory and extension.
std::string ListingDocName(std::string_view title);

// One printed row of a line: the part [Start, Start + Length) of it; Continued for every row after
// the line's first, which is drawn behind a continuation mark.
struct TListingRow {
  std::size_t Start = 0;
  std::size_t Length = 0;
  bool Continued = false;
  friend bool operator==(const TListingRow&, const TListingRow&) = default;
};

// The rows of one line (characters, tabs already expanded) on a page columns wide: the first row
// takes up to columns characters, each continuation row up to columns - markWidth. A row breaks
// after its last blank when that blank stands in the row's second half, so that words stay whole,
// else at the width. An empty line is one empty row; every row holds at least one character.
std::vector<TListingRow> WrapListingLine(std::u16string_view line, int columns, int markWidth);

}  // namespace qm
