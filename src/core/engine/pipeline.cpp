// SPDX-License-Identifier: MIT
// One pass of the formatter over one file, and the two or three passes of a file.

#include <algorithm>
#include <array>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/optionexplicit.h"
#include "engine/statementscan.h"
#include "messages.h"
#include "platform/ascii.h"
#include "project/sourcemgt.h"
#include "ui/progress.h"

namespace qm {

namespace {

using K = SettingKey;

constexpr std::string_view kAttributePrefix = "Attribute";
constexpr char kEndOfFile = '\x1A';

// out := the line with tabs expanded. Lines without a tab (nearly all) are copied into out's own
// buffer, so that reading a line allocates nothing once the buffers have grown.
void ExpandInto(std::string& out, std::string_view line, int tabWidth) {
  if (line.find('\t') == std::string_view::npos) {
    out.assign(line);
  } else {
    out = ExpandTabs(line, tabWidth);
  }
}

// An Option Explicit statement at any indentation and in any letter case, alone on its line or
// followed by blanks, a comment or a further statement. Recognising it however it is written keeps
// a pass from inserting a second one, which Visual Basic would refuse.
bool IsOptionExplicitLine(std::string_view line) {
  constexpr std::string_view kUpper = "OPTION EXPLICIT";
  const std::string_view t = TrimLeftControls(line);
  if (!HasUpperPrefix(t, kUpper)) return false;
  if (t.size() == kUpper.size()) return true;
  const char next = t[kUpper.size()];
  return next == ' ' || next == '\t' || next == '\'' || next == ':';
}

// A comment line "' quillmate: off" or "' quillmate: on" (any letter case and indentation, blanks
// around the colon allowed) switches the formatter off or on for the lines after it.
enum class TSwitch { None, Off, On };

TSwitch FormatterSwitch(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || t.front() != '\'') return TSwitch::None;
  t = Trim(t.substr(1));
  if (!HasUpperPrefix(t, "QUILLMATE")) return TSwitch::None;
  t = Trim(t.substr(9));
  if (t.empty() || t.front() != ':') return TSwitch::None;
  t = Trim(t.substr(1));
  if (t.size() == 3 && HasUpperPrefix(t, "OFF")) return TSwitch::Off;
  if (t.size() == 2 && HasUpperPrefix(t, "ON")) return TSwitch::On;
  return TSwitch::None;
}

// The line that ends the control description of a form or class: END alone, at column 1.
bool IsDescriptionEnd(std::string_view line) { return line.size() == 3 && HasUpperPrefix(line, "END"); }

}  // namespace

// The state of one FormatFile call and its steps, in the order in which they run.
class TFormatPass {
 public:
  TFormatPass(TVBSrcFormatter& fmt, const TPassInputView& input, int pass)
      : fmt_(fmt), input_(input), pass_(pass), tabWidth_(fmt.services_.Settings.TabWidth()), cancel_(fmt.Cancel()) {}

  void Run() {
    fmt_.FPassLines = &input_;
    Start();
    LocateCodePart();
    CopyControlDescription();
    InsertOptionExplicit();
    StartProgress();
    loopStart_ = fmt_.FOutput.size();
    for (index_ = codeStart_; index_ < end_ && !cancel_.Requested(); ++index_) FormatLine();
    FrameCommentRuns();
    InsertCommentBlocks();
    if (!cancel_.Requested()) CopyAfterEndOfFile();
    fmt_.FPassLines = nullptr;
  }

 private:
  // The per-line steps of one code line.
  void FormatLine() {
    ReportProgress();
    ReadLine();
    ReadPreviousMark();
    const bool continuation = std::exchange(commentGoesOn_, ContinuesComment(source_, commentGoesOn_));
    if (continuation && !formatterOff_) return ContinueComment();
    dropComment_ = false;
    if (KeepAsWritten()) return;
    if (pass_ == kPass1) fmt_.ApplyBeforeLineRules(line_, pass_);
    ReadFacts();
    keep_ = true;
    SplitDeclarations();
    SplitStatements();
    Indent();
    TrackDeclarationGroup();
    TrackForNext();
    PlaceComment();
    FilterBlankLine();
    WriteLine();
    if (pass_ == kPass1) fmt_.ApplyAfterLineRules(line_, pass_);
    fmt_.FLine.LastIndent = LeadingBlanks(line_);
    // A comment that a rule removed takes the lines that continue it along; left behind they
    // would be read as code.
    if (commentGoesOn_) dropComment_ = !(keep_ && ContinuesComment(line_, false));
  }

  // A line that continues the comment of the line above (which ends in " _") is more of that
  // comment, whatever it holds: it is written as read, right after the comment, and no rule reads
  // it as a statement, splits it, indents it or puts a line before it. It ends a declaration
  // group, as a comment line does. Its comment's statement is complete only after it: the header
  // below a procedure statement and the blank lines after a construct follow the last such line.
  void ContinueComment() {
    if (pass_ == kPass2 && On(K::AlignMultiDimAs)) fmt_.TrackDeclarationGroup(std::string_view());
    if (dropComment_) return;
    AppendWritten(source_, CarriedMark(index_));
    if (pass_ != kPass1) return;
    fmt_.FCommentContinuation = true;
    fmt_.ApplyAfterLineRules(line_, pass_);
    fmt_.FCommentContinuation = false;
  }

  // The lines from "' quillmate: off" to "' quillmate: on", both markers included, are written
  // byte for byte as read: no rule inserts, removes or changes anything there. The levels still
  // follow the statements inside, so that the code after the region is indented as it would be.
  bool KeepAsWritten() {
    const TSwitch marker = FormatterSwitch(source_);
    if (!formatterOff_) {
      if (marker != TSwitch::Off) return false;
      formatterOff_ = true;
      // The region ends a declaration group, as a code line does; it also ends a run of comment
      // lines (see FrameCommentRuns).
      if (pass_ == kPass2 && On(K::AlignMultiDimAs)) fmt_.TrackDeclarationGroup(std::string_view());
      keptRegions_.emplace_back(fmt_.FOutput.size(), fmt_.FOutput.size());
    } else if (marker == TSwitch::On) {
      formatterOff_ = false;
    }
    keep_ = false;
    ReadFacts();
    Indent();
    TrackForNext();
    AppendWritten(input_.Line(index_), CarriedMark(index_));
    keptRegions_.back().second = fmt_.FOutput.size();
    fmt_.FLine.LastIndent = LeadingBlanks(source_);
    return true;
  }

  // The settings cannot change while a pass runs (the options are closed during a run), so the
  // pass reads each one once, when it is first needed, instead of once per line and step.
  bool On(K key) const { return Setting(key).On; }
  int Num(K key) const { return Setting(key).Num; }

  struct TSettingValue {
    bool Read = false;
    bool On = false;
    int Num = 0;
  };
  const TSettingValue& Setting(K key) const {
    TSettingValue& value = settings_[static_cast<std::size_t>(key)];
    if (!value.Read) value = {true, fmt_.On(key), fmt_.Num(key)};
    return value;
  }

  void Append(std::string_view text, TLineMark mark) {
    // A line that cannot be appended is skipped; the pass goes on with the next.
    try {
      fmt_.FOutput.push_back({std::string(text), mark});
    } catch (const std::bad_alloc&) {
    }
  }

  // Appends the line in hand's output line. In passes 2 and 3 the input is the previous pass's
  // output, which the formatter discards after the pass, and its line in hand has been read for
  // good: the output line takes over that line's buffer instead of allocating one of its own.
  void AppendWritten(std::string_view text, TLineMark mark) {
    TMarkedList* spare = fmt_.FRecyclableInput;
    if (!spare || index_ >= spare->size()) return Append(text, mark);
    std::string& old = (*spare)[index_].Text;
    std::string buffer;
    if (text.data() == old.data() && text.size() == old.size()) {
      buffer = std::move(old);
    } else {
      buffer.swap(old);
      buffer.assign(text);
    }
    try {
      fmt_.FOutput.push_back({std::move(buffer), mark});
    } catch (const std::bad_alloc&) {
    }
  }

  // A line copied as it stands keeps the mark an earlier pass gave it.
  TLineMark CarriedMark(std::size_t i) const {
    return input_.WasChanged(i) ? NewChangedMark() : NewUnchangedMark();
  }

  void Start() {
    // The text ends at the line that holds the end-of-file byte (Ctrl-Z) that old editors wrote:
    // Visual Basic reads nothing from there on, and neither do the rules.
    end_ = 0;
    while (end_ < input_.Size() && input_.Line(end_).find(kEndOfFile) == std::string::npos) ++end_;
    fmt_.FForStack.Clear();
    fmt_.FDimGroupCount = 0;
    fmt_.FDimGroupAsColumn = 0;
    fmt_.FLine.LastIndent = 0;
    fmt_.FOutput.reserve(fmt_.FOutput.size() + input_.Size() + input_.Size() / 8 + 4);
  }

  // The code part starts after the "END" line that closes a form's or class's control
  // description, looked for backward from the first procedure; Option Explicit counts as present
  // between that line (or the top of the file) and the first procedure.
  void LocateCodePart() {
    const std::size_t n = end_;
    std::size_t procedure = n;
    bool inComment = false;
    for (std::size_t i = 0; i < n; ++i) {
      fmt_.services_.Processing.ProcessEvents();
      if (cancel_.Requested()) break;
      std::string_view text = input_.Line(i);
      if (text.find('\t') != std::string_view::npos) {
        ExpandInto(scratch_, text, tabWidth_);
        text = scratch_;
      }
      // More of a comment continued from the line above is no statement.
      const bool continuation = std::exchange(inComment, ContinuesComment(text, inComment));
      if (!continuation && IsProcedureStart(ClassifyStatement(Trim(text)))) {
        procedure = i;
        break;
      }
    }
    if (n == 0) return;

    for (std::size_t k = std::min(procedure, n - 1) + 1; k-- > 0;) {
      ExpandInto(scratch_, input_.Line(k), tabWidth_);
      if (IsOptionExplicitLine(scratch_)) optionExplicitFound_ = true;
      if (IsDescriptionEnd(scratch_)) {
        descriptionEndFound_ = true;
        codeStart_ = k + 1;
        break;
      }
    }
  }

  void CopyControlDescription() {
    for (std::size_t i = 0; i < codeStart_; ++i) {
      ExpandInto(scratch_, input_.Line(i), tabWidth_);
      Append(scratch_, CarriedMark(i));
    }
  }

  // Attribute lines (the module's name and the like) stay ahead of the inserted statement.
  void InsertOptionExplicit() {
    const bool insert = !optionExplicitFound_ && On(K::OptionExplicitInsert);
    if (insert) {
      fmt_.FModified = true;
      while (codeStart_ < end_) {
        ExpandInto(scratch_, input_.Line(codeStart_), tabWidth_);
        if (!scratch_.starts_with(kAttributePrefix)) break;
        Append(scratch_, CarriedMark(codeStart_));
        ++codeStart_;
      }
      Append(kOptionExplicitLine, NewChangedMark());
      // The empty line after it goes where blank lines go, as the next run would decide.
      if (fmt_.KeepLine("")) Append("", NewChangedMark());
    }

    // The previous line of the first code line is the last line read while locating the code.
    if (descriptionEndFound_ && !insert) {
      ExpandInto(fmt_.FLine.PrevLine, input_.Line(codeStart_ - 1), tabWidth_);
    } else if (codeStart_ < end_) {
      ExpandInto(fmt_.FLine.PrevLine, input_.Line(codeStart_), tabWidth_);
    }
    if (codeStart_ < end_) ExpandInto(fmt_.FLine.NextLine, input_.Line(codeStart_), tabWidth_);
  }

  void StartProgress() {
    fmt_.services_.Processing.SetRange(static_cast<int>(codeStart_), static_cast<int>(end_));
    fmt_.services_.Processing.SetPosition(static_cast<int>(codeStart_));
  }

  void ReportProgress() {
    fmt_.services_.Processing.SetPosition(static_cast<int>(index_));
    fmt_.services_.Processing.ProcessEvents();
  }

  // FLine.PrevLine := the previous working line; the line in hand and the next one, tabs expanded.
  // FLine.NextLine already holds this line expanded (read as the next line last time round).
  void ReadLine() {
    fmt_.FLineIndex = index_;
    if (index_ > codeStart_) fmt_.FLine.PrevLine.swap(line_);
    source_.swap(fmt_.FLine.NextLine);
    if (index_ + 1 < end_) {
      ExpandInto(fmt_.FLine.NextLine, input_.Line(index_ + 1), tabWidth_);
    } else {
      fmt_.FLine.NextLine.clear();
    }
    line_.assign(source_);
  }

  void ReadPreviousMark() { wasChanged_ = input_.WasChanged(index_); }

  // What several steps need to know of the working line, found once when the line is read (after
  // the rules before it, which may correct it). The splits leave the line as it stands and
  // indentation changes only its leading blanks, so the facts hold up to comment placement: a
  // line without a comment keeps having none, and a rebuilt Next keeps its comment.
  void ReadFacts() {
    facts_.SingleLineIf = IsSingleLineIf(line_);
    facts_.Kind = ClassifyStatement(line_);
    facts_.HasComment = CommentPos(line_) > 0;
  }

  // A split writes the line's pieces itself and takes the line over. The first split that applies
  // wins, so that every statement is written once; the later steps still read the line to follow
  // levels, loops and comment runs.
  bool BeginSplit() {
    // The pieces go to the output ahead of any declaration group still open; the group is closed
    // first so that the alignment rewrites its own lines and not the pieces.
    if (pass_ == kPass2 && On(K::AlignMultiDimAs)) fmt_.TrackDeclarationGroup(std::string_view());
    keep_ = false;
    return true;
  }

  void SplitDeclarations() {
    const std::size_t from = fmt_.FOutput.size();
    if (keep_ && On(K::MultiVarSplit) && fmt_.IsMultiVarDeclaration(line_) && BeginSplit()) {
      fmt_.SplitMultiVar(line_);
    }
    if (keep_ && On(K::MultiConstSplit) && fmt_.IsMultiConstDeclaration(line_) && BeginSplit()) {
      fmt_.SplitMultiConst(line_);
    }
    if (!keep_) FinishPieces(from);
  }

  void SplitStatements() {
    if (!keep_) return;
    const std::size_t from = fmt_.FOutput.size();
    if (On(K::IfThenSplit) && facts_.SingleLineIf && BeginSplit()) {
      keep_ = !fmt_.SplitSingleLineIf(line_);
    }
    // The multi-statement split runs in the first pass only and may decline the line.
    if (keep_ && pass_ == kPass1 && On(K::MultiStatementSplit) && fmt_.HasMultipleStatements(line_)) {
      keep_ = !fmt_.SplitMultiStatement(AsIndented(line_));
    }
    if (!keep_) FinishPieces(from);
  }

  // The line as indentation will place it. The multi-statement split keeps a line in the first
  // column whole (a label stands there); a line that indentation moves from there is split now,
  // as the next run would split it.
  std::string_view AsIndented(const std::string& line) {
    if (!On(K::CodeIndentPerform) || line.empty() || line.front() == ' ') return line;
    indented_ = line;
    const std::int32_t level = fmt_.FLine.IndentLevel;
    fmt_.IndentLine(indented_);
    fmt_.FLine.IndentLevel = level;
    return indented_;
  }

  // The pieces a split has just written (from index from on) are lines of their own: the splits
  // that apply to them take them apart now, and in the first pass they get the blank lines of
  // their own statement kinds, as the next pass or run would give them. So a nested single-line If
  // comes apart in one pass, the statements joined by colons in an If's parts are split with it,
  // and the End If written for a single-line If is followed by the blank lines of an End If.
  void FinishPieces(std::size_t from) {
    SplitPieces(from, 0);
    if (pass_ != kPass1 || from >= fmt_.FOutput.size()) return;
    // An empty piece (two colons with nothing between) is a blank line for the blank-line filter.
    TMarkedList& out = fmt_.FOutput;
    out.erase(std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(),
                             [&](const TMarkedLine& piece) { return !fmt_.KeepLine(piece.Text); }),
              out.end());
    fmt_.SpaceSplitPieces(from);
  }

  // Nesting deeper than this is left for the next pass (a line of a few thousand nested Ifs must
  // not exhaust the stack).
  static constexpr int kMaxPieceDepth = 64;

  void SplitPieces(std::size_t from, int depth) {
    TMarkedList& out = fmt_.FOutput;
    if (depth >= kMaxPieceDepth || from >= out.size()) return;
    TMarkedList pieces(std::make_move_iterator(out.begin() + static_cast<std::ptrdiff_t>(from)),
                       std::make_move_iterator(out.end()));
    out.resize(from);
    for (TMarkedLine& piece : pieces) {
      const std::size_t at = out.size();
      if (SplitPiece(piece.Text)) {
        SplitPieces(at, depth + 1);
      } else {
        out.push_back(std::move(piece));
      }
    }
  }

  // The splits in the order of the per-line steps, on one piece; true when one took it.
  bool SplitPiece(const std::string& piece) {
    if (On(K::MultiVarSplit) && fmt_.IsMultiVarDeclaration(piece)) {
      fmt_.SplitMultiVar(piece);
      return true;
    }
    if (On(K::MultiConstSplit) && fmt_.IsMultiConstDeclaration(piece)) {
      fmt_.SplitMultiConst(piece);
      return true;
    }
    if (On(K::IfThenSplit) && IsSingleLineIf(piece) && fmt_.SplitSingleLineIf(piece)) return true;
    // A piece stands unindented; the splitter keeps lines in the first column whole (labels), and
    // a piece is no label, so it is offered indented.
    if (pass_ == kPass1 && On(K::MultiStatementSplit) && fmt_.HasMultipleStatements(piece)) {
      return fmt_.SplitMultiStatement(" " + piece);
    }
    return false;
  }

  // Runs also for a line a split has taken over, so that the level follows the statement as read.
  void Indent() {
    if (On(K::CodeIndentPerform)) fmt_.IndentLine(line_, facts_.SingleLineIf, facts_.Kind);
  }

  // The pieces of a line taken over are not part of a declaration group.
  void TrackDeclarationGroup() {
    if (pass_ == kPass2 && keep_ && On(K::AlignMultiDimAs)) fmt_.TrackDeclarationGroup(line_);
  }

  void TrackForNext() {
    // Both tests begin with the first character after the blanks: F or N in either case.
    const std::string_view lead = TrimLeft(line_);
    const char first = lead.empty() ? ' ' : static_cast<char>(lead.front() | 0x20);
    if (first != 'f' && first != 'n') return;
    if (fmt_.IsForLine(line_)) fmt_.FForStack.Push(fmt_.ForVariable(line_));
    if (fmt_.IsNextLine(line_)) {
      const int closed = fmt_.NextVariableCount(line_);
      const auto mode = static_cast<TForNextProcessing>(Num(K::GrpForNextProcessing));
      if (mode == TForNextProcessing::AddVariable) {
        line_ = fmt_.AddNextVariable(line_, fmt_.FForStack.Top());
      } else if (mode == TForNextProcessing::RemoveVariable) {
        line_ = fmt_.RemoveNextVariable(line_);
      }
      for (int k = 0; k < closed; ++k) fmt_.FForStack.Pop();
    }
  }

  // The comment of a line taken over already stands on its pieces and is not placed again.
  void PlaceComment() {
    // A rebuilt Next drops an empty comment, so a line that had one is looked at again.
    if (!keep_ || !facts_.HasComment || CommentPos(line_) <= 0) return;
    if (IsCommentLine(line_)) {
      fmt_.PlaceSingleLineComment(line_);
      return;
    }
    const std::size_t before = fmt_.FOutput.size();
    fmt_.PlaceInLineComment(line_);
    if (fmt_.FOutput.size() != before + 1) return;
    if (IsCommentLine(line_)) {
      PlaceMovedBelow();
    } else if (IsCommentLine(fmt_.FOutput.back().Text)) {
      PlaceMovedAbove();
    }
  }

  // A comment moved onto a line of its own is a whole-line comment, placed now as the next pass
  // would place it. Below its code line, the code line is the line before it.
  void PlaceMovedBelow() {
    const std::int32_t lastIndent = std::exchange(fmt_.FLine.LastIndent, LeadingBlanks(fmt_.FOutput.back().Text));
    fmt_.PlaceSingleLineComment(line_);
    fmt_.FLine.LastIndent = lastIndent;
  }

  // Above its code line, the comment goes ahead of the blank lines the rules put before that line,
  // where the next run puts them.
  void PlaceMovedAbove() {
    TMarkedList& out = fmt_.FOutput;
    TMarkedLine comment = std::move(out.back());
    out.pop_back();
    std::size_t at = out.size();
    for (int due = fmt_.BlankLinesBeforeCount(source_); due > 0 && at > loopStart_ && out[at - 1].Text.empty(); --due) {
      --at;
    }
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), std::move(comment));
  }

  // What each output line of the code part is to comment blocking: a whole-line comment, a line
  // that continues one (the comment above ends with " _"), or neither (code, a blank line, a line
  // that continues an in-line comment, a line of a region left as written).
  enum class TCommentRole : unsigned char { None, Comment, Continuation };

  // In the first pass every run of whole-line comments that a line other than a comment closes is
  // framed by two block lines when it is long enough, unless it already ends with one (a file
  // formatted before). The runs are those of the lines the pass has written: headers it inserted,
  // comments moved off their code lines and comments that dropped blank lines brought together
  // are framed now, as the next run would frame them. A run at the end of the file is closed by
  // nothing and stays as it is. A comment continued with " _" is one comment with the lines that
  // continue it: they belong to its run, and no block line comes between them. A header block
  // written from a template frames itself: it is left out of the run, and the comments before and
  // after it are runs of their own.
  void FrameCommentRuns() {
    if (pass_ != kPass1 || !On(K::SingleLineCommentBlocks)) return;
    const TMarkedList& out = fmt_.FOutput;
    const std::size_t quantity = static_cast<std::size_t>(std::max(Num(K::SingleLineCommentGroupQty), 1));
    const std::int32_t lastIndent = fmt_.FLine.LastIndent;
    const std::vector<TCommentRole> roles = CommentRoles();
    const auto framable = [&](std::size_t i) { return roles[i - loopStart_] != TCommentRole::None; };
    for (std::size_t i = loopStart_; i < out.size();) {
      if (!framable(i)) {
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < out.size() && framable(i)) ++i;
      if (i == out.size()) break;
      if (i - start < quantity) continue;
      for (std::size_t from = start; from < i;) {
        const auto [headerFirst, headerEnd] = HeaderBlockIn(from, i);
        FrameRun(from, headerFirst, quantity, roles);
        from = headerEnd;
      }
    }
    fmt_.FLine.LastIndent = lastIndent;
  }

  // Frames the comment lines [first, end) of FOutput when they are enough.
  void FrameRun(std::size_t first, std::size_t end, std::size_t quantity, const std::vector<TCommentRole>& roles) {
    if (end - first < quantity) return;
    const TMarkedList& out = fmt_.FOutput;
    // The block line stands where the run's last comment starts, and is then placed like a comment
    // of its own.
    std::size_t lastComment = end - 1;
    while (lastComment > first && roles[lastComment - loopStart_] != TCommentRole::Comment) --lastComment;
    fmt_.FLine.LastIndent = LeadingBlanks(out[lastComment].Text);
    std::string block = fmt_.CommentBlockLine(fmt_.FLine.LastIndent);
    if (Trim(block) == Trim(out[end - 1].Text)) return;
    fmt_.PlaceSingleLineComment(block);
    if (!IsCommentLine(block)) return;
    pendingBlocks_.push_back({end, block});
    pendingBlocks_.push_back({first, std::move(block)});
  }

  std::vector<TCommentRole> CommentRoles() const {
    const TMarkedList& out = fmt_.FOutput;
    std::vector<TCommentRole> roles(out.size() - loopStart_, TCommentRole::None);
    auto region = keptRegions_.begin();
    bool inComment = false;      // the line above ends a comment with " _"
    bool wholeLine = false;      // and that comment is a whole-line comment
    for (std::size_t i = loopStart_; i < out.size(); ++i) {
      while (region != keptRegions_.end() && region->second <= i) ++region;
      const bool kept = region != keptRegions_.end() && region->first <= i;
      const std::string_view text = out[i].Text;
      TCommentRole role = TCommentRole::None;
      if (inComment) {
        role = wholeLine ? TCommentRole::Continuation : TCommentRole::None;
      } else if (IsCommentLine(text)) {
        role = TCommentRole::Comment;
        wholeLine = true;
      } else {
        wholeLine = false;
      }
      inComment = ContinuesComment(text, inComment);
      roles[i - loopStart_] = kept ? TCommentRole::None : role;
    }
    return roles;
  }

  // The header block written from a template among the comment lines [first, end): its lines
  // [begin, end), found by the template lines' fixed beginnings in order; {end, end} when there
  // is none.
  std::pair<std::size_t, std::size_t> HeaderBlockIn(std::size_t first, std::size_t end) {
    if (!headerPrefixesRead_) {
      headerPrefixes_ = fmt_.HeaderTemplatePrefixes();
      headerPrefixesRead_ = true;
    }
    const TMarkedList& out = fmt_.FOutput;
    const auto startsWith = [&](std::size_t i, const std::string& prefix) {
      return Trim(out[i].Text).starts_with(prefix);
    };
    // A template whose lines cannot all be found after some line cannot be found after any later
    // one either: it is tried no further, so that a run is read a bounded number of times.
    std::vector<bool> tried(headerPrefixes_.size(), false);
    for (std::size_t i = first; i < end; ++i) {
      for (std::size_t t = 0; t < headerPrefixes_.size(); ++t) {
        const std::vector<std::string>& prefixes = headerPrefixes_[t];
        if (tried[t] || !startsWith(i, prefixes.front())) continue;
        std::size_t at = i + 1;
        bool found = true;
        for (std::size_t k = 1; k < prefixes.size() && found; ++k) {
          while (at < end && !startsWith(at, prefixes[k])) ++at;
          found = at < end;
          ++at;
        }
        if (found) return {i, at};
        tried[t] = true;
      }
    }
    return {end, end};
  }
  void FilterBlankLine() {
    if (pass_ == kPass1 && !fmt_.KeepLine(line_)) keep_ = false;
  }

  // Lines that differ only in trailing blanks count as equal; a line changed by an earlier pass
  // stays marked changed. A blank line is written empty: the blanks indentation gives it count
  // for the comment placed after it, not in the file.
  void WriteLine() {
    if (!keep_) return;
    const bool same = TrimRight(line_) == TrimRight(source_);
    const TLineMark mark = same && !wasChanged_ ? NewUnchangedMark() : NewChangedMark();
    if (On(K::CodeIndentPerform) && TrimRight(line_).empty()) {
      AppendWritten("", mark);
    } else {
      AppendWritten(line_, mark);
    }
  }

  // The lines from the end-of-file byte on are copied byte for byte, after everything the rules
  // wrote.
  void CopyAfterEndOfFile() {
    for (std::size_t i = end_; i < input_.Size(); ++i) Append(input_.Line(i), CarriedMark(i));
  }

  // The block lines of the pass go in at the end of it, in one sweep over the output: inserting
  // each into the list as it is made would move the rest of the file once per comment run.
  void InsertCommentBlocks() {
    if (pendingBlocks_.empty()) return;
    std::stable_sort(pendingBlocks_.begin(), pendingBlocks_.end(),
                     [](const TPendingBlock& a, const TPendingBlock& b) { return a.Index < b.Index; });
    TMarkedList& out = fmt_.FOutput;
    TMarkedList merged;
    merged.reserve(out.size() + pendingBlocks_.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i <= out.size(); ++i) {
      while (next < pendingBlocks_.size() && pendingBlocks_[next].Index == i) {
        merged.push_back({std::move(pendingBlocks_[next].Text), NewChangedMark()});
        ++next;
      }
      if (i < out.size()) merged.push_back(std::move(out[i]));
    }
    out.swap(merged);
    pendingBlocks_.clear();
  }

  struct TPendingBlock {
    std::size_t Index;  // the output line it goes before, counted without the other block lines
    std::string Text;
  };

  TVBSrcFormatter& fmt_;
  const TPassInputView& input_;
  const int pass_;
  const int tabWidth_;
  const TCancelToken& cancel_;
  mutable std::array<TSettingValue, kSettingCount> settings_{};

  std::size_t codeStart_ = 0;
  std::size_t end_ = 0;  // the first line not read: the one with the end-of-file byte, or the end
  bool optionExplicitFound_ = false;
  bool descriptionEndFound_ = false;

  std::size_t index_ = 0;
  std::string line_;     // L, the working line
  std::string source_;   // the input line in hand, tabs expanded
  std::string scratch_;  // lines read while locating and copying
  std::string indented_;
  bool wasChanged_ = false;
  struct TLineFacts {
    bool SingleLineIf = false;  // IsSingleLineIf of the working line
    TVBStatementKind Kind = skOther;
    bool HasComment = false;    // it has an apostrophe outside its literals
  } facts_;
  bool keep_ = true;
  bool formatterOff_ = false;  // inside a "' quillmate: off" region
  bool commentGoesOn_ = false;  // the input line in hand ends a comment with " _"
  bool dropComment_ = false;    // the comment that goes on was removed: its further lines go too
  // The output lines [first, last) of each such region, in file order.
  std::vector<std::pair<std::size_t, std::size_t>> keptRegions_;

  std::size_t loopStart_ = 0;  // where the code lines' output starts
  std::vector<TPendingBlock> pendingBlocks_;
  bool headerPrefixesRead_ = false;
  std::vector<std::vector<std::string>> headerPrefixes_;
};

void TVBSrcFormatter::FormatFile(const TPassInputView& input, int pass) {
  TFormatPass(*this, input, pass).Run();
}

bool TVBSrcFormatter::FormatPasses(const TLines& lines, const std::function<void(int shownPass)>& beforePass) {
  const auto announce = [&](int pass) {
    if (beforePass) beforePass(pass + 1);
  };

  FOutput.clear();
  FModified = false;
  announce(kPass1);
  FormatFile(lines, kPass1);
  if (Cancel().Requested()) return false;

  for (const int pass : {kPass2, kPass3}) {
    // A third pass only when the second changed something that calls for it.
    if (pass == kPass3 && !FModified) break;
    FModified = false;
    FPassInput.swap(FOutput);
    FOutput.clear();
    announce(pass);
    FRecyclableInput = &FPassInput;
    FormatFile(FPassInput, pass);
    FRecyclableInput = nullptr;
    FPassInput.clear();
    if (Cancel().Requested()) return false;
  }
  return true;
}

bool TVBSrcFormatter::FormatItem(const RFile& item) {
  TMarkedList().swap(FOutput);
  FFileName = item.Name;
  FFileKind = item.Kind;
  services_.Processing.SetRange(0, static_cast<int>(item.Lines.size()));
  services_.Processing.SetPosition(0);
  const bool done = FormatPasses(item.Lines, [this](int shownPass) {
    services_.Processing.SetLabel(msg::Fill(msg::ProcessingPass, {FFileName, std::to_string(shownPass)}));
  });
  return done && !Cancel().Requested();
}

void TVBSrcFormatter::ReplaceOutputText(std::size_t index, std::string text) {
  TMarkedLine& line = FOutput.at(index);
  if (line.Text == text) return;
  line.Text = std::move(text);
  line.Mark = NewChangedMark();
}

}  // namespace qm
