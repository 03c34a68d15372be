// SPDX-License-Identifier: MIT
#pragma once

// Every text of the form tree window.

#include <string_view>

namespace qm::formtreemsg {

// The window's caption; the project's name follows.
inline constexpr std::string_view Caption = "Form tree for ";
inline constexpr std::string_view CloseButton = "Close";
inline constexpr std::string_view PropertyColumn = "Property";
inline constexpr std::string_view ValueColumn = "Value";
inline constexpr std::string_view FilterPlaceholder = "Filter controls and properties";
// Shown above a tree too deep to show whole: the number of nodes left out, then the depth shown.
inline constexpr std::string_view TooDeep = "%1 controls nested deeper than %2 levels are not shown.";

}  // namespace qm::formtreemsg
