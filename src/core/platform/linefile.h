// SPDX-License-Identifier: MIT
#pragma once

// Text files as lines of bytes: no transcoding (VB files are Windows-1252). Reading splits at CRLF,
// LF or a lone CR; a final terminator adds no empty line. Writing ends every line with CRLF.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

using TLines = std::vector<std::string>;

TLines SplitLines(std::string_view bytes);
// The number of lines SplitLines gives for bytes, without building them.
std::int32_t CountLines(std::string_view bytes);

bool ReadFileBytes(std::string_view path, std::string& bytes, std::string* err = nullptr);
bool ReadLineFile(std::string_view path, TLines& lines, std::string* err = nullptr);

// Largest settings or template file read (a few megabytes; real ones are a few kilobytes).
inline constexpr std::size_t kSmallFileMax = 4u << 20;

inline constexpr std::string_view kIsDirectory = "is a directory";
inline constexpr std::string_view kNotRegularFile = "is not a regular file";
inline constexpr std::string_view kTooLarge = "is too large";

// Reads a file the user names for settings or templates: only a regular file of at most maxBytes.
// A named pipe or a device is never read (it could block for ever or never end). On failure err
// holds the reason: "is a directory", "is not a regular file", "is too large", or the system's.
bool ReadSmallFile(std::string_view path, std::string& bytes, std::string* err = nullptr,
                   std::size_t maxBytes = kSmallFileMax);

// Replaces the file; false (with a reason in err) when it cannot be written.
bool WriteFileBytes(std::string_view path, std::string_view bytes, std::string* err = nullptr);
// As WriteFileBytes, but a symbolic link at path is replaced by the new file instead of being
// written through, so the write never reaches a file outside the link's directory.
bool ReplaceFileBytes(std::string_view path, std::string_view bytes, std::string* err = nullptr);
// Restyles a file in place: replaces its bytes, which were read as before, by after, through a
// new file beside it renamed over it (so a failure leaves the old file whole), with the old
// file's permissions; through a symbolic link, the file it names. Refused, with the reason in err,
// when the file is not a regular file, is read-only (the owner's wish to keep it), or no longer
// holds before (another program wrote it meanwhile).
bool RewriteFileBytes(std::string_view path, std::string_view before, std::string_view after,
                      std::string* err = nullptr);
inline constexpr std::string_view kReadOnly = "is read-only";
inline constexpr std::string_view kChangedMeanwhile = "was changed by another program meanwhile";

bool WriteLineFile(std::string_view path, const TLines& lines, std::string* err = nullptr);

}  // namespace qm
