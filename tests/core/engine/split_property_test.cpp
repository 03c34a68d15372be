// SPDX-License-Identifier: MIT
// The splits lose, duplicate and invent no code: over generated and real lines, with every split,
// indentation and alignment on and the comment and blank-line rules leaving things alone, the
// output reads as the same sequence of code tokens as the input. The comparison allows for what
// the splits add by design: a split declaration repeats its keyword for every name (so each name
// is read with its keyword, written in any letter case), and a split If gains an End If.
//
// The token reader here is deliberately independent of the engine's own: it finds date literals by
// their contents rather than by what stands before them.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/linefuncs.h"
#include "format_verify.h"
#include "line_generator.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "row_name.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using K = SettingKey;
using Tokens = std::vector<std::string>;

// --- Reading code tokens ----------------------------------------------------------------------

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsWordByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 128; }

// #...# holding only date and time text: digits, separators and month or AM/PM words.
bool LooksLikeDate(std::string_view inner) {
  static const char* const kWords[] = {"am", "pm", "january", "february", "march", "april", "may", "june", "july",
                                       "august", "september", "october", "november", "december"};
  bool digit = false;
  for (std::size_t i = 0; i < inner.size();) {
    const char c = inner[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
      ++i;
    } else if (std::string_view(" /:-.,").find(c) != std::string_view::npos) {
      ++i;
    } else if (std::isalpha(static_cast<unsigned char>(c))) {
      std::size_t j = i;
      while (j < inner.size() && std::isalpha(static_cast<unsigned char>(inner[j]))) ++j;
      const std::string w = Lower(inner.substr(i, j - i));
      bool known = false;
      for (const char* k : kWords) known = known || w == k;
      if (!known) return false;
      i = j;
    } else {
      return false;
    }
  }
  return digit;
}

Tokens Lex(std::string_view code) {
  Tokens out;
  std::size_t i = 0;
  while (i < code.size()) {
    const char c = code[i];
    if (c == ' ') {
      ++i;
    } else if (c == '"') {
      std::size_t j = i + 1;
      while (j < code.size()) {
        if (code[j] == '"' && j + 1 < code.size() && code[j + 1] == '"') {
          j += 2;
        } else if (code[j] == '"') {
          ++j;
          break;
        } else {
          ++j;
        }
      }
      out.emplace_back(code.substr(i, j - i));
      i = j;
    } else if (c == '#' && code.find('#', i + 1) != std::string_view::npos &&
               LooksLikeDate(code.substr(i + 1, code.find('#', i + 1) - i - 1))) {
      const std::size_t j = code.find('#', i + 1) + 1;
      out.emplace_back(code.substr(i, j - i));
      i = j;
    } else if (IsWordByte(c)) {
      std::size_t j = i;
      while (j < code.size() && (IsWordByte(code[j]) || code[j] == '.')) ++j;
      out.push_back(Lower(code.substr(i, j - i)));
      i = j;
    } else if (c == ':' && i + 1 < code.size() && code[i + 1] == '=') {
      out.emplace_back(":=");
      i += 2;
    } else {
      out.emplace_back(1, c);
      ++i;
    }
  }
  return out;
}

// The code of a file's lines as statements, a continued line joined to the lines that continue it.
std::vector<Tokens> Statements(const std::vector<std::string>& lines) {
  std::vector<Tokens> statements;
  std::string logical;
  for (const std::string& line : lines) {
    std::string code = line;
    StripComment(code);
    const std::string_view t = TrimRight(code);
    if (t.size() >= 2 && t.substr(t.size() - 2) == " _") {
      logical.append(t.substr(0, t.size() - 1));
      continue;
    }
    logical.append(code);

    // Statements end at a colon outside parentheses, and a new one begins after Then and Else;
    // Rem at the start of one makes the rest of the line a comment.
    Tokens current;
    int depth = 0;
    const auto close = [&] {
      if (!current.empty()) statements.push_back(std::move(current));
      current.clear();
    };
    for (std::string& tok : Lex(logical)) {
      if (current.empty() && tok == "rem") break;
      if (tok == "(") ++depth;
      if (tok == ")") --depth;
      if (tok == ":" && depth == 0) {
        close();
        continue;
      }
      const bool opens = tok == "then" || tok == "else";
      current.push_back(std::move(tok));
      if (opens) close();
    }
    close();
    logical.clear();
  }
  return statements;
}

// A declaration's names each with their keyword; other statements as they are; no End If.
Tokens Normalise(const std::vector<std::string>& lines) {
  Tokens out;
  for (const Tokens& st : Statements(lines)) {
    if (st.size() == 2 && st[0] == "end" && st[1] == "if") continue;
    std::size_t names = 0;
    std::string keyword;
    if (st[0] == "dim" || st[0] == "const") {
      keyword = st[0], names = 1;
    } else if (st[0] == "redim" || st[0] == "global" || st[0] == "static") {
      keyword = st[0], names = 1;
      if (st.size() > 1 && (st[1] == "preserve" || (st[0] == "global" && st[1] == "const"))) {
        keyword += " " + st[1], names = 2;
      } else if (st[0] == "static" && st.size() > 1 && (st[1] == "sub" || st[1] == "function" || st[1] == "property")) {
        names = 0;
      }
    }
    if (names == 0) {
      out.insert(out.end(), st.begin(), st.end());
      continue;
    }
    int depth = 0;
    out.push_back(keyword);
    for (std::size_t k = names; k < st.size(); ++k) {
      if (st[k] == "(") ++depth;
      if (st[k] == ")") --depth;
      if (st[k] == "," && depth == 0) {
        out.push_back(keyword);
      } else {
        out.push_back(st[k]);
      }
    }
  }
  return out;
}

// --- Formatting -------------------------------------------------------------------------------

TSettings EverySplitOn() {
  TSettings s = test::RulesOffSettings();
  for (K key : {K::MultiVarSplit, K::MultiConstSplit, K::IfThenSplit, K::MultiStatementSplit, K::CodeIndentPerform,
                K::AlignMultiDimAs}) {
    s.SetBool(key, true);
  }
  return s;
}

std::vector<std::string> Texts(const TMarkedList& list) {
  std::vector<std::string> out;
  out.reserve(list.size());
  for (const TMarkedLine& l : list) out.push_back(l.Text);
  return out;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

std::string Spaced(const Tokens& tokens) {
  std::string out;
  for (const std::string& t : tokens) out += t + " ";
  return out;
}

// The output of formatting lines reads as the same code as lines.
::testing::AssertionResult KeepsTheCode(const std::vector<std::string>& lines, std::uint8_t kind = rkModule) {
  TSettings s = EverySplitOn();
  std::vector<std::string> expanded;
  for (const std::string& l : lines) expanded.push_back(ExpandTabs(l, s.TabWidth()));
  const std::vector<std::string> out = Texts(test::FormatLines(lines, s, kind));
  const Tokens before = Normalise(expanded), after = Normalise(out);
  if (before == after) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "input:\n" << Joined(lines) << "output:\n" << Joined(out)
                                       << "tokens in:  " << Spaced(before) << "\ntokens out: " << Spaced(after);
}

// --- Generated lines --------------------------------------------------------------------------

using test::LineGenerator;

class GeneratedLines : public ::testing::TestWithParam<unsigned> {};

// Each generated line on its own inside a procedure, then all of them as one file, so that lines
// also meet their neighbours (declaration groups, pieces written next to other lines).
TEST_P(GeneratedLines, KeepTheirCode) {
  LineGenerator gen(GetParam());
  std::vector<std::string> file = {"Sub Gen ()"};
  for (int k = 0; k < 400; ++k) {
    std::vector<std::string> lines = gen.Next();
    std::vector<std::string> one = {"Sub Gen ()"};
    one.insert(one.end(), lines.begin(), lines.end());
    one.push_back("End Sub");
    ASSERT_TRUE(KeepsTheCode(one));
    file.insert(file.end(), lines.begin(), lines.end());
  }
  file.push_back("End Sub");
  EXPECT_TRUE(KeepsTheCode(file));
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedLines, ::testing::Values(1u, 2u, 3u, 17u, 2024u),
    test::RowName([](unsigned seed) { return "Seed " + std::to_string(seed); }));

// --- Hand-picked and real lines ---------------------------------------------------------------

TEST(RealLines, KeepTheirCode) {
  const std::vector<std::string> lines = {
      "Sub Tricky ()",
      "    If s = \"Then\" Then x = 1",
      "    If a then b = 1 Else c = 2",
      "    If Authentic Then Go",
      "    If Authentic Then",
      "    End If",
      "    If x Then a = 1: b = 2",
      "    If a Then If b Then c Else d Else e",
      "    If a Then If b Then If c Then If d Then e = 1 Else f = 2",
      "    If x Then 100 Else 200",
      "    Dim grid(1 To 5, 1 To 3) As Long, n As Integer",
      "    ReDim Preserve a(5), b(7)",
      "    Static Property Let Value(ByVal a As Integer, ByVal b As Integer)",
      "    Dim a, b: Print x, y",
      "    Const SEP = \",\", EOL = \"a, b\"",
      "    Global Const D = #January 1, 1996#, E = 2 ' dates, too",
      "    x = 1: y = F(a, b): z = 3   ' init: all",
      "    MsgBox Prompt:=\"a: b\", Title:=\"T\": Beep",
      "    t = #12:30:00 PM#: u = 1",
      "    Select Case t: Case #12:30:00 PM#: v = 1: End Select",
      "    Print #1, a: Close #1",
      "    x = 1: Rem y: z, w",
      "  Retry: x = 1",
      "Retry: x = 1: y = 2",
      "    x = Total(a, _",
      "        b): y = 2",
      "    Dim p, _",
      "        q",
      "    If a And _",
      "       b Then c = 1: d = 2",
      "End Sub",
  };
  EXPECT_TRUE(KeepsTheCode(lines));
}

// The example projects' sources, formatted with every split on.
TEST(RealLines, ExampleSourcesKeepTheirCode) {
  const std::vector<test::VBSource> sources = test::VBSourcesBelow(EXAMPLES_DIR);
  for (const test::VBSource& source : sources) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(source.Path.string(), bytes));
    SCOPED_TRACE(source.Path.string());
    EXPECT_TRUE(KeepsTheCode(SplitLines(bytes), source.Kind));
  }
  EXPECT_FALSE(sources.empty());
}

}  // namespace
}  // namespace qm
