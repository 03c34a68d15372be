// SPDX-License-Identifier: MIT
#pragma once

// Every text of the main window and its small windows: captions, menu items, hints.

#include <string_view>

namespace qm::shellmsg {

inline constexpr std::string_view ApplicationTitle = "Quillmate/VB 3.0";

// The open dialog.
inline constexpr std::string_view OpenDialogTitle = "Open Project";
inline constexpr std::string_view OpenDialogFilter = "Visual Basic Projects|*.MAK;*.VBP";

// Menus.
inline constexpr std::string_view MenuFile = "&File";
inline constexpr std::string_view MenuFileOpen = "&Open...";
inline constexpr std::string_view MenuFileClose = "&Close Project";
inline constexpr std::string_view MenuFileExit = "E&xit";
inline constexpr std::string_view MenuView = "&View";
inline constexpr std::string_view MenuViewOptions = "&Options...";
inline constexpr std::string_view MenuViewToolbar = "&Toolbar";
inline constexpr std::string_view MenuViewProcessBar = "Process &Bar";
inline constexpr std::string_view MenuViewEncoding = "&Encoding";
inline constexpr std::string_view MenuProject = "&Project";
inline constexpr std::string_view MenuProjectProcess = "&Begin Processing";
inline constexpr std::string_view MenuProjectViewProjectSource = "View Project Source";
inline constexpr std::string_view MenuProjectViewCurrentSource = "View Current Source";
inline constexpr std::string_view MenuProjectFormStructure = "View Form Structure";
inline constexpr std::string_view MenuProjectCommentor = "View Sub/Function Commentor";
inline constexpr std::string_view MenuProjectCharts = "View Charts";
inline constexpr std::string_view MenuProjectSelectAll = "&Select All";
inline constexpr std::string_view MenuProjectDeselectAll = "&Deselect All";
inline constexpr std::string_view MenuWindow = "&Window";
inline constexpr std::string_view MenuWindowTile = "&Tile";
inline constexpr std::string_view MenuWindowCascade = "&Cascade";
inline constexpr std::string_view MenuWindowCloseAll = "Close &All";
inline constexpr std::string_view MenuHelp = "&Help";
inline constexpr std::string_view MenuHelpContents = "&Contents";
inline constexpr std::string_view MenuHelpAbout = "&About...";

// Menu hints.
inline constexpr std::string_view HintFileOpen = "Display the open file dialog";
inline constexpr std::string_view HintFileExit = "Exit Quillmate/VB";
inline constexpr std::string_view HintViewOptions = "Display the options window";
inline constexpr std::string_view HintViewToolbar = "Toggle the toolbar";
inline constexpr std::string_view HintViewProcessBar = "Toggle the process bar";
inline constexpr std::string_view HintViewEncoding = "Choose the code page in which sources are shown";
inline constexpr std::string_view HintWindowTile = "Tile all visible windows";
inline constexpr std::string_view HintWindowCascade = "Cascade all visible windows";
inline constexpr std::string_view HintWindowCloseAll = "Close all windows";
inline constexpr std::string_view HintHelpContents = "Open the help file";
inline constexpr std::string_view HintHelpAbout = "Display the about box";

// Standard keys beside the menus' accelerators.
inline constexpr std::string_view KeyOpen = "Ctrl+O";
inline constexpr std::string_view KeyExit = "Ctrl+Q";
inline constexpr std::string_view KeyHelp = "F1";
inline constexpr std::string_view KeyProcess = "F5";
inline constexpr std::string_view KeyNextWindow = "Ctrl+Tab";
inline constexpr std::string_view KeyPreviousWindow = "Ctrl+Shift+Tab";
inline constexpr std::string_view KeyPreviousWindowBacktab = "Ctrl+Shift+Backtab";

// The toolbar: floating caption and button hints, left to right.
inline constexpr std::string_view ToolbarCaption = "Toolbar";
inline constexpr std::string_view ButtonOpen = "Open a VB Project";
inline constexpr std::string_view ButtonClose = "Close Current Project";
inline constexpr std::string_view ButtonOptions = "Display Options Window";
inline constexpr std::string_view ButtonProcess = "Begin Processing";
inline constexpr std::string_view ButtonViewProjectSource = "View Project Source";
inline constexpr std::string_view ButtonViewSelectedFile = "View Selected File";
inline constexpr std::string_view ButtonFormTree = "Build Form Tree";
inline constexpr std::string_view ButtonCommentor = "Show Function/Module Commentor";
inline constexpr std::string_view ButtonCharts = "Display Chart Selector";
inline constexpr std::string_view ButtonSelectAll = "Select All Items";
inline constexpr std::string_view ButtonDeselectAll = "Deselect All Items";
inline constexpr std::string_view ButtonHelp = "Help";

// The tree's pop-up menu.
inline constexpr std::string_view PopupOptions = "Options";
inline constexpr std::string_view PopupProcess = "Begin Processing";
inline constexpr std::string_view PopupViewProjectSource = "View Project Source";
inline constexpr std::string_view PopupViewCurrentSource = "View Current Source";
inline constexpr std::string_view PopupFormStructure = "View Form Structure";
inline constexpr std::string_view PopupCommentor = "View Sub/Function Commentor";
inline constexpr std::string_view PopupCharts = "View Charts";
inline constexpr std::string_view PopupSelectAll = "Select All";
inline constexpr std::string_view PopupDeselectAll = "Deselect All";
inline constexpr std::string_view PopupToggleSelection = "Toggle Selection";

// The processing window.
inline constexpr std::string_view ProcessingCancel = "Cancel";

// The help window and the about box.
inline constexpr std::string_view HelpCaption = "Quillmate/VB Help";
inline constexpr std::string_view HelpBack = "&Back";
inline constexpr std::string_view HelpForward = "&Forward";
inline constexpr std::string_view HelpContents = "&Contents";
inline constexpr std::string_view HelpClose = "Close";
inline constexpr std::string_view AboutCaption = "About Quillmate/VB";
inline constexpr std::string_view AboutProduct = "Quillmate/VB 3.0";
inline constexpr std::string_view AboutDescription =
    "Restyles the source code of Visual Basic 3 to 6 projects.";
inline constexpr std::string_view AboutVersion = "Version %s";
inline constexpr std::string_view AboutOk = "OK";

}  // namespace qm::shellmsg
