// SPDX-License-Identifier: MIT
#pragma once

// One source restyled on its own, without a project or a processing run: the driver's format, an
// editor's request. The passes over its lines with the services' settings (their tab width
// included), then the safety check that a writing run makes before it writes a file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/formatter.h"

namespace qm {

struct TRestyled {
  bool Done = false;  // false when cancelled; Output then holds the interrupted pass's lines
  TMarkedList Output;
  // The line of the source near which the restyled text would read as another program: such a
  // text must not be written.
  std::optional<std::size_t> MismatchLine;

  bool Usable() const { return Done && !MismatchLine; }
};

// name gives the file name the header comments and the processing window show; kind is the
// item kind (rkForm, rkModule, rkClass). cancel: the request the caller may set from another
// thread; without one the restyling cannot be cancelled.
TRestyled RestyleLines(const TLines& lines, std::string_view name, std::uint8_t kind,
                       const TEngineServices& services, TCancelToken* cancel = nullptr);

}  // namespace qm
