// SPDX-License-Identifier: MIT
#pragma once

// Every text of the chart selector and the chart windows that the statistics do not give.

#include <string_view>

namespace qm::chartmsg {

inline constexpr std::string_view SelectorCaption = "Charts";
inline constexpr std::string_view SampleTitle = "Chart Sample";
inline constexpr std::string_view SampleFoot = "Quillmate/VB";
inline constexpr std::string_view Create = "C&reate";
inline constexpr std::string_view Close = "&Close";

// The chart window's buttons.
inline constexpr std::string_view CloseButton = "Close";
inline constexpr std::string_view PrintButton = "Print (Immediate)";
inline constexpr std::string_view SaveImageButton = "Save Image...";

// Saving and printing.
inline constexpr std::string_view SaveImageTitle = "Save Image";
inline constexpr std::string_view SaveImageFilter = "PNG image (*.png);;SVG image (*.svg)";
inline constexpr std::string_view UnableToSaveImage = "Unable to save the chart as %s.";
inline constexpr std::string_view UnableToPrint = "Unable to print the chart: no printer is ready.";

}  // namespace qm::chartmsg
