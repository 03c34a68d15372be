// SPDX-License-Identifier: MIT
#include "spelling/programtext.h"

#include "engine/templates.h"

namespace qm {

namespace {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasLetterOrDigit(std::string_view s) {
  for (const char c : s) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  }
  return false;
}

// A template line's own words: after the apostrophe that opens it (when only blanks stand before
// it), up to the first placeholder, without the blanks around.
std::string_view FixedWords(std::string_view templateLine) {
  const std::size_t apostrophe = templateLine.find('\'');
  if (apostrophe != std::string_view::npos && TrimBlanks(templateLine.substr(0, apostrophe)).empty()) {
    templateLine.remove_prefix(apostrophe + 1);
  }
  return TrimBlanks(templateLine.substr(0, templateLine.find('%')));
}

}  // namespace

bool IsAttributeLine(std::string_view line) {
  line = TrimBlanks(line);
  constexpr std::string_view kKeyword = "attribute";
  if (line.size() <= kKeyword.size() || !IsBlank(line[kKeyword.size()])) return false;
  for (std::size_t i = 0; i < kKeyword.size(); ++i) {
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kKeyword[i]) return false;
  }
  return true;
}

std::size_t TemplateWordsLength(std::string_view comment, const TCommentTemplates& templates) {
  std::size_t lead = 0;
  while (lead < comment.size() && IsBlank(comment[lead])) ++lead;
  const std::string_view text = comment.substr(lead);
  std::size_t longest = 0;
  for (const TLines* lines : {&templates.Sub, &templates.Function}) {
    for (const std::string& line : *lines) {
      const std::string_view fixed = FixedWords(line);
      if (fixed.size() > longest && HasLetterOrDigit(fixed) && text.starts_with(fixed)) longest = fixed.size();
    }
  }
  return longest == 0 ? 0 : lead + longest;
}

}  // namespace qm
