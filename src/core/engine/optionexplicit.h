// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace qm {

// The line the pipeline inserts where a file lacks Option Explicit (followed by one empty line),
// and its comment, by which the safety check tells that line from the file's own comments.
inline constexpr std::string_view kOptionExplicitLine =
    "Option Explicit     'Force all variables to be declared before their use";
inline constexpr std::string_view kOptionExplicitComment =
    kOptionExplicitLine.substr(kOptionExplicitLine.find('\'') + 1);

}  // namespace qm
