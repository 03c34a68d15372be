// SPDX-License-Identifier: MIT
#include <ostream>
#include <string_view>

#include "analysis/linediff.h"
#include "cli.h"
#include "platform/linefile.h"

namespace qm::cli {

namespace {

// The row kinds as the first column of the output.
char RowSymbol(TDiffRowKind kind) {
  switch (kind) {
    case TDiffRowKind::Equal: return '=';
    case TDiffRowKind::Changed: return '~';
    case TDiffRowKind::Deleted: return '-';
    case TDiffRowKind::Inserted: return '+';
  }
  return '?';
}

bool ReadSide(const std::string& path, TLines& lines, std::ostream& err) {
  std::string why;
  if (ReadLineFile(path, lines, &why)) return true;
  err << "quillmate-cli: cannot read " << path << (why.empty() ? "" : ": ") << why << '\n';
  return false;
}

constexpr std::string_view kDiffUsage =
    "usage: quillmate-cli diff LEFT RIGHT\n"
    "\n"
    "Prints the lines of two files lined up as the before/after viewer shows them, one row per\n"
    "line: the row's symbol (= equal, ~ changed, - only left, + only right), a tab, the left\n"
    "line, a tab, the right line (empty on the side without one). Line ends are not compared.\n"
    "\n"
    "  --help  print this help\n"
    "\n"
    "Exit status: 0 the files' lines are equal, 1 they differ, 2 error.\n";

}  // namespace

// diff LEFT RIGHT: the aligned rows of the two files as the before/after viewer shows them, one
// per line: the row's symbol, a tab, the left line, a tab, the right line (filler rows empty).
int CmdDiff(const TArgs& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    out << kDiffUsage;
    return kExitOk;
  }
  if (args.size() != 2) {
    err << "usage: quillmate-cli diff LEFT RIGHT\nTry 'quillmate-cli diff --help'.\n";
    return kExitError;
  }
  TLines left, right;
  if (!ReadSide(args[0], left, err) || !ReadSide(args[1], right, err)) return kExitError;

  TDiffResult result = CompareLines(left, right, false);
  bool differ = false;
  for (const TDiffRow& row : result.Rows) {
    differ = differ || row.Kind != TDiffRowKind::Equal;
    out << RowSymbol(row.Kind) << '\t' << LeftCell(row, left).Text << '\t' << RightCell(row, right).Text << '\n';
  }
  out.flush();
  if (!result.Ok()) {
    err << "quillmate-cli: " << result.Error << '\n';
    return kExitError;
  }
  // As diff and cmp: 1 when the files differ, for scripts that ask only that.
  return differ ? kExitFindings : kExitOk;
}

}  // namespace qm::cli
