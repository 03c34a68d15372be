#pragma once

// Copying the project into the output directory, so that it opens and builds there on its own:
// the project's entries (with each form's .FRX companion), every file of the project directory,
// the project file itself, and the rewriting of that copy so that it names its files directly in
// the output directory. Also the clean-up of the output directory after a cancelled run.
//
// Directory arguments are Windows-style or native directories ending in a separator; file names
// are joined to them by plain concatenation and translated to native paths only when a file is
// touched. A file that cannot be read, created or written is skipped silently: the copy modes are
// a convenience, and the run goes on without them.

#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"

namespace qm {

class IProgress;
class IPrompts;

// The three copy operations return false at once (nothing copied, nothing shown) when the project
// directory or the output directory is not an existing directory; otherwise they show the copy
// window (label "Backing Up File: <name>", gauge 0..count-1), copy, hide it and return true.

// .MAK rule: every line is taken as a file name relative to the project directory (settings and
// absolute paths simply name no file there), copied together with its .FRX companion.
bool CopyMAKEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress);

// .VBP rule: the file name of each line (see VBPEntryName), when it has two characters or more,
// copied together with its .FRX companion.
bool CopyVBPEntries(const TLines& projectLines, std::string_view projectDir, std::string_view outputDir,
                    IProgress& progress);

// Copies each named file of the project directory to the output directory.
bool CopyDirectoryFiles(const std::vector<std::string>& names, std::string_view projectDir,
                        std::string_view outputDir, IProgress& progress);
// The same over the ordinary files the project directory holds now.
bool CopyDirectoryFiles(std::string_view projectDir, std::string_view outputDir, IProgress& progress);

// Rewrites a copied project file so that its source entries carry no directory. .MAK: a line with
// a backslash, no '=' and an extension other than DLL, VBX or OCX becomes its bare file name.
// .VBP: Form=Forms\About.frm becomes Form=About.frm, Module=Utils; Lib\UTILS.BAS becomes
// Module=Utils; UTILS.BAS. Returns false when the file cannot be read or written back (a missing
// file included); the file's permission bits are kept, and a read-only copy is still rewritten.
bool LocalizeMAKFile(std::string_view projectFilePath);
bool LocalizeVBPFile(std::string_view projectFilePath);

// The line rewriting of the two Localize functions, one line at a time.
std::string LocalizeMAKLine(std::string_view line);
std::string LocalizeVBPLine(std::string_view line);

// Deletes directory + name for each name, under the busy cursor; true when every file was deleted.
bool DeleteFiles(const std::vector<std::string>& names, std::string_view directory, IPrompts& prompts);
// The same over the ordinary files the directory holds now (subdirectories are left).
bool DeleteFiles(std::string_view directory, IPrompts& prompts);

// Copies a file's bytes to a new, writable file dated now, replacing any file of that name. Refuses
// (false, nothing touched) when the two path strings are equal or name the same file on disk, so a
// file is never truncated onto itself; false also when the source is not a readable regular file or
// the destination cannot be created or written.
bool CopyFileAsNew(std::string_view source, std::string_view destination);

// As CopyFileAsNew, but the copy keeps the source's modification time and permission bits.
bool CopyFileExact(std::string_view source, std::string_view destination);

}  // namespace qm
