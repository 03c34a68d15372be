// SPDX-License-Identifier: MIT
#pragma once

// Every text the source viewers show: captions, button hints, menu items and messages.

#include <string_view>

namespace qm::viewmsg {

// Window captions; the file's path or the project file's name follows.
inline constexpr std::string_view FileCaption = "File: ";
inline constexpr std::string_view ProjectFileCaption = "Project File: ";

// Buttons (caption and hint) and pop-up menu items.
inline constexpr std::string_view CloseHint = "Close";
inline constexpr std::string_view PrintHint = "Print (preview)";
inline constexpr std::string_view SearchHint = "Search";
inline constexpr std::string_view DiffHint = "Diff";
inline constexpr std::string_view CancelProcessingHint = "Cancel processing";
inline constexpr std::string_view SearchMenuItem = "&Search";
inline constexpr std::string_view DiffMenuItem = "&Diff";

// The captions above the panes of the two-pane windows.
inline constexpr std::string_view BeforeCaption = "Before";
inline constexpr std::string_view AfterCaption = "After";

// Find dialog.
inline constexpr std::string_view FindCaption = "Find";
inline constexpr std::string_view FindWhat = "Fi&nd what:";
inline constexpr std::string_view FindWholeWord = "Match &whole word only";
inline constexpr std::string_view FindMatchCase = "Match &case";
inline constexpr std::string_view FindDirection = "Direction";
inline constexpr std::string_view FindUp = "&Up";
inline constexpr std::string_view FindDown = "&Down";
inline constexpr std::string_view FindNext = "&Find Next";
inline constexpr std::string_view FindCancel = "Cancel";
inline constexpr std::string_view NotFound = "Not Found";
// The keys of the search, beside the menus and buttons.
inline constexpr std::string_view FindKey = "Ctrl+F";
inline constexpr std::string_view FindNextKey = "F3";
inline constexpr std::string_view FindPreviousKey = "Shift+F3";

// The changes of a comparison.
inline constexpr std::string_view NextChangeHint = "Next change";
inline constexpr std::string_view PreviousChangeHint = "Previous change";
inline constexpr std::string_view NextChangeKey = "Alt+Down";
inline constexpr std::string_view PreviousChangeKey = "Alt+Up";
inline constexpr std::string_view OverviewHint = "Where the changes are; click to go there";

// The status line of a viewer.
inline constexpr std::string_view EncodingCaption = "&Encoding:";
inline constexpr std::string_view EncodingHint = "The code page this file is shown in (remembered for the file)";

// The notice shown while the before/after window compares its files.
inline constexpr std::string_view Processing = "Processing...";

// The question which pane of a two-pane window to print.
inline constexpr std::string_view LeftOrRightCaption = "Print left or right?";
inline constexpr std::string_view LeftOrRightText =
    "Do you wish to print the code on the left or on the right?";
inline constexpr std::string_view LeftOrRightCancel = "&Cancel";
inline constexpr std::string_view LeftOrRightLeft = "&Left";
inline constexpr std::string_view LeftOrRightRight = "&Right";

// The printed report.
inline constexpr std::string_view ReportTitle = "Quillmate/VB Report Generator";
inline constexpr std::string_view ReportFilename = "Filename: ";
inline constexpr std::string_view ReportPrintedAt = "Printed at ";
inline constexpr std::string_view ReportPage = "Page ";

}  // namespace qm::viewmsg
