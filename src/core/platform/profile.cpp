// SPDX-License-Identifier: MIT
#include "platform/profile.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/linefile.h"
#include "platform/os.h"
#include "platform/paths.h"

namespace qm {

namespace {

std::string& SettingsDirectoryOverride() {
  static std::string directory;
  return directory;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string WithTrailingSlash(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return directory;
}

bool IsBareName(std::string_view fileName) {
  return fileName.find_first_of("\\/:") == std::string_view::npos;
}

// One line of a profile file: its text and its terminator, as offsets into the file's bytes.
struct TProfileLine {
  enum Kind { Blank, Comment, Section, Entry, Other };
  std::size_t start = 0;       // first byte of the line
  std::size_t contentEnd = 0;  // first byte of the terminator
  std::size_t end = 0;         // first byte of the next line
  Kind kind = Blank;
  std::string_view name;       // section name or key, trimmed
  std::size_t valueStart = 0;  // Entry: first byte after the '=' and the blanks that follow it
};

std::vector<TProfileLine> ParseProfile(std::string_view bytes) {
  std::vector<TProfileLine> lines;
  std::size_t pos = 0;
  // A UTF-8 byte order mark written by some editors would otherwise hide the first section.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
  while (pos < bytes.size()) {
    TProfileLine line;
    line.start = pos;
    std::size_t eol = bytes.find_first_of("\r\n", pos);
    if (eol == std::string_view::npos) {
      line.contentEnd = line.end = bytes.size();
    } else {
      line.contentEnd = eol;
      line.end = (bytes[eol] == '\r' && eol + 1 < bytes.size() && bytes[eol + 1] == '\n') ? eol + 2
                                                                                           : eol + 1;
    }
    std::string_view content = bytes.substr(line.start, line.contentEnd - line.start);
    std::string_view text = Trim(content);
    if (text.empty()) {
      line.kind = TProfileLine::Blank;
    } else if (text.front() == ';') {
      line.kind = TProfileLine::Comment;
    } else if (text.front() == '[') {
      line.kind = TProfileLine::Section;
      std::string_view name = text.substr(1);
      name = name.substr(0, name.find(']'));
      line.name = Trim(name);
    } else if (std::size_t eq = content.find('='); eq != std::string_view::npos) {
      line.kind = TProfileLine::Entry;
      line.name = Trim(content.substr(0, eq));
      std::size_t value = eq + 1;
      while (value < content.size() && IsBlank(content[value])) ++value;
      line.valueStart = line.start + value;
    } else {
      line.kind = TProfileLine::Other;
    }
    lines.push_back(line);
    pos = line.end;
  }
  return lines;
}

// Index of the first section header with that name, or lines.size().
std::size_t FindSection(const std::vector<TProfileLine>& lines, std::string_view section) {
  std::size_t i = 0;
  while (i < lines.size() &&
         !(lines[i].kind == TProfileLine::Section && SameTextIgnoringCase(lines[i].name, section))) {
    ++i;
  }
  return i;
}

}  // namespace

std::string SettingsDirectory() {
  if (!SettingsDirectoryOverride().empty()) return SettingsDirectoryOverride();
  return os::ConfigDirectory();
}

void SetSettingsDirectory(std::string directory) {
  SettingsDirectoryOverride() = WithTrailingSlash(std::move(directory));
}

std::string ResolveProfilePath(std::string_view fileName) {
  if (IsBareName(fileName)) return NativePath(SettingsDirectory() + std::string(fileName));
  return NativePath(fileName);
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, std::string_view fileName) {
  std::string bytes;
  // A named pipe, a device or a huge file is no settings file: every key keeps its default.
  if (!ReadSmallFile(ResolveProfilePath(fileName), bytes)) return std::string(def);
  std::vector<TProfileLine> lines = ParseProfile(bytes);
  for (std::size_t i = FindSection(lines, section) + 1; i < lines.size(); ++i) {
    const TProfileLine& line = lines[i];
    if (line.kind == TProfileLine::Section) break;
    if (line.kind != TProfileLine::Entry || !SameTextIgnoringCase(line.name, key)) continue;
    std::string_view value = Trim(std::string_view(bytes).substr(
        line.valueStart, line.contentEnd - line.valueStart));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kProfileValueMax));
  }
  return std::string(def);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view fileName) {
  // A line break would split the entry and corrupt the lines after it; an empty name cannot be
  // read back.
  if (Trim(section).empty() || Trim(key).empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value)) {
    return false;
  }
  if (IsBareName(fileName) && !ForceDirectories(SettingsDirectory())) return false;
  const std::string path = ResolveProfilePath(fileName);

  std::string bytes;
  std::string err;
  // Something that exists but cannot be read as a settings file is left alone, not replaced.
  if (!ReadSmallFile(path, bytes, &err) && FileExists(path)) return false;

  std::vector<TProfileLine> lines = ParseProfile(bytes);
  // New lines follow the file's own line endings; a new file gets those of Windows.
  std::string eol = "\r\n";
  if (!lines.empty() && lines.front().end > lines.front().contentEnd) {
    eol = bytes.substr(lines.front().contentEnd, lines.front().end - lines.front().contentEnd);
  }
  const std::string entry = std::string(Trim(key)) + "=" + std::string(value);

  std::string out;
  std::size_t sectionAt = FindSection(lines, section);
  if (sectionAt == lines.size()) {
    out = bytes;
    if (!lines.empty()) {
      if (lines.back().end == lines.back().contentEnd) out += eol;
      if (lines.back().kind != TProfileLine::Blank) out += eol;
    }
    out += "[" + std::string(Trim(section)) + "]" + eol + entry + eol;
  } else {
    std::size_t lastEntry = sectionAt;
    std::size_t found = lines.size();
    for (std::size_t i = sectionAt + 1; i < lines.size(); ++i) {
      const TProfileLine& line = lines[i];
      if (line.kind == TProfileLine::Section) break;
      if (line.kind == TProfileLine::Entry && SameTextIgnoringCase(line.name, key)) {
        found = i;
        break;
      }
      if (line.kind != TProfileLine::Blank && line.kind != TProfileLine::Comment) lastEntry = i;
    }
    if (found != lines.size()) {
      // Only the value changes; the key's spelling and the blanks around the '=' stay.
      const TProfileLine& line = lines[found];
      out = bytes.substr(0, line.valueStart);
      out += value;
      out += bytes.substr(line.contentEnd);
    } else {
      const TProfileLine& after = lines[lastEntry];
      out = bytes.substr(0, after.end);
      if (after.end == after.contentEnd) out += eol;
      out += entry + eol;
      out += bytes.substr(after.end);
    }
  }

  if (out == bytes && FileExists(path)) return true;
  return WriteFileBytes(path, out);
}

}  // namespace qm
