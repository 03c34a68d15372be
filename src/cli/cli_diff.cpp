#include <ostream>

#include "cli.h"

namespace qm::cli {

int CmdDiff(const TArgs&, std::ostream&, std::ostream& err) {
  err << "quillmate-cli: diff is not available yet\n";
  return kExitError;
}

}  // namespace qm::cli
