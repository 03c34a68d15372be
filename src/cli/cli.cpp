#include "cli.h"

#include <ostream>

namespace qm::cli {

int RunCli(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "format") return CmdFormat(TArgs(args.begin() + 1, args.end()), in, out, err);
  if (!args.empty() && args[0] == "diff") return CmdDiff(TArgs(args.begin() + 1, args.end()), out, err);
  return CmdProcess(args, out, err);
}

}  // namespace qm::cli
