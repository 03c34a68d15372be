// SPDX-License-Identifier: MIT
#include <ostream>

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

}  // namespace

// diff LEFT RIGHT: the aligned rows of the two files as the before/after viewer shows them, one
// per line: the row's symbol, a tab, the left line, a tab, the right line (filler rows empty).
int CmdDiff(const TArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: quillmate-cli diff LEFT RIGHT\n";
    return kExitError;
  }
  TLines left, right;
  if (!ReadSide(args[0], left, err) || !ReadSide(args[1], right, err)) return kExitError;

  TDiffResult result = CompareLines(left, right, false);
  for (const TDiffRow& row : result.Rows) {
    out << RowSymbol(row.Kind) << '\t' << LeftCell(row, left).Text << '\t' << RightCell(row, right).Text << '\n';
  }
  out.flush();
  if (!result.Ok()) {
    err << "quillmate-cli: " << result.Error << '\n';
    return kExitError;
  }
  return kExitOk;
}

}  // namespace qm::cli
