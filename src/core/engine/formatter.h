// SPDX-License-Identifier: MIT
#pragma once

// The formatting engine's passes over one file. A processing run (engine/run.h) holds one per
// thread; every rule of the engine works on these fields, and the rules live in their own units
// (indent.cpp, pipeline.cpp, ...).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/forstack.h"
#include "engine/marks.h"
#include "engine/statement.h"
#include "platform/linefile.h"
#include "settings/catalogue.h"
#include "ui/cancel.h"

namespace qm {

class IPrompts;
class IProgress;
class ISpellCheck;
class IPreview;
struct RFile;
struct TCommentTemplates;

// What the engine talks to: the settings it reads at the moment of use, the message boxes, the
// processing window, the copy progress window and the optional preview.
struct TEngineServices {
  TSettings& Settings;
  IPrompts& Prompts;
  IProgress& Processing;
  IProgress& Copying;
  IPreview* Preview = nullptr;
  // The live header comment templates (engine/templates.h); the built-in ones when not given.
  const TCommentTemplates* Templates = nullptr;
  // The spelling dialog; without one, nothing is spell checked.
  ISpellCheck* Spelling = nullptr;
};

// The passes of one file, as FormatFile numbers them (shown to the user as Pass 1, 2 and 3).
inline constexpr int kPass1 = 0;
inline constexpr int kPass2 = 1;
inline constexpr int kPass3 = 2;

// What one pass reads, without copying it: pass 1 reads a project item's plain lines, passes 2
// and 3 the previous pass's output with its marks.
class TPassInputView {
 public:
  // Implicit, so that a pass takes either kind of list as it stands.
  TPassInputView(const TLines& lines) : plain_(&lines) {}
  TPassInputView(const TMarkedList& marked) : marked_(&marked) {}

  std::size_t Size() const { return plain_ ? plain_->size() : marked_->size(); }
  const std::string& Line(std::size_t i) const { return plain_ ? (*plain_)[i] : (*marked_)[i].Text; }
  // Whether the previous pass marked line i changed; plain lines never are.
  bool WasChanged(std::size_t i) const { return marked_ && (*marked_)[i].Mark.IsChanged(); }

 private:
  const TLines* plain_ = nullptr;
  const TMarkedList* marked_ = nullptr;
};

class TVBSrcFormatter {
 public:
  // cancel: the request of the run the formatter works for; without one the formatter has its own
  // (a preview, a test, one file formatted on its own).
  explicit TVBSrcFormatter(TEngineServices services, TCancelToken* cancel = nullptr);
  virtual ~TVBSrcFormatter() = default;
  TVBSrcFormatter(const TVBSrcFormatter&) = delete;
  TVBSrcFormatter& operator=(const TVBSrcFormatter&) = delete;

  TForStack FForStack;
  std::int32_t FDimGroupCount = 0;
  std::int32_t FDimGroupAsColumn = 0;
  // Where the declaration lines of the open group go in FOutput: the output's size when each was
  // tracked (a comment moved above a line stands before it).
  std::vector<std::size_t> FDimGroupLines;
  TMarkedList FOutput;
  TMarkedList FPassInput;
  std::string FFileName;
  std::uint8_t FFileKind = 0;
  bool FSpellCancelled = false;
  bool FSpellChanged = false;
  bool FModified = false;

  // The cancel request the passes answer to, tested once per line.
  TCancelToken& Cancel() const { return *cancel_; }

  // The line in hand as the per-line steps see it: the lines around it and the indentation so
  // far. A pass keeps it up to date; tests set it up to look at one step.
  struct TLineContext {
    std::string PrevLine;          // the previous working line, tabs expanded
    std::string NextLine;          // the next input line, tabs expanded
    std::int32_t LastIndent = 0;   // leading blanks of the last line written
    std::int32_t IndentLevel = 0;  // the level of the next code line; carried on to the next file
  };
  TLineContext& Line() { return FLine; }
  const TLineContext& Line() const { return FLine; }

  // Indentation: re-indents one line (tabs already expanded) and updates the level.
  void IndentLine(std::string& line);
  // The same for a line whose IsSingleLineIf and statement kind the caller already knows.
  void IndentLine(std::string& line, bool singleLineIf, TVBStatementKind kind);
  void ApplyLevelRule(TVBStatementKind kind);

  // One pass over one file (pass kPass1, kPass2 or kPass3): appends the formatted lines with
  // their marks to FOutput. The caller empties FOutput before pass 1; input must not be FOutput
  // itself (passes 2 and 3 read FPassInput).
  void FormatFile(const TPassInputView& input, int pass);
  // The passes of one file: pass 1 on lines, pass 2 on pass 1's output, and pass 3 when pass 2
  // made a change that calls for it. beforePass is called with the pass number as shown to the
  // user (1, 2 or 3) before each pass starts. The result is in FOutput; false when the run was
  // cancelled (FOutput then holds the interrupted pass's lines).
  bool FormatPasses(const TLines& lines, const std::function<void(int shownPass)>& beforePass = {});

  // The passes of a project item whose lines are loaded, touching neither the project nor any
  // other item, so that formatters of their own can take different items of one project at once;
  // the processing window shows the file and pass. False when the run was cancelled.
  bool FormatItem(const RFile& item);

  // The transformations, each called by FormatFile at its step. Virtual so that tests can stand
  // in for them when checking how the pipeline uses their results.

  // Statement splitting. SplitSingleLineIf appends the pieces of a single-line If and
  // SplitMultiStatement the colon-separated pieces to FOutput; each tells whether it took the line
  // (a line it cannot take apart safely is left to be written as it stands).
  virtual bool SplitSingleLineIf(std::string_view line);
  virtual bool HasMultipleStatements(std::string_view line) const;
  virtual bool SplitMultiStatement(std::string_view line);

  // Declarations: splitting of Dim/ReDim/Global/Static and Const lines into one per name, and the
  // alignment of the As clauses of runs of declarations (second pass only).
  virtual bool IsMultiVarDeclaration(std::string_view line) const;
  virtual void SplitMultiVar(std::string_view line);
  virtual bool IsMultiConstDeclaration(std::string_view line) const;
  virtual void SplitMultiConst(std::string_view line);
  virtual int DeclarationAsColumn(std::string_view line) const;
  virtual void TrackDeclarationGroup(std::string_view line);
  // Rewrites the group's count declaration lines where FDimGroupLines says they stand (the last
  // count lines of FOutput when the group was not tracked), through ReplaceOutputText, so that a
  // line whose text changes is marked changed.
  virtual void AlignDeclarationGroup(int count, int column);

  // Comments: placement of whole-line and in-line comments. PlaceInLineComment may append one
  // line to FOutput itself (comment moved above or below its code).
  virtual void PlaceSingleLineComment(std::string& line);
  virtual void PlaceInLineComment(std::string& line);

  // The per-line hooks before and after the transformations (spelling, header comments, blank
  // lines); they may change the line (before) and append lines to FOutput.
  virtual void ApplyBeforeLineRules(std::string& line, int pass);
  virtual void ApplyAfterLineRules(std::string_view line, int pass);
  // Spell checking of a line's string literals and of its comment, each text through
  // SpellCheckText, which hands it to the spelling dialog.
  void SpellCheckLiterals(std::string& line);
  void SpellCheckComment(std::string& line);
  void SpellCheckText(const std::string& context, std::string& text, bool literal, int column);
  // Header comments from the Sub and Function templates, above (before) or below a procedure line.
  void InsertSubHeader(std::string_view line, bool before);
  void InsertFunctionHeader(std::string_view line, bool before);
  // The header comment steps of the two per-line hooks (first pass only): a header above a Sub or
  // Function line before it is written, or below it afterwards, as the settings ask. A procedure
  // statement continued with " _" gets its header below its last line, never between its lines.
  void ApplyHeaderCommentsBefore(std::string_view line, int pass);
  void ApplyHeaderCommentsAfter(std::string_view line, int pass);
  // The blank-line filter of the first pass; false drops the line.
  virtual bool KeepLine(std::string_view line) const;

  // For/Next: the loop variable of a For line, and Next lines rebuilt with or without it. A Next
  // that names several variables (Next j, i) is left as it stands by both rebuilders and closes
  // as many loops (NextVariableCount).
  bool IsForLine(std::string_view line) const;
  std::string ForVariable(std::string_view line) const;
  bool IsNextLine(std::string_view line) const;
  std::string AddNextVariable(std::string_view line, std::string_view name) const;
  std::string RemoveNextVariable(std::string_view line) const;
  // Number of loops a Next line closes: 1 for a bare Next or one name, else the number of names.
  int NextVariableCount(std::string_view line) const;

  // What the lines of a header block written from each template begin with, whatever was filled
  // in: the template's lines up to their first placeholder (the Function template's first), by
  // which comment blocking recognises a header and leaves it unframed.
  std::vector<std::vector<std::string>> HeaderTemplatePrefixes() const;

  // The block line that frames a run of whole-line comments: indent blanks, the apostrophe and
  // the block characters repeated to the block length.
  std::string CommentBlockLine(int indent) const;

 protected:
  friend class TFormatPass;  // one pass of FormatFile over one file (pipeline.cpp)

  // Replaces the text of an output line already written; a line whose text changes is marked
  // changed, so that marks still tell the truth after a later pass.
  void ReplaceOutputText(std::size_t index, std::string text);

  bool On(SettingKey key) const { return services_.Settings.Bool(key); }
  int Num(SettingKey key) const { return services_.Settings.Int(key); }
  const std::string& Str(SettingKey key) const { return services_.Settings.Text(key); }
  template <typename TChoice>
  TChoice Choice(SettingKey key) const {
    return static_cast<TChoice>(Num(key));
  }

  // The steps of the per-line hooks: spelling (before), blank lines before and after a construct.
  void SpellCheckLine(std::string& line);
  void AddBlankLinesBefore(std::string_view line);
  void AddBlankLinesAfter(std::string_view line);

  // Blank-line rules (first pass): the kind of the line in hand as read, and the blank lines due
  // after a statement continued with " _", held back until its last line.
  TVBStatementKind FBlankLineKind = skOther;
  std::int32_t FBlankLinesDue = 0;
  // The line in hand is more of the comment above it (which ends in " _"): it starts nothing.
  bool FCommentContinuation = false;
  // The line in hand was taken apart by a split; its blank lines after are its last piece's.
  bool FSplitLineTaken = false;
  TVBStatementKind FSplitLastKind = skOther;
  void SpaceSplitPieces(std::size_t from);
  // The number of blank lines the rules put before a line of this statement (0 unless "Use Below
  // Rules").
  int BlankLinesBeforeCount(std::string_view line) const;

  // The lines of the pass in hand and the index of the line in hand, for rules that look further
  // ahead than the next line (a header already below a procedure statement).
  const TPassInputView* FPassLines = nullptr;
  std::size_t FLineIndex = 0;
  // Passes 2 and 3 read FPassInput, which is discarded after them: a line read for good gives its
  // buffer to the output line written for it (FormatPasses sets this around those passes only).
  TMarkedList* FRecyclableInput = nullptr;

  TEngineServices services_;
  TLineContext FLine;

 private:
  TCancelToken ownCancel_;
  TCancelToken* cancel_;

  // The spelling dialog is told of the run before its first text; false when it cannot check.
  bool FSpellRunBegun = false;
  bool FSpellAvailable = false;

  // A procedure statement with a header, followed from its first line to its last (headers.cpp).
  struct THeaderInProgress {
    bool Active = false;
    bool IsFunction = false;
    bool Before = false;
    std::size_t First = 0;    // above the statement: where its header lines start in FOutput
    std::size_t Written = 0;  // and how many were written
    std::string Date;
    std::string Statement;    // the statement's lines joined so far
  };
  THeaderInProgress FHeaderAbove;    // from the hook before a line to the hook after it
  THeaderInProgress FHeaderPending;  // from a continued first line to the statement's last line
  bool HeaderWanted(bool isFunction, bool before) const;
  std::vector<std::string> CommentsAbove() const;
  std::vector<std::string> CommentsBelow() const;
  std::size_t InsertHeader(bool isFunction, std::string_view statement, bool before, const std::string& date);
  void CompleteHeaderAbove(const THeaderInProgress& header);
};

}  // namespace qm
