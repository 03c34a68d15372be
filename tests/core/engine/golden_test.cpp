// SPDX-License-Identifier: MIT
// Golden files: every directory under tests/data/format holds one case.
//
//   input         the source file, as a project would hand it over
//   expected      the formatted file with a mark column ('*' changed, '.' unchanged; see
//                 format_verify.h)
//   settings.ini  optional: the settings that differ from "every rule off", in the sections and
//                 keys of the settings file; its [Golden] section may give Kind (form, module or
//                 class, default module) and TabWidth (default 4)
//
// On a mismatch the runner writes the result as "actual" beside "expected" and prints a diff.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/templates.h"
#include "format_verify.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

fs::path CasesDir() { return fs::path(TEST_DATA_DIR) / "format"; }

std::vector<std::string> GoldenCases() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(CasesDir(), ec)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::uint8_t KindByName(const std::string& name) {
  if (SameTextIgnoringCase(name, "form")) return rkForm;
  if (SameTextIgnoringCase(name, "class")) return rkClass;
  return rkModule;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, FormatsAsExpected) {
  const fs::path dir = CasesDir() / GetParam();

  std::string input, expectedBytes, err;
  ASSERT_TRUE(ReadFileBytes((dir / "input").string(), input, &err)) << err;
  ASSERT_TRUE(ReadFileBytes((dir / "expected").string(), expectedBytes, &err)) << err;

  TSettings settings = test::RulesOffSettings();
  std::uint8_t kind = rkModule;
  int tabWidth = 4;
  const fs::path ini = dir / "settings.ini";
  if (fs::exists(ini)) {
    settings.LoadINIControls(ini.string());
    kind = KindByName(GetPrivateProfileString("Golden", "Kind", "module", ini.string()));
    tabWidth = ParseProfileInt(GetPrivateProfileString("Golden", "TabWidth", "4", ini.string())).value_or(4);
  }
  settings.SetTabWidth(tabWidth);

  // The expected file may have been saved with either line end.
  std::string expected;
  for (const std::string& line : SplitLines(expectedBytes)) expected += line + "\n";
  // Header comments carry a fixed date.
  TCommentTemplates templates;
  templates.DateText = [] { return std::string("12/08/96"); };
  const std::string actual =
      test::RenderMarked(test::FormatLines(SplitLines(input), settings, kind, nullptr, &templates));

  const fs::path actualFile = dir / "actual";
  if (actual == expected) {
    std::error_code ec;
    fs::remove(actualFile, ec);
    return;
  }
  WriteFileBytes(actualFile.string(), actual);
  ADD_FAILURE() << "case " << GetParam() << " differs; result written to " << actualFile.string()
                << "\n(- expected, + actual; | ends a line)\n"
                << test::LineDiff(expected, actual);
}

INSTANTIATE_TEST_SUITE_P(Format, Golden, ::testing::ValuesIn(GoldenCases()), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
});
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Golden);

// The example projects' sources, with every rule off, come back as they are (tabs expanded), every
// line marked unchanged.
TEST(GoldenExamples, EveryRuleOffLeavesTheExamplesAlone) {
  const std::vector<test::VBSource> sources = test::VBSourcesBelow(EXAMPLES_DIR);
  for (const test::VBSource& source : sources) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(source.Path.string(), bytes));
    TSettings settings = test::RulesOffSettings();
    SCOPED_TRACE(source.Path.string());
    verifyNoChange(bytes, settings, source.Kind);
  }
  EXPECT_FALSE(sources.empty()) << "no example sources under " << EXAMPLES_DIR;
}

// The VB4 example project's sources with every transformation on: tests/data/example_all_rules
// holds the settings and, at each source's path under examples/vb4, its expected result (written
// as "<name>.actual" beside it on a mismatch). The header comments' date is fixed.
TEST(GoldenExamples, EveryTransformationOnFormatsTheVB4Example) {
  const fs::path cases = fs::path(TEST_DATA_DIR) / "example_all_rules";
  const fs::path sources = fs::path(EXAMPLES_DIR) / "vb4";
  TSettings settings = test::RulesOffSettings();
  settings.LoadINIControls((cases / "settings.ini").string());
  TCommentTemplates templates;
  templates.DateText = [] { return std::string("12/08/96"); };

  std::error_code ec;
  const std::vector<test::VBSource> files = test::VBSourcesBelow(sources);
  for (const test::VBSource& source : files) {
    const fs::path relative = fs::relative(source.Path, sources);
    SCOPED_TRACE(relative.string());

    std::string input, expectedBytes, err;
    ASSERT_TRUE(ReadFileBytes(source.Path.string(), input, &err)) << err;
    // A missing expected file reads as empty: the result is written beside it to start from.
    ReadFileBytes((cases / relative).string(), expectedBytes, &err);
    std::string expected;
    for (const std::string& line : SplitLines(expectedBytes)) expected += line + "\n";

    test::FakePrompts prompts;
    TNullProgress processing, copying;
    TVBSrcFormatter fmt({settings, prompts, processing, copying, nullptr, &templates});
    fmt.FFileKind = source.Kind;
    ASSERT_TRUE(fmt.FormatPasses(SplitLines(input)));
    const std::string actual = test::RenderMarked(fmt.FOutput);

    fs::path actualFile = cases / relative;
    actualFile += ".actual";
    if (actual == expected) {
      fs::remove(actualFile, ec);
      continue;
    }
    WriteFileBytes(actualFile.string(), actual);
    ADD_FAILURE() << relative.string() << " differs; result written to " << actualFile.string()
                  << "\n(- expected, + actual; | ends a line)\n"
                  << test::LineDiff(expected, actual);
  }
  EXPECT_EQ(files.size(), 5u) << "the VB4 example under " << sources.string();
}

}  // namespace
}  // namespace qm
