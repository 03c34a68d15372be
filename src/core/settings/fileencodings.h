// SPDX-License-Identifier: MIT
#pragma once

// The code page chosen for one file of a project (a viewer's encoding box), remembered in the
// settings file with a section per project:
//
//   [FileEncoding C:\VB\PROJECTS\ORDERS.VBP]
//   ORDERS.FRM=932
//   CUSTOMER.BAS=UTF-8
//
// The section name is "FileEncoding " followed by the project file's path as it was opened; a key
// is the source file's name without its directory (letter case ignored, as every key); a value is
// a code page key of CodePages(). A file without an entry, or with an unknown value, follows the
// View > Encoding choice (Auto). Choosing Auto for a file writes "Auto", which reads back as no
// choice.

#include <string>
#include <string_view>

#include "settings/catalogue.h"
#include "settings/encoding.h"

namespace qm {

inline constexpr std::string_view kFileEncodingSectionPrefix = "FileEncoding ";

// The section of a project; empty when the path cannot name a section (empty, or holding a ']'
// or a line break).
std::string FileEncodingSection(std::string_view projectPath);
// The key of a source file: its name without the directory (either separator); empty when the
// name cannot be a key (empty, or holding '=' or a line break).
std::string FileEncodingKey(std::string_view sourcePath);

// The code page remembered for the file, Auto when none.
TCodePage LoadFileEncoding(std::string_view projectPath, std::string_view sourcePath,
                           std::string_view fileName = kSettingsFileName);
// Remembers the choice; false (with the reason in err) when the settings file cannot be written or
// the project or file name cannot be stored.
bool SaveFileEncoding(std::string_view projectPath, std::string_view sourcePath, TCodePage page,
                      std::string_view fileName = kSettingsFileName, std::string* err = nullptr);

}  // namespace qm
