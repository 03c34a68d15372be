// SPDX-License-Identifier: MIT
#pragma once

// Windows paths on a Linux disk. The project model keeps paths as Visual Basic wrote them
// (Forms\About.frm, C:\LIB\UTIL.BAS, .\STYLED\) joined to native directories; NativePath
// translates one only where a file is touched: backslashes become '/', and a component that does
// not exist under its exact name is looked up without regard to letter case.

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The native path for a (possibly Windows-style) path. Existing components are found
// case-insensitively when the exact name is missing; the rest is kept as given (so a file about to
// be created gets the spelling asked for). "." components and doubled separators are dropped, ".."
// is kept for the system to resolve, and a trailing separator stays.
// A path naming a Windows drive (a component beginning with a letter and ':', as in
// "C:\LIB\UTIL.BAS" or "C:FOO.BAS", also behind a directory) or a server share ("\\server\x")
// has no meaning here: it becomes a path below /dev/null ("/dev/null/C:/LIB/UTIL.BAS"), under
// which nothing can be read, listed or created, not even by root, so such a file simply does not
// exist and the real root is never touched.
std::string NativePath(std::string_view path);
// Whether a native path is one that NativePath put below the root where nothing exists.
bool IsNowherePath(std::string_view native);

// For the length of one run (reading a project, processing it), the directories NativePath must
// search are listed at most once each and the directories it has found are remembered, so that a
// project of N files costs O(N) file-system calls, not O(N) listings of its folder. The name as
// written is always tried first; a name found in a listing is checked to still exist before it
// is used. Scopes nest; what is cached is dropped when the outermost one ends, so the next run
// sees the disk afresh. Outside a scope nothing is cached. A scope covers the thread that opens it.
class TDirectoryCacheScope {
 public:
  TDirectoryCacheScope();
  ~TDirectoryCacheScope();
  TDirectoryCacheScope(const TDirectoryCacheScope&) = delete;
  TDirectoryCacheScope& operator=(const TDirectoryCacheScope&) = delete;
};

// Whoever creates or deletes a file or directory during a scope reports its native path here,
// so that the listings stay true: a file the run created is found afterwards under any letter
// case, a deleted one is forgotten. Nothing happens outside a scope.
void NoteFileCreated(std::string_view nativePath);
void NoteFileRemoved(std::string_view nativePath);

// A path as the user reads it in captions and messages: the native path as NativePath finds it
// ("/home/me/vb4/Forms/frmAbout.frm", "/home/me/vb4/STYLED/"). A path naming a Windows drive or
// share stays as written, since it names nothing on this machine.
std::string DisplayPath(std::string_view path);

// An entry holding a drive letter ("C:\...", any position of ":\") or beginning with '/' is absolute.
bool IsAbsoluteEntry(std::string_view entry);

// The name after the last '\\', '/' or ':'.
std::string ExtractFileName(std::string_view path);
// The extension of the file name with its dot (".frm"), empty when there is none.
std::string ExtractFileExt(std::string_view path);
// Everything up to and including the last '\\' or '/' (empty when there is none).
std::string ExtractFilePath(std::string_view path);
// The path with the file name's extension replaced by ext (which carries its dot).
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// The path with one trailing separator ('\\' or '/') unless it already ends with one.
// The separator added is '\\' when the path holds one, else '/'; an empty path stays empty (a
// lone separator would name the root directory).
std::string IncludeTrailingSeparator(std::string_view path);

bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);
// Creates the directory with every missing parent; true when it exists afterwards.
bool ForceDirectories(std::string_view path);
// Names of the ordinary files of a directory (no subdirectories), sorted without regard to
// letter case (byte order between names equal but for case).
std::vector<std::string> ListFiles(std::string_view directory);
// Size in bytes of the file at path, or -1 when none is found.
double FileSizeOf(std::string_view path);

// Upper-cases ASCII letters only (VB files are Windows-1252; other bytes stay as they are).
std::string UpperCase(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace qm
