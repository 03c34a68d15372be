#include <ostream>

#include "cli.h"

namespace qm::cli {

int CmdProcess(const TArgs&, std::ostream&, std::ostream& err) {
  err << "quillmate-cli: project runs are not available yet\n";
  return kExitError;
}

int CmdFormat(const TArgs&, std::istream&, std::ostream&, std::ostream& err) {
  err << "quillmate-cli: format is not available yet\n";
  return kExitError;
}

}  // namespace qm::cli
