// SPDX-License-Identifier: MIT
// Spell checking of string literals and comments, through the spelling dialog.

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "engine/templates.h"
#include "messages.h"
#include "spelling/programtext.h"
#include "ui/prompts.h"
#include "ui/spelling.h"

namespace qm {

// Every literal of the line, the comment included, is checked between its quotes and written back
// between them; a doubled quote closes one literal and opens the next. Text after the last quote
// of a line with an odd number of them is kept as it stands. An Attribute line's literals are
// names and values of the program (VB_Name = "Utils"), never prose.
void TVBSrcFormatter::SpellCheckLiterals(std::string& line) {
  if (!HasStringLiteral(line) || IsAttributeLine(line)) return;
  std::string out;
  out.reserve(line.size() + 8);
  std::string literal;
  bool inside = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c != '"') {
      (inside ? literal : out).push_back(c);
      continue;
    }
    if (inside) {
      if (!FSpellCancelled) SpellCheckText(line, literal, true, static_cast<int>(start) + 1);
      out += '"';
      out += literal;
      out += '"';
      literal.clear();
    } else {
      start = i + 1;
    }
    inside = !inside;
  }
  if (inside) {
    out += '"';
    out += literal;
  }
  line = std::move(out);
}

// A corrected comment is written after the code part, five blanks and the apostrophe; the comment
// rules place it afterwards. The fixed words of a header template line ("Params :") are the
// program's own text, by which its headers are recognised: only what follows them is checked.
void TVBSrcFormatter::SpellCheckComment(std::string& line) {
  const int at = CommentPos(line);
  if (at <= 0 || IsAttributeLine(line)) return;
  std::string comment = CommentText(line);
  const TCommentTemplates& templates = services_.Templates ? *services_.Templates : DefaultCommentTemplates();
  const std::size_t fixed = TemplateWordsLength(comment, templates);
  std::string text = comment.substr(fixed);
  if (fixed > 0 && text.find_first_not_of(" \t") == std::string::npos) {
    FSpellChanged = false;
    return;
  }
  SpellCheckText(line, text, false, at + 1 + static_cast<int>(fixed));
  if (!FSpellChanged) return;
  FModified = true;
  StripComment(line);
  line += "     '";
  line.append(comment, 0, fixed);
  line += text;
}

void TVBSrcFormatter::SpellCheckText(const std::string& context, std::string& text, bool literal, int column) {
  FSpellChanged = false;
  ISpellCheck* spelling = services_.Spelling;
  if (!spelling) return;
  if (!FSpellRunBegun) {
    FSpellRunBegun = true;
    std::string problem;
    FSpellAvailable = spelling->BeginSpellRun(&problem);
    if (!FSpellAvailable) services_.Prompts.Show(TMsgKind::Warning, msg::Format(msg::NoSpellingDictionary, problem));
  }
  if (!FSpellAvailable) return;
  spelling->RunSpellCheck(context, text, TSpellTarget{literal, column}, FSpellCancelled, FSpellChanged);
}

}  // namespace qm
