// SPDX-License-Identifier: MIT
#include "engine/programcheck.h"

#include <array>
#include <deque>
#include <string_view>

#include "engine/marks.h"
#include "engine/optionexplicit.h"
#include "engine/templates.h"
#include "settings/catalogue.h"

namespace qm {

namespace {

using K = SettingKey;

enum class TKind : unsigned char { Word, Literal, Other, Boundary };

struct TTok {
  TKind Kind;
  std::string_view Text;
  std::size_t Line;  // from 1
};

struct TComment {
  std::string_view Text;  // after the apostrophe, without blanks at either end
  std::size_t Line;
};

inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// Which bytes make up words: letters, digits, the underscore and every byte above ASCII (a code
// page's letters), and which of them may also go on a word, the dot of a qualified name.
constexpr unsigned char kWordStart = 1;
constexpr unsigned char kWordPart = 2;
constexpr std::array<unsigned char, 256> kCharClass = [] {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
    table[static_cast<std::size_t>(c)] = word ? (kWordStart | kWordPart) : (c == '.' ? kWordPart : 0);
  }
  return table;
}();

bool IsWordChar(char c) { return (kCharClass[static_cast<unsigned char>(c)] & kWordStart) != 0; }
bool IsWordPart(char c) { return (kCharClass[static_cast<unsigned char>(c)] & kWordPart) != 0; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool HasLetterOrDigit(std::string_view s) {
  for (const char c : s) {
    if (IsWordChar(c) && c != '_') return true;
  }
  return false;
}

// Comment texts, a run of blanks and tabs read as one blank (tabs are expanded in comments too).
bool SameCommentText(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsBlank(a[i]) && IsBlank(b[j])) {
      while (i < a.size() && IsBlank(a[i])) ++i;
      while (j < b.size() && IsBlank(b[j])) ++j;
    } else if (a[i++] != b[j++]) {
      return false;
    }
  }
  return i == a.size() && j == b.size();
}

// #...# holding only date and time text: digits, separators, month names and AM/PM.
bool LooksLikeDate(std::string_view inner) {
  static constexpr std::string_view kWords[] = {"am",  "pm",   "jan", "feb", "mar", "apr", "may", "jun",
                                                "jul", "aug",  "sep", "oct", "nov", "dec"};
  bool digit = false;
  for (std::size_t i = 0; i < inner.size();) {
    const char c = inner[i];
    if (c >= '0' && c <= '9') {
      digit = true;
      ++i;
    } else if (std::string_view(" /:-.,").find(c) != std::string_view::npos) {
      ++i;
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      std::size_t j = i;
      while (j < inner.size() && ((inner[j] >= 'a' && inner[j] <= 'z') || (inner[j] >= 'A' && inner[j] <= 'Z'))) ++j;
      bool known = false;
      for (std::string_view w : kWords) known = known || (j - i >= w.size() && SameWord(inner.substr(i, w.size()), w));
      if (!known) return false;
      i = j;
    } else {
      return false;
    }
  }
  return digit;
}

// Where a string literal that opens at i ends (one past its closing quote, "" kept inside).
std::size_t LiteralEnd(std::string_view s, std::size_t i) {
  for (std::size_t j = s.find('"', i + 1); j != std::string_view::npos; j = s.find('"', j + 2)) {
    if (j + 1 < s.size() && s[j + 1] == '"') continue;
    return j + 1;
  }
  return s.size();
}

constexpr std::string_view kEnd = "end";
constexpr char kEndOfFile = '\x1A';
constexpr std::string_view kIf = "if";

std::string_view TextOf(const std::string& line) { return line; }
std::string_view TextOf(const TMarkedLine& line) { return line.Text; }

// Reads one text as normalised code tokens, one logical line at a time, and collects its comments.
template <typename Lines>
class TProgramReader {
 public:
  TProgramReader(const Lines& lines, const TProgramCheckOptions& options)
      : lines_(lines), options_(options) {}

  // The next token; false at the end of the text.
  bool Next(TTok& tok) {
    while (at_ == toks_.size()) {
      if (line_ >= lines_.size() || endOfText_) return false;
      ReadLogicalLine();
    }
    tok = toks_[at_++];
    return true;
  }

  std::size_t LastLine() const { return lines_.empty() ? 1 : lines_.size(); }
  std::vector<TComment>& Comments() { return comments_; }

 private:
  // Raw tokens of the physical lines of one statement line (continuations joined).
  void ReadLogicalLine() {
    raw_.clear();
    toks_.clear();
    at_ = 0;
    for (bool continued = true; continued && line_ < lines_.size(); ++line_) {
      continued = LexLine(TextOf(lines_[line_]), line_ + 1);
    }
    Normalise();
  }

  // Lexes one physical line into raw_; true when it ends with a line continuation.
  bool LexLine(std::string_view s, std::size_t number) {
    for (std::size_t i = 0; i < s.size();) {
      const char c = s[i];
      if (c == kEndOfFile) {
        // Visual Basic reads no further than the end-of-file byte (Ctrl-Z) of an old editor.
        endOfText_ = true;
        break;
      }
      if (IsBlank(c) || c == '\r') {
        // Indentation and the blanks between tokens, a run at a time.
        while (++i < s.size() && (IsBlank(s[i]) || s[i] == '\r')) {
        }
      } else if (c == '\'') {
        ReadComment(s.substr(i + 1), number);
        break;
      } else if (c == '"') {
        const std::size_t end = LiteralEnd(s, i);
        raw_.push_back({TKind::Literal, s.substr(i, end - i), number});
        i = end;
      } else if (c == '#' && DateAt(s, i)) {
        const std::size_t end = s.find('#', i + 1) + 1;
        raw_.push_back({TKind::Literal, s.substr(i, end - i), number});
        i = end;
      } else if (IsWordChar(c)) {
        std::size_t j = i;
        while (j < s.size() && IsWordPart(s[j])) ++j;
        const std::string_view word = s.substr(i, j - i);
        const auto statementStart = [&] {
          return raw_.empty() || raw_.back().Kind == TKind::Boundary || IsWord(raw_.back(), "then") ||
                 IsWord(raw_.back(), "else");
        };
        if (SameWord(word, "rem") && statementStart()) {
          // The rest of the line is the remark, up to an apostrophe outside quotes, which starts
          // a comment as anywhere else.
          std::size_t k = j;
          while (k < s.size() && s[k] != '\'') k = s[k] == '"' ? LiteralEnd(s, k) : k + 1;
          raw_.push_back({TKind::Literal, TrimBlanks(s.substr(i, k - i)), number});
          if (k < s.size()) ReadComment(s.substr(k + 1), number);
          break;
        }
        raw_.push_back({TKind::Word, word, number});
        i = j;
      } else if (c == ':' && i + 1 < s.size() && s[i + 1] == '=') {
        raw_.push_back({TKind::Other, s.substr(i, 2), number});
        i += 2;
      } else if (c == ':') {
        raw_.push_back({TKind::Boundary, s.substr(i, 1), number});
        i += 1;
      } else {
        raw_.push_back({TKind::Other, s.substr(i, 1), number});
        i += 1;
      }
    }
    // " _" at the end: the statement goes on on the next line.
    if (!raw_.empty() && raw_.back().Kind == TKind::Word && raw_.back().Text == "_" && raw_.back().Line == number) {
      const std::size_t at = static_cast<std::size_t>(raw_.back().Text.data() - s.data());
      if (at > 0 && IsBlank(s[at - 1])) {
        raw_.pop_back();
        return true;
      }
    }
    raw_.push_back({TKind::Boundary, {}, number});
    return false;
  }

  bool DateAt(std::string_view s, std::size_t i) const {
    const std::size_t close = s.find('#', i + 1);
    return close != std::string_view::npos && LooksLikeDate(s.substr(i + 1, close - i - 1));
  }

  static bool IsWord(const TTok& t, std::string_view lowerWord) {
    return t.Kind == TKind::Word && SameWord(t.Text, lowerWord);
  }

  // A comment that ends in " _" goes on on the next line, whatever that holds: the lines are read
  // as one comment, so that anything put between them shows as a changed comment (and the
  // continuation, cut off, as code).
  void ReadComment(std::string_view text, std::size_t number) {
    if (!EndsWithContinuationMark(text)) return AddComment(text, number);
    std::string& joined = joined_.emplace_back(text);
    for (std::string_view last = text; EndsWithContinuationMark(last) && line_ + 1 < lines_.size();) {
      last = TextOf(lines_[++line_]);
      joined += ' ';
      joined += last;
    }
    AddComment(joined, number);
  }

  static bool EndsWithContinuationMark(std::string_view text) {
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text.size() >= 2 && text.back() == '_' && IsBlank(text[text.size() - 2]);
  }

  void AddComment(std::string_view text, std::size_t number) {
    text = TrimBlanks(text);
    // Block lines and rules carry no text of their own; header lines are the template's.
    if (!HasLetterOrDigit(text) || IsHeaderLine(text) || text == kOptionExplicitComment) return;
    if (!comments_.empty() && SameCommentText(comments_.back().Text, text)) return;
    comments_.push_back({text, number});
  }

  bool IsHeaderLine(std::string_view text) const {
    for (const std::string& prefix : options_.HeaderLines) {
      if (text.starts_with(prefix)) return true;
    }
    return false;
  }

  void Emit(TKind kind, std::string_view text, std::size_t line) {
    if (kind == TKind::Boundary && (toks_.empty() || toks_.back().Kind == TKind::Boundary)) return;
    toks_.push_back({kind, text, line});
  }

  // The statement line's tokens as both texts read them, whatever the splits did to them.
  // A single-line If reads as its block form: an Else goes to the innermost single-line If of
  // the line that has none yet (closing the Ifs inside it that have one), and every If still open
  // at the end of the line gets its End If there.
  void Normalise() {
    ifs_.clear();  // the single-line Ifs open on this line: whether each has had its Else
    std::size_t i = 0;
    std::size_t lastLine = line_;
    while (i < raw_.size()) {
      // One statement: from i to the next boundary, Then or Else.
      const std::size_t start = i;
      if (IsWord(raw_[i], "option") && i + 1 < raw_.size() && IsWord(raw_[i + 1], "explicit")) {
        while (i < raw_.size() && raw_[i].Kind != TKind::Boundary) ++i;
        continue;
      }
      const std::size_t keywordWords = DeclarationKeyword(i);
      if (IsWord(raw_[i], "next")) {
        // Next with or without its one loop variable, however the variable is written (a type
        // suffix, i%, or a member of a With object, .Item): the variable is not read.
        std::size_t end = i + 1;
        bool oneVariable = true;
        for (; end < raw_.size() && raw_[end].Kind != TKind::Boundary; ++end) {
          oneVariable = oneVariable && raw_[end].Kind != TKind::Literal && raw_[end].Text != ",";
        }
        if (oneVariable && end > i + 1 && end < raw_.size()) {
          Emit(TKind::Word, raw_[i].Text, raw_[i].Line);
          i = end;
          continue;
        }
      }
      int depth = 0;
      for (; i < raw_.size(); ++i) {
        const TTok& t = raw_[i];
        lastLine = t.Line;
        if (t.Kind == TKind::Boundary) {
          Emit(TKind::Boundary, {}, t.Line);
          ++i;
          break;
        }
        if (t.Text == "(") ++depth;
        if (t.Text == ")") --depth;
        if (keywordWords > 0 && depth == 0 && t.Text == ",") {
          // One declaration per name, each with the statement's keyword.
          Emit(TKind::Boundary, {}, t.Line);
          for (std::size_t k = 0; k < keywordWords; ++k) Emit(TKind::Word, raw_[start + k].Text, t.Line);
          continue;
        }
        if (IsWord(t, "then")) {
          Emit(TKind::Word, t.Text, t.Line);
          if (i + 1 < raw_.size() && raw_[i + 1].Kind != TKind::Boundary) ifs_.push_back(false);
          Emit(TKind::Boundary, {}, t.Line);
          ++i;
          break;
        }
        if (IsWord(t, "else")) {
          while (!ifs_.empty() && ifs_.back()) {
            EmitEndIf(t.Line);
            ifs_.pop_back();
          }
          if (!ifs_.empty()) ifs_.back() = true;
          Emit(TKind::Boundary, {}, t.Line);
          Emit(TKind::Word, t.Text, t.Line);
          Emit(TKind::Boundary, {}, t.Line);
          ++i;
          break;
        }
        Emit(t.Kind, t.Text, t.Line);
      }
    }
    for (; !ifs_.empty(); ifs_.pop_back()) EmitEndIf(lastLine);
  }

  void EmitEndIf(std::size_t line) {
    Emit(TKind::Boundary, {}, line);
    Emit(TKind::Word, kEnd, line);
    Emit(TKind::Word, kIf, line);
    Emit(TKind::Boundary, {}, line);
  }

  // The number of keyword words of a declaration statement at i whose names the splits put on
  // lines of their own (Dim, ReDim, ReDim Preserve, Global, Global Const, Static, Const); 0 for
  // any other statement.
  std::size_t DeclarationKeyword(std::size_t i) const {
    const auto wordAt = [&](std::size_t k, std::string_view w) { return k < raw_.size() && IsWord(raw_[k], w); };
    if (wordAt(i, "dim") || wordAt(i, "const")) return 1;
    if (wordAt(i, "redim")) return wordAt(i + 1, "preserve") ? 2 : 1;
    if (wordAt(i, "global")) return wordAt(i + 1, "const") ? 2 : 1;
    if (wordAt(i, "static")) {
      return wordAt(i + 1, "sub") || wordAt(i + 1, "function") || wordAt(i + 1, "property") ? 0 : 1;
    }
    return 0;
  }

  const Lines& lines_;
  const TProgramCheckOptions& options_;
  std::size_t line_ = 0;
  std::vector<TTok> raw_;
  std::vector<TTok> toks_;
  std::vector<bool> ifs_;
  std::size_t at_ = 0;
  std::vector<TComment> comments_;
  std::deque<std::string> joined_;  // the texts of comments continued over several lines
  bool endOfText_ = false;
};

bool SameToken(const TTok& a, const TTok& b, const TProgramCheckOptions& options) {
  if (a.Kind != b.Kind) return false;
  switch (a.Kind) {
    case TKind::Word: return SameWord(a.Text, b.Text);
    case TKind::Literal: return options.TextMayBeCorrected || a.Text == b.Text;
    case TKind::Other: return a.Text == b.Text;
    case TKind::Boundary: return true;
  }
  return false;
}

// The restyled comments against the read ones: the same sequence, or, when comments may go, a
// part of it in order. The line of the first read comment that is not matched, or none.
std::optional<std::size_t> CommentMismatch(const std::vector<TComment>& in, const std::vector<TComment>& out,
                                           const TProgramCheckOptions& options) {
  const auto same = [&](const TComment& a, const TComment& b) {
    return options.TextMayBeCorrected || SameCommentText(a.Text, b.Text);
  };
  std::size_t i = 0;
  for (const TComment& c : out) {
    if (options.CommentsMayBeRemoved) {
      while (i < in.size() && !same(in[i], c)) ++i;
    }
    if (i == in.size()) return in.empty() ? c.Line : in.back().Line;
    if (!same(in[i], c)) return in[i].Line;
    ++i;
  }
  if (!options.CommentsMayBeRemoved && i < in.size()) return in[i].Line;
  return std::nullopt;
}

}  // namespace

TProgramCheckOptions ProgramCheckOptionsFor(const TSettings& settings, const TCommentTemplates* templates) {
  TProgramCheckOptions options;
  options.CommentsMayBeRemoved =
      settings.Choice<TSingleLinePlacement>(K::GrpSingleLineComments) == TSingleLinePlacement::Remove ||
      settings.Choice<TInLinePlacement>(K::GrpInLineComments) == TInLinePlacement::Remove ||
      (settings.Choice<TInLinePlacement>(K::GrpInLineComments) == TInLinePlacement::FixedColumn &&
       settings.Choice<TFixedColumnFallback>(K::GrpInLineCommentsFixedColUnavail) == TFixedColumnFallback::Remove);
  options.TextMayBeCorrected = settings.Bool(K::SpellingPerform);
  const TCommentTemplates& t = templates ? *templates : DefaultCommentTemplates();
  for (const TLines* lines : {&t.Sub, &t.Function}) {
    for (const std::string& line : *lines) {
      // What a header line begins with: the template line up to its first placeholder.
      std::string_view text = line;
      const std::size_t apostrophe = text.find('\'');
      if (apostrophe != std::string_view::npos && TrimBlanks(text.substr(0, apostrophe)).empty()) {
        text.remove_prefix(apostrophe + 1);
      }
      const std::size_t placeholder = text.find('%');
      text = TrimBlanks(text.substr(0, placeholder));
      if (HasLetterOrDigit(text)) options.HeaderLines.emplace_back(text);
    }
  }
  return options;
}

namespace {

template <typename OutputLines>
std::optional<std::size_t> Mismatch(const std::vector<std::string>& input, const OutputLines& output,
                                    const TProgramCheckOptions& options) {
  TProgramReader<std::vector<std::string>> before(input, options);
  TProgramReader<OutputLines> after(output, options);
  TTok a{}, b{};
  for (;;) {
    const bool moreBefore = before.Next(a);
    const bool moreAfter = after.Next(b);
    if (!moreBefore && !moreAfter) break;
    if (!moreBefore) return before.LastLine();
    if (!moreAfter || !SameToken(a, b, options)) return a.Line;
  }
  if (options.CodeOnly) return std::nullopt;
  return CommentMismatch(before.Comments(), after.Comments(), options);
}

}  // namespace

std::optional<std::size_t> ProgramMismatchLine(const std::vector<std::string>& input,
                                               const std::vector<std::string>& output,
                                               const TProgramCheckOptions& options) {
  return Mismatch(input, output, options);
}

std::optional<std::size_t> ProgramMismatchLine(const std::vector<std::string>& input, const TMarkedList& output,
                                               const TProgramCheckOptions& options) {
  return Mismatch(input, output, options);
}

}  // namespace qm
