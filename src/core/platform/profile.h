// SPDX-License-Identifier: MIT
#pragma once

// Private-profile (INI) files with the semantics of the Windows profile functions: sections and
// keys matched without regard to letter case, blanks around keys and values ignored, one pair of
// enclosing quotes around a value dropped, ';' comment lines, and writes that keep every other
// line of the file as it was. A bare file name resolves to the settings directory.

#include <string>
#include <string_view>

namespace qm {

// Longest value a read returns, as the Windows functions limit it.
inline constexpr std::size_t kProfileValueMax = 1023;

// $XDG_CONFIG_HOME/quillmate/, else ~/.config/quillmate/ (ending in '/'), unless overridden.
std::string SettingsDirectory();
// Points bare profile names at another directory (tests, the driver's --settings); empty restores.
void SetSettingsDirectory(std::string directory);

// A bare name ("VBQUILL3.INI") resolves into the settings directory; a name with a directory is
// taken as a path (Windows separators translated).
std::string ResolveProfilePath(std::string_view fileName);

// The value of key in section, or def when the file, section or key is missing.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, std::string_view fileName);

// Sets key in section, creating the file (and the settings directory), section or key as needed.
// False when the file cannot be written. Every other line stays as it was; new lines take the
// file's line endings (CRLF in a new file). The file is replaced in one rename, never left half
// written. An empty section or key, or a line break in any argument, is refused (false), since it
// would corrupt the entries after it.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view fileName);

}  // namespace qm
