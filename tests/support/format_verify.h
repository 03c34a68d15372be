// SPDX-License-Identifier: MIT
#pragma once

// Formatting one text the way a processing run formats one file (two or three passes), and
// comparing the result with an expected text that shows each line's mark.
//
// Expected texts carry a one-character mark column: '*' for a line marked changed, '.' for a line
// marked unchanged, then the line's text. Lines are separated by "\n".
//
//   verifyFormat("*Option Explicit     'Force all variables to be declared before their use\n"
//                "*\n"
//                ".Sub Main()\n"
//                ".End Sub\n",
//                "Sub Main()\nEnd Sub\n", settings);
//   verifyNoChange("Sub Main()\nEnd Sub\n", settings);

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/formatter.h"
#include "engine/linefuncs.h"
#include "fake_ui.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"

namespace qm::test {

// Every rule that changes text switched off: the formatter then hands each line back as read
// (tabs expanded). Tests switch on what they exercise.
inline void SwitchAllRulesOff(TSettings& s) {
  using K = SettingKey;
  for (K key : {K::CodeIndentPerform, K::OptionExplicitInsert, K::MultiVarSplit, K::MultiConstSplit,
                K::IfThenSplit, K::MultiStatementSplit, K::AlignMultiDimAs, K::SpellingPerform,
                K::SubLevelCommentsPerform, K::FunctionLevelCommentsPerform,
                K::SingleLineCommentBlocks, K::PreviewBeforeSaving}) {
    s.SetBool(key, false);
  }
  s.SetInt(K::GrpBlankLines, 0);
  s.SetInt(K::GrpForNextProcessing, 0);
  s.SetInt(K::GrpSingleLineComments, 0);
  s.SetInt(K::GrpInLineComments, 0);
}

inline TSettings RulesOffSettings() {
  TSettings s;
  SwitchAllRulesOff(s);
  return s;
}

// The lines of a "\n"-separated text; a final "\n" adds no empty line.
inline TLines TextLines(std::string_view text) { return SplitLines(text); }

// One line per output line: the mark column and the text.
inline std::string RenderMarked(const TMarkedList& lines) {
  std::string out;
  for (const TMarkedLine& l : lines) {
    out += l.Mark.IsChanged() ? '*' : '.';
    out += l.Text;
    out += '\n';
  }
  return out;
}

// Formats lines as one project item of the given kind with the given settings, as a run does.
inline TMarkedList FormatLines(const TLines& lines, TSettings& settings, std::uint8_t kind = rkModule,
                               std::vector<int>* passes = nullptr, const TCommentTemplates* templates = nullptr) {
  FakePrompts prompts;
  TNullProgress processing, copying;
  TVBSrcFormatter fmt({settings, prompts, processing, copying, nullptr, templates});
  fmt.FFileKind = kind;
  fmt.FormatPasses(lines, [&](int pass) {
    if (passes) passes->push_back(pass);
  });
  return fmt.FOutput;
}

// A readable line diff of two texts ("- " expected only, "+ " actual only, "  " both).
inline std::string LineDiff(std::string_view expected, std::string_view actual) {
  const TLines a = SplitLines(expected), b = SplitLines(actual);
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    }
  }
  std::ostringstream out;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      out << "  " << a[i++] << "|\n";
      ++j;
    } else if (j < m && (i == n || lcs[i][j + 1] >= lcs[i + 1][j])) {
      out << "+ " << b[j++] << "|\n";
    } else {
      out << "- " << a[i++] << "|\n";
    }
  }
  return out.str();
}

inline void VerifyFormatAt(const char* file, int line, std::string_view expected, std::string_view input,
                           TSettings& settings, std::uint8_t kind = rkModule) {
  ::testing::ScopedTrace trace(file, line, "verifyFormat");
  const std::string actual = RenderMarked(FormatLines(TextLines(input), settings, kind));
  EXPECT_EQ(std::string(expected), actual) << "diff (- expected, + actual; | ends a line):\n"
                                           << LineDiff(expected, actual);
}

// The input comes back line for line, tabs expanded, every line marked unchanged.
inline void VerifyNoChangeAt(const char* file, int line, std::string_view text, TSettings& settings,
                             std::uint8_t kind = rkModule) {
  std::string expected;
  for (const std::string& l : TextLines(text)) expected += "." + ExpandTabs(l, settings.TabWidth()) + "\n";
  VerifyFormatAt(file, line, expected, text, settings, kind);
}

// A Visual Basic source file (.FRM, .BAS, .CLS) found below a directory, with its item kind.
struct VBSource {
  std::filesystem::path Path;
  std::uint8_t Kind;
};

// Every Visual Basic source below dir, in path order so that failures read the same every run.
inline std::vector<VBSource> VBSourcesBelow(const std::filesystem::path& dir) {
  std::vector<VBSource> sources;
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir, ec)) {
    const std::string ext = UpperCase(entry.path().extension().string());
    if (entry.is_regular_file() && (ext == ".FRM" || ext == ".BAS" || ext == ".CLS")) {
      sources.push_back({entry.path(), KindOfExt(ext)});
    }
  }
  std::sort(sources.begin(), sources.end(), [](const VBSource& a, const VBSource& b) { return a.Path < b.Path; });
  return sources;
}

}  // namespace qm::test

#define verifyFormat(...) ::qm::test::VerifyFormatAt(__FILE__, __LINE__, __VA_ARGS__)
#define verifyNoChange(...) ::qm::test::VerifyNoChangeAt(__FILE__, __LINE__, __VA_ARGS__)
