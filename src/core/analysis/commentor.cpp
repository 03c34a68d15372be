// SPDX-License-Identifier: MIT
#include "analysis/commentor.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "engine/linefuncs.h"
#include "engine/programcheck.h"
#include "engine/run.h"
#include "engine/templates.h"
#include "messages.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "ui/prompts.h"

namespace qm {

using msg::Fill;

namespace {

using K = SettingKey;

constexpr std::string_view kAuthorPrefix = "'  Author :";
constexpr std::string_view kParamsPrefix = "'  Params :";
constexpr std::string_view kReturnsPrefix = "'  Returns:";
static_assert(kAuthorPrefix.size() == kParamsPrefix.size() && kParamsPrefix.size() == kReturnsPrefix.size());

bool IsBlockLine(std::string_view line) { return !line.empty() && line.front() == '\''; }

// A statement continued on the next line ends in a blank and "_".
bool Continues(std::string_view line) {
  line = TrimRight(line);
  return line.ends_with('_') && (line.size() == 1 || line[line.size() - 2] == ' ' || line[line.size() - 2] == '\t');
}

std::string AsBlockLine(std::string line) { return IsBlockLine(line) ? line : "'" + line; }

}  // namespace

// Visual Basic 5 and 6 also declare routines Friend, Private Static and Public Static.
TRoutineKind RoutineKindOf(std::string_view line) {
  const std::string_view t = TrimLeftControls(line);
  for (std::string_view prefix : {"Function ", "Private Function ", "Static Function ", "Public Function ",
                                  "Friend Function ", "Private Static Function ", "Public Static Function ",
                                  "Friend Static Function "}) {
    if (t.starts_with(prefix)) return TRoutineKind::Function;
  }
  for (std::string_view prefix : {"Sub ", "Private Sub ", "Static Sub ", "Public Sub ", "Friend Sub ",
                                  "Private Static Sub ", "Public Static Sub ", "Friend Static Sub "}) {
    if (t.starts_with(prefix)) return TRoutineKind::Sub;
  }
  return TRoutineKind::None;
}

bool IsRoutineEnd(std::string_view line) {
  const std::string t = std::string(TrimLeftControls(line)) + ' ';
  return t.starts_with("End Sub ") || t.starts_with("End Function ");
}

int FindRoutineForward(const TLines& lines, int from) {
  for (int i = std::max(from, 1); i < static_cast<int>(lines.size()); ++i) {
    if (RoutineKindOf(lines[static_cast<std::size_t>(i)]) != TRoutineKind::None) return i;
  }
  return -1;
}

int FindRoutineBackward(const TLines& lines, int from) {
  for (int i = std::min(from, static_cast<int>(lines.size()) - 1); i >= 1; --i) {
    if (RoutineKindOf(lines[static_cast<std::size_t>(i)]) != TRoutineKind::None) return i;
  }
  return -1;
}

int RoutineEndOf(const TLines& lines, int first) {
  const int last = static_cast<int>(lines.size()) - 1;
  for (int i = std::max(first, 0); i <= last; ++i) {
    if (IsRoutineEnd(lines[static_cast<std::size_t>(i)])) return i;
  }
  return last;
}

int DeclarationEndOf(const TLines& lines, int first) {
  const int last = static_cast<int>(lines.size()) - 1;
  int i = std::max(first, 0);
  while (i < last && Continues(lines[static_cast<std::size_t>(i)])) ++i;
  return std::min(i, std::max(last, 0));
}

THeaderRange HeaderBlockOf(const TLines& lines, int routineLine) {
  // Below a declaration continued with " _" the block starts after its last line.
  THeaderRange range{routineLine, DeclarationEndOf(lines, routineLine)};
  while (range.Start - 1 >= 1 && IsBlockLine(lines[static_cast<std::size_t>(range.Start - 1)])) --range.Start;
  while (range.End + 1 < static_cast<int>(lines.size()) && IsBlockLine(lines[static_cast<std::size_t>(range.End + 1)])) {
    ++range.End;
  }
  return range;
}

void ReadHeaderLine(std::string_view line, THeaderFields& fields) {
  const std::string_view t = TrimControls(line);
  // The three prefixes are equally long.
  auto rest = [&] { return std::string(TrimControls(t.substr(kAuthorPrefix.size()))); };
  if (t.starts_with(kAuthorPrefix)) {
    fields.Author = rest();
  } else if (t.starts_with(kParamsPrefix)) {
    fields.Params = rest();
  } else if (t.starts_with(kReturnsPrefix)) {
    fields.Returns = rest();
  }
}

int ApplyHeaderEdits(TLines& lines, THeaderRange block, const TLines& edited) {
  const int count = static_cast<int>(lines.size());
  block.Start = std::clamp(block.Start, 0, count);
  block.End = std::clamp(block.End, block.Start - 1, count - 1);
  const auto at = lines.begin() + block.Start;
  lines.insert(lines.erase(at, lines.begin() + block.End + 1), edited.begin(), edited.end());
  for (std::size_t k = 0; k < edited.size(); ++k) {
    if (RoutineKindOf(edited[k]) != TRoutineKind::None) return block.Start + static_cast<int>(k);
  }
  // The routine's own line was edited away: stay where the block was.
  return std::min(block.Start, static_cast<int>(lines.size()) - 1);
}

std::string SourceDirOf(std::string_view path) { return ExtractFilePath(path); }

std::string CommentorSaveDir(std::string_view sourceDir, std::string_view setting) {
  return ResolveOutputDirectory(sourceDir, setting);
}

std::vector<TRoutineEntry> ListRoutines(const TLines& lines) {
  std::vector<TRoutineEntry> routines;
  for (int i = FindRoutineForward(lines, 1); i >= 0; i = FindRoutineForward(lines, i + 1)) {
    const std::string& text = lines[static_cast<std::size_t>(i)];
    const THeaderRange block = HeaderBlockOf(lines, i);
    routines.push_back({i, RoutineKindOf(text), text, block.Start < i || block.End > DeclarationEndOf(lines, i)});
  }
  return routines;
}

TLines ExpandRoutineTemplate(std::string_view line, TRoutineKind kind, const TCommentTemplates& templates,
                             const std::string& author) {
  const bool isFunction = kind == TRoutineKind::Function;
  const std::string_view statement = TrimLeftControls(line);
  THeaderValues values;
  values.Name = isFunction ? FunctionNameOf(statement) : SubNameOf(statement);
  values.Author = author;
  values.Date = templates.Today();
  values.Params = isFunction ? FunctionParamsOf(statement) : SubParamsOf(statement);
  if (isFunction) values.Returns = FunctionReturnOf(statement);
  TLines out;
  for (const std::string& templateLine : isFunction ? templates.Function : templates.Sub) {
    out.push_back(AsBlockLine(ExpandHeaderTemplate(templateLine, values)));
  }
  return out;
}

// Session

TCommentorSession::TCommentorSession(const TSettings& settings, IPrompts& prompts, const TCommentTemplates* templates)
    : FSettings(settings), FPrompts(prompts), FTemplates(templates) {}

bool TCommentorSession::OpenModule(const RFile& item, std::string_view projectDir) {
  FModulePath = NativePath(item.Path);
  FItemName = item.Name;
  FSourceDir = SourceDirOf(FModulePath);
  FProjectDir = projectDir.empty() ? FSourceDir : NativePath(projectDir);
  FSaveDir = NativePath(CommentorSaveDir(FProjectDir, FSettings.Text(K::BackupNewCodeDirectory)));
  std::string err;
  TLines lines;
  if (!ReadLineFile(FModulePath, lines, &err)) {
    FPrompts.Show(TMsgKind::Error, Fill(msg::CommentorUnableToRead, {FModulePath, err}));
    return false;
  }
  FReadLines = lines;
  FModuleLines = std::move(lines);
  ++FRevision;
  const int first = FindRoutineForward(FModuleLines, 1);
  if (first < 0) {
    ShowRoutine(LineCount());
    FPrompts.Show(TMsgKind::Information, std::string(msg::CommentorNoRoutines));
  } else {
    ShowRoutine(first);
  }
  return true;
}

bool TCommentorSession::Prior() {
  if (!AskSaveChanges()) return false;
  const int found = FindRoutineBackward(FModuleLines, FCurrentLine - 1);
  if (found < 0) {
    FPrompts.Show(TMsgKind::Information, std::string(msg::CommentorNoPriorRoutines));
    return false;
  }
  ShowRoutine(found);
  return true;
}

bool TCommentorSession::Next() {
  if (!AskSaveChanges()) return false;
  const int found = FindRoutineForward(FModuleLines, FCurrentLine + 1);
  if (found < 0) {
    FPrompts.Show(TMsgKind::Information, std::string(msg::CommentorNoFurtherRoutines));
    return false;
  }
  ShowRoutine(found);
  return true;
}

bool TCommentorSession::GoToRoutine(int line) {
  if (line < 1 || line >= LineCount() || RoutineKindOf(FModuleLines[static_cast<std::size_t>(line)]) == TRoutineKind::None) {
    return false;
  }
  if (line == FCurrentLine || !AskSaveChanges()) return false;
  ShowRoutine(line);
  return true;
}

bool TCommentorSession::AskSaveChanges() {
  if (!Unsaved()) return true;
  switch (FPrompts.Ask(TMsgKind::Information, TButtons::YesNoCancel, std::string(msg::CommentorCommentsChanged))) {
    case TAnswer::Yes:
      // A save that did not happen leaves the edits where they are, and the user with them.
      return Save() == TSaveOutcome::Saved;
    case TAnswer::No:
      // Edits already applied by a failed save stay in the lines and go with the next save.
      FUnwritten = false;
      if (FModified) LoadHeaderBlock();
      return true;
    default:
      return false;
  }
}

void TCommentorSession::EditComments(TLines lines) {
  if (!HasRoutine()) return;
  FCommentLines = std::move(lines);
  FModified = true;
}

std::string TCommentorSession::SavePath() const { return IncludeTrailingSeparator(FSaveDir) + FItemName; }

// The same real-path comparison as the processing run's guard: the save directory is the source's
// own (through any spelling, link or "." and ".."), or the file to be replaced is the source
// under another name (a hard or symbolic link).
bool TCommentorSession::SaveOverSource(const std::string& savePath) const {
  if (SameRealDirectory(FSaveDir, FSourceDir)) return true;
  std::error_code ec;
  const std::string target = NativePath(savePath);
  return std::filesystem::exists(target, ec) && std::filesystem::equivalent(target, FModulePath, ec) && !ec;
}

TSaveOutcome TCommentorSession::Save() {
  if (!HasRoutine()) return TSaveOutcome::NothingShown;
  // The output directory is read when it is used, so that a save refused for it can be made
  // again after the setting has been changed.
  FSaveDir = NativePath(CommentorSaveDir(FProjectDir, FSettings.Text(K::BackupNewCodeDirectory)));
  const std::string savePath = SavePath();
  if (SaveOverSource(savePath)) {
    FPrompts.Show(TMsgKind::Error, Fill(msg::CommentorSaveOverSource, {savePath}));
    return TSaveOutcome::Refused;
  }
  if (!ForceDirectories(FSaveDir)) {
    FPrompts.Show(TMsgKind::Error, Fill(msg::CommentorUnableToCreateDir, {FSaveDir}));
    return TSaveOutcome::NoDirectory;
  }

  if (FModified) {
    // The box may hold any text: edits that would leave code other than the module's own (a line
    // typed without its apostrophe, a routine's line changed) are not saved, and stay in the box.
    TLines edited = FModuleLines;
    const int current = ApplyHeaderEdits(edited, {FHeaderStart, FHeaderEnd}, FCommentLines);
    TProgramCheckOptions codeOnly;
    codeOnly.CodeOnly = true;
    if (const auto line = ProgramMismatchLine(FReadLines, edited, codeOnly)) {
      FPrompts.Show(TMsgKind::Error, Fill(msg::CommentorProgramChange, {FItemName, std::to_string(*line)}));
      return TSaveOutcome::ProgramChanged;
    }
    FModuleLines = std::move(edited);
    ++FRevision;
    FUnwritten = true;
    ShowRoutine(current);
  }

  std::string err;
  if (!WriteLineFile(savePath, FModuleLines, &err)) {
    FPrompts.Show(TMsgKind::Error, Fill(msg::CommentorUnableToWrite, {savePath, err}));
    return TSaveOutcome::WriteFailed;
  }
  FUnwritten = false;
  FModified = false;
  FPrompts.Show(TMsgKind::Information, Fill(msg::CommentorFileSavedAs, {savePath}));
  return TSaveOutcome::Saved;
}

bool TCommentorSession::CanInsertTemplate() const {
  return HasRoutine() && FHeaderStart == FCurrentLine && FHeaderEnd == DeclarationEndOf(FModuleLines, FCurrentLine) &&
         !FTemplateInserted;
}

void TCommentorSession::SetTypedAuthor(std::string author) {
  if (!HasRoutine()) return;
  FFields.Author = std::move(author);
  FAuthorTyped = true;
}

// The author the header names: what the user typed into the Author box, else an Author line
// typed into the comment box, else the settings' user name.
std::string TCommentorSession::TemplateAuthor() const {
  if (FAuthorTyped && !TrimControls(FFields.Author).empty()) return FFields.Author;
  THeaderFields typed;
  for (const std::string& line : FCommentLines) ReadHeaderLine(line, typed);
  if (!typed.Author.empty()) return typed.Author;
  return FSettings.Text(K::UserName);
}

bool TCommentorSession::InsertTemplate() {
  if (!CanInsertTemplate()) return false;
  const TRoutineKind kind = RoutineKindOf(FModuleLines[static_cast<std::size_t>(FCurrentLine)]);
  if (kind == TRoutineKind::None) return false;
  const bool isFunction = kind == TRoutineKind::Function;
  const std::string author = TemplateAuthor();
  const TLines header = ExpandRoutineTemplate(RoutineStatement(), kind,
                                              FTemplates ? *FTemplates : DefaultCommentTemplates(), author);
  const bool above =
      FSettings.Bool(isFunction ? K::FunctionLevelCommentsBeforeProcedure : K::SubLevelCommentsBeforeProcedure);

  // Beside the routine's declaration as the box holds it now, keeping what the user has typed:
  // after it means after its last line, so that the header never splits the statement.
  std::size_t routine = 0;
  while (routine < FCommentLines.size() && RoutineKindOf(FCommentLines[routine]) == TRoutineKind::None) ++routine;
  if (routine == FCommentLines.size()) routine = 0;
  std::size_t declarationEnd = routine;
  while (declarationEnd + 1 < FCommentLines.size() && Continues(FCommentLines[declarationEnd])) ++declarationEnd;
  const std::size_t at = above || FCommentLines.empty() ? routine : declarationEnd + 1;
  FCommentLines.insert(FCommentLines.begin() + static_cast<std::ptrdiff_t>(at), header.begin(), header.end());
  for (const std::string& line : header) ReadHeaderLine(line, FFields);
  FFields.Author = author;
  FModified = true;
  FTemplateInserted = true;
  return true;
}

int TCommentorSession::RoutineEnd() const { return HasRoutine() ? RoutineEndOf(FModuleLines, FCurrentLine) : -1; }

std::string TCommentorSession::RoutineText() const {
  return HasRoutine() ? FModuleLines[static_cast<std::size_t>(FCurrentLine)] : std::string();
}

std::string TCommentorSession::Caption() const {
  return FModulePath.empty() ? std::string(msg::CommentorCaption) : std::string(msg::CommentorModuleCaption) + FModulePath;
}

// The routine's first statement, its continuation lines joined, for the template's values.
std::string TCommentorSession::RoutineStatement() const {
  std::string statement;
  for (int i = FCurrentLine; i < LineCount(); ++i) {
    std::string_view line = TrimRight(FModuleLines[static_cast<std::size_t>(i)]);
    const bool continued = Continues(line);
    if (continued) line = TrimRight(line.substr(0, line.size() - 1));
    statement += statement.empty() ? line : TrimLeftControls(line);
    if (!continued) break;
    statement += ' ';
  }
  return statement;
}

void TCommentorSession::ShowRoutine(int line) {
  FCurrentLine = line;
  LoadHeaderBlock();
}

void TCommentorSession::LoadHeaderBlock() {
  FCommentLines.clear();
  // The fields belong to the routine shown: a routine without an Author line shows none, not the
  // previous routine's.
  FFields = {};
  FModified = false;
  FTemplateInserted = false;
  FAuthorTyped = false;
  if (!HasRoutine()) {
    FHeaderStart = FCurrentLine;
    FHeaderEnd = FCurrentLine - 1;
    return;
  }
  const THeaderRange block = HeaderBlockOf(FModuleLines, FCurrentLine);
  FHeaderStart = block.Start;
  FHeaderEnd = block.End;
  for (int i = block.Start; i <= block.End; ++i) {
    const std::string& text = FModuleLines[static_cast<std::size_t>(i)];
    FCommentLines.push_back(text);
    ReadHeaderLine(text, FFields);
  }
}

}  // namespace qm
