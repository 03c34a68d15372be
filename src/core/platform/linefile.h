#pragma once

// Text files as lines of bytes: no transcoding (VB files are Windows-1252). Reading splits at CRLF,
// LF or a lone CR; a final terminator adds no empty line. Writing ends every line with CRLF.

#include <string>
#include <string_view>
#include <vector>

namespace qm {

using TLines = std::vector<std::string>;

TLines SplitLines(std::string_view bytes);

bool ReadFileBytes(std::string_view path, std::string& bytes, std::string* err = nullptr);
bool ReadLineFile(std::string_view path, TLines& lines, std::string* err = nullptr);

// Replaces the file; false (with a reason in err) when it cannot be written.
bool WriteFileBytes(std::string_view path, std::string_view bytes, std::string* err = nullptr);
bool WriteLineFile(std::string_view path, const TLines& lines, std::string* err = nullptr);

}  // namespace qm
