// SPDX-License-Identifier: MIT
#pragma once

// The open project: the project file's lines and the chain of source items (forms, modules,
// classes) in project-file order. The chain ends in one empty end item that consumers never
// visit: walk from FirstFile and stop at the first item whose Next is null.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"

namespace qm {

class IPrompts;

// Item kinds by extension; 3 and 4 are not used. The kinds from 6 on are the Visual Basic 5 and 6
// designers: their files open with a control description like a form's, and each has a binary
// companion as a form has its .FRX.
enum TItemKind : std::uint8_t {
  rkForm = 0,
  rkModule = 1,
  rkControl = 2,
  rkClass = 5,
  rkUserControl = 6,   // .CTL, companion .CTX
  rkPropertyPage = 7,  // .PAG, companion .PGX
  rkUserDocument = 8,  // .DOB, companion .DOX
  rkDesigner = 9,      // .DSR, companion .DCA
};

struct RFile {
  std::string Name;     // file name without directory
  std::string Caption;  // shown in the project tree; Name when read
  std::string Path;     // the entry when absolute, else ProjectDir + entry (Windows separators kept)
  double Size = 0;      // bytes when the project was read; -1 when the file was not found
  std::string Ext;      // upper case, with its dot
  std::int32_t LineCount = 0;
  bool Loaded = false;
  bool Selected = true;
  bool Processed = false;
  std::string OutputPath;
  std::uint8_t Kind = rkForm;
  TLines Lines;
  RFile* Next = nullptr;
  RFile* Prev = nullptr;
  // Spare per-item figures, zero when read; the project model does not use them.
  std::int32_t Tag1 = 0, Tag2 = 0, Tag3 = 0;
  bool Flag = false;
};

enum class TReadOutcome { Read, NotText, Cancelled, Empty };

class TSourceMgt {
 public:
  TSourceMgt();
  ~TSourceMgt();
  TSourceMgt(const TSourceMgt&) = delete;
  TSourceMgt& operator=(const TSourceMgt&) = delete;

  TLines ProjectFile;
  std::string ProjectName;
  std::string ProjectDir;  // ends in a separator
  // The Visual Basic version the project file is written for: 4 for a .VBP file, 3 otherwise.
  int VBVersion = 3;
  RFile* FirstFile = nullptr;
  RFile* CurrentFile = nullptr;

  // The real items, in order (the end item excluded).
  std::vector<RFile*> Items() const;

  // Reads path into this project (replacing what it held). Outcomes other than Read have shown
  // their message through prompts and leave the project empty. progress, when given, is called
  // with the number of project-file lines examined so far.
  TReadOutcome ReadProjectFile(std::string_view path, IPrompts& prompts,
                               const std::function<void(int)>& progress = {});

  // Read and free an item's lines; they touch that item alone, so threads may call them for
  // different items at once. readFrom, when given, is the item's file as NativePath found it, so
  // that a thread without the caller's folder listings reads it without searching.
  void LoadLines(RFile& item, std::string_view readFrom = {});
  void FreeLines(RFile* item);
  int CurrentLineCount();
  void FreeCurrentLines();
  void FreeAllLines();

 private:
  RFile* AppendEndItem();
  void Clear();

  std::vector<std::unique_ptr<RFile>> chain_;  // owns every item, end item last
};

// Item kind for an extension (upper case, with dot).
std::uint8_t KindOfExt(std::string_view upperExt);

// Whether items of a kind carry a control description ahead of their code (forms and designers).
bool HasControlDescription(std::uint8_t kind);

// The extension (upper case, with dot) of the binary companion that goes with a source file of
// the given extension: .CTX for .CTL, .PGX for .PAG, .DOX for .DOB, .DCA for .DSR, else .FRX.
std::string CompanionExt(std::string_view upperExt);

// True when the file can be opened and its first byte is a letter, digit, blank, CR, LF, or one of
// ! # ' * . / backslash. Empty or unreadable files are not text.
bool IsTextFile(std::string_view path);

// The file name that a .VBP line names: after the first '=' when the line begins with FORM (any
// case) or with one of the designer keys (UserControl, PropertyPage, UserDocument, Designer),
// else after the first ';', trimmed; empty when the separator is missing.
std::string VBPEntryName(std::string_view line);
// Whether a .VBP line's file name follows its '=' (Form and the designers) rather than a ';'.
bool IsVBPNameAfterEquals(std::string_view line);

// Whether a project line names a source file (.MAK rule: not blank, no '=', extension not
// .DLL/.VBX; .VBP rule: begins with "Form", "Module", "Class", "UserControl", "PropertyPage",
// "UserDocument" or "Designer").
bool IsMAKEntry(std::string_view line);
bool IsVBPEntry(std::string_view line);

// The entry's file name after its last '\\' or '/', and that name's extension in upper case with
// its dot (empty when it has none).
std::string EntryFileName(std::string_view entry);
std::string EntryExtension(std::string_view entry);

// The text without the blanks and control bytes at both ends.
std::string TrimBlanks(std::string_view text);

// The project's directory, ending in a separator, and resolved entries: an absolute entry as it
// stands, else ProjectDir followed by the entry.
std::string ResolveEntry(std::string_view projectDir, std::string_view entry);

}  // namespace qm
