// SPDX-License-Identifier: MIT
#pragma once

// The texts of the options dialog and the save-or-load question that are not a setting's label.

#include <string_view>

namespace qm::optmsg {

inline constexpr std::string_view ButtonOk = "&OK";
inline constexpr std::string_view ButtonCancel = "&Cancel";
inline constexpr std::string_view ButtonHelp = "&Help";
inline constexpr std::string_view ButtonSpellerOptions = "Configure &Spell Checker";
inline constexpr std::string_view HintSelectDirectory = "Select Directory";
inline constexpr std::string_view ListColumn = "Option";
inline constexpr std::string_view ColumnBefore = "Before";
inline constexpr std::string_view ColumnAfter = "After";

// The template files.
inline constexpr std::string_view OpenTitle = "Open Comment Header";
inline constexpr std::string_view SaveTitle = "Save Comment Header";
inline constexpr std::string_view TemplateFilter = "Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*";
inline constexpr std::string_view DirectoryTitle = "Create new code in:";

// The save-or-load question.
inline constexpr std::string_view SaveOrLoadCaption = "Save or Load?";
inline constexpr std::string_view SaveOrLoadText =
    "Do you wish to save the current comment header or load a new one?";
inline constexpr std::string_view SaveOrLoadSave = "&Save";
inline constexpr std::string_view SaveOrLoadLoad = "&Load";
inline constexpr std::string_view SaveOrLoadCancel = "&Cancel";

// The preview.
inline constexpr std::string_view PreviewShow = "Preview >>";
inline constexpr std::string_view PreviewHide = "<< Preview";
inline constexpr std::string_view PreviewOwnSample = "Use my own sample...";
inline constexpr std::string_view PreviewOwnSampleTitle = "Preview Sample";
inline constexpr std::string_view PreviewOwnSampleText =
    "Paste the Visual Basic code to preview.  Leave the box empty for the samples of the pages.";

}  // namespace qm::optmsg
