// SPDX-License-Identifier: MIT
#include "engine/restyle.h"

#include <string>
#include <utility>

#include "engine/programcheck.h"

namespace qm {

TRestyled RestyleLines(const TLines& lines, std::string_view name, std::uint8_t kind,
                       const TEngineServices& services, TCancelToken* cancel) {
  TVBSrcFormatter formatter(services, cancel);
  formatter.FFileName = std::string(name);
  formatter.FFileKind = kind;
  TRestyled result;
  result.Done = formatter.FormatPasses(lines);
  result.Output = std::move(formatter.FOutput);
  if (result.Done) {
    result.MismatchLine =
        ProgramMismatchLine(lines, result.Output, ProgramCheckOptionsFor(services.Settings, services.Templates));
  }
  return result;
}

}  // namespace qm
