// SPDX-License-Identifier: MIT
#pragma once

// The procedure commentor: a walk through the Subs and Functions of one module, showing the
// comment block around each routine's first line for editing, and saving the edited module into
// the output directory. TCommentorSession holds everything a commentor window shows; the window
// paints it and hands the user's edits back.
//
// A routine's block is the run of lines beginning with an apostrophe in the first column directly
// above its first line and directly below it, with that first line between them; the first line
// of the file (the module's Attribute or VERSION line) never belongs to one.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"

namespace qm {

class IPrompts;
class TSettings;
struct RFile;
struct TCommentTemplates;

enum class TRoutineKind : std::uint8_t { None, Sub, Function };

// The kind of a routine's first line: the line without its leading blanks begins with "Sub ",
// "Private Sub ", "Static Sub " or "Public Sub " (or the same with Function), or, in Visual Basic
// 5 and 6, "Friend Sub ", "Private Static Sub ", "Public Static Sub " or "Friend Static Sub ",
// letter case as written. Comments are not removed first; Property procedures are no routines here.
TRoutineKind RoutineKindOf(std::string_view line);
// The line without its leading blanks, and with one blank appended, begins with "End Sub " or
// "End Function ".
bool IsRoutineEnd(std::string_view line);

// The first routine line at or after from (index 0 is never taken), or -1.
int FindRoutineForward(const TLines& lines, int from);
// The first routine line at or before from, down to index 1, or -1.
int FindRoutineBackward(const TLines& lines, int from);
// The routine's last line: the first line from its first line on that ends it, else the last line.
int RoutineEndOf(const TLines& lines, int first);

// The last line of a routine's declaration: its first line, or the last of the lines that continue
// it (each before ending in " _").
int DeclarationEndOf(const TLines& lines, int first);

// The block of a routine: its first and last line, both inclusive, the routine's declaration (all
// its lines) between.
struct THeaderRange {
  int Start = 0;
  int End = 0;
  friend bool operator==(const THeaderRange&, const THeaderRange&) = default;
};
THeaderRange HeaderBlockOf(const TLines& lines, int routineLine);

// The values shown beside the block, read from its "'  Author :", "'  Params :" and
// "'  Returns:" lines.
struct THeaderFields {
  std::string Author;
  std::string Params;
  std::string Returns;
  friend bool operator==(const THeaderFields&, const THeaderFields&) = default;
};
// Reads one block line into the fields it names; the others keep their text.
void ReadHeaderLine(std::string_view line, THeaderFields& fields);

// Replaces the block's lines by the edited ones and returns the new routine line: the first
// edited line that starts a routine, else the block's first line (within the lines).
int ApplyHeaderEdits(TLines& lines, THeaderRange block, const TLines& edited);

// The directory of a module's path, with its separator ('\\' or '/'); empty without one.
std::string SourceDirOf(std::string_view path);
// Where the commentor saves: the setting itself when it is absolute (a colon in it, or a leading
// '/'), else the project's directory followed by it: the output directory of the processing run,
// where the module is saved flat under the item's name as the run writes it.
std::string CommentorSaveDir(std::string_view projectDir, std::string_view setting);

// One entry of the routine list: every routine of the module in file order.
struct TRoutineEntry {
  int Line = 0;
  TRoutineKind Kind = TRoutineKind::None;
  std::string Text;        // the routine's first line
  bool HasHeader = false;  // its block holds a comment line
};
std::vector<TRoutineEntry> ListRoutines(const TLines& lines);

// The header template for a routine, expanded with its name, parameters, return clause, the
// author and the date, every line a comment from the first column on. line is the routine's
// first line with any continuation lines joined.
TLines ExpandRoutineTemplate(std::string_view line, TRoutineKind kind, const TCommentTemplates& templates,
                             const std::string& author);

enum class TSaveOutcome {
  Saved,
  NothingShown,   // no routine is shown, so there is no block to save
  Refused,        // the save path is the module's own file
  NoDirectory,    // the save directory could not be made
  WriteFailed,    // the file could not be written
  ProgramChanged, // the edits would change the module's code, not only its comments
};

class TCommentorSession {
 public:
  // templates: the live header templates (the built-in ones when null).
  TCommentorSession(const TSettings& settings, IPrompts& prompts, const TCommentTemplates* templates = nullptr);

  // Reads the module at item.Path and shows its first routine, or says that it has none. False
  // (after an error message naming the path) when the file cannot be read. projectDir is the
  // directory of the item's project, which the output directory is relative to (the module's own
  // directory when not given).
  bool OpenModule(const RFile& item, std::string_view projectDir = {});

  // Prior and Next: after asking about unsaved changes, the routine before or after the current
  // one. False when nothing moved.
  bool Prior();
  bool Next();
  // The routine at a line (from the routine list), after asking about unsaved changes.
  bool GoToRoutine(int line);

  // Writes the module with the block's edits applied into the save directory.
  TSaveOutcome Save();
  // True to go on (nothing unsaved, or saved, or dropped), false to stay.
  bool AskSaveChanges();

  // The comment box's text as the user left it.
  void EditComments(TLines lines);
  // Puts the expanded template of the current routine into the box, above or below its first
  // line as the settings place headers. Only for a routine whose block holds no comment line.
  bool CanInsertTemplate() const;
  bool InsertTemplate();
  // The Author box as the user typed it: Insert Template names that author, and keeps it shown.
  void SetTypedAuthor(std::string author);

  // What the window shows.
  bool HasRoutine() const { return FCurrentLine >= 0 && FCurrentLine < LineCount(); }
  const TLines& ModuleLines() const { return FModuleLines; }
  int CurrentLine() const { return FCurrentLine; }
  int HeaderStart() const { return FHeaderStart; }
  int HeaderEnd() const { return FHeaderEnd; }
  // The last line drawn as the current routine's.
  int RoutineEnd() const;
  std::string RoutineText() const;
  const TLines& CommentLines() const { return FCommentLines; }
  const THeaderFields& Fields() const { return FFields; }
  // The box differs from what was last filled in or saved.
  bool Modified() const { return FModified; }
  // Edits are waiting to be written: the box is modified, or a save applied them but failed.
  bool Unsaved() const { return FModified || FUnwritten; }
  // Counts the changes of ModuleLines, so that the window knows when to reload its source view.
  int Revision() const { return FRevision; }
  std::vector<TRoutineEntry> Routines() const { return ListRoutines(FModuleLines); }

  std::string Caption() const;
  const std::string& ModulePath() const { return FModulePath; }
  const std::string& ItemName() const { return FItemName; }
  const std::string& SourceDir() const { return FSourceDir; }
  const std::string& SaveDir() const { return FSaveDir; }
  std::string SavePath() const;

 private:
  int LineCount() const { return static_cast<int>(FModuleLines.size()); }
  void ShowRoutine(int line);
  void LoadHeaderBlock();
  std::string RoutineStatement() const;
  std::string TemplateAuthor() const;
  bool SaveOverSource(const std::string& savePath) const;

  const TSettings& FSettings;
  IPrompts& FPrompts;
  const TCommentTemplates* FTemplates;

  // The module as read, and as it stands with the saved edits.
  TLines FReadLines;
  TLines FModuleLines;
  int FCurrentLine = 0;
  int FHeaderStart = 0;
  int FHeaderEnd = -1;
  std::string FSaveDir;
  std::string FItemName;
  std::string FSourceDir;
  std::string FProjectDir;
  std::string FModulePath;

  TLines FCommentLines;
  THeaderFields FFields;
  bool FModified = false;
  bool FUnwritten = false;
  bool FTemplateInserted = false;
  bool FAuthorTyped = false;
  int FRevision = 0;
};

}  // namespace qm
