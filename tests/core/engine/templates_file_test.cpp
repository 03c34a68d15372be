// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "engine/templates.h"
#include "fake_ui.h"
#include "platform/linefile.h"
#include "settings/catalogue.h"
#include "temp_dir.h"

namespace qm {
namespace {

// A template file that is a named pipe, a device or huge is refused with its reason, at once.
struct SpecialTemplateRow {
  const char* name;
  const char* file;  // "TMP/" stands for the temporary directory
  const char* reason;
};
void PrintTo(const SpecialTemplateRow& row, std::ostream* os) { *os << row.name; }

class LoadSpecialTemplates : public ::testing::TestWithParam<SpecialTemplateRow> {};

TEST_P(LoadSpecialTemplates, WarnsWithTheReasonAndKeepsTheTemplate) {
  test::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  dir.Write("huge.txt", std::string(kSmallFileMax + 1, '\''));
  std::string file = GetParam().file;
  if (file.rfind("TMP/", 0) == 0) file = dir / file.substr(4);
  TSettings settings;
  settings.SetText(SettingKey::SubLevelCommentsFile, file);
  test::FakePrompts prompts;
  TCommentTemplates templates;
  LoadCommentHeaders(settings, templates, prompts);
  prompts.ExpectMessage(TMsgKind::Warning,
                        "Unable to load sub comment header file: " + file + " (" + GetParam().reason + ")");
  EXPECT_EQ(templates.Sub, DefaultSubTemplate());
}

INSTANTIATE_TEST_SUITE_P(Files, LoadSpecialTemplates,
                         ::testing::Values(SpecialTemplateRow{"NamedPipe", "TMP/fifo", "is not a regular file"},
                                           SpecialTemplateRow{"EndlessDevice", "/dev/zero", "is not a regular file"},
                                           SpecialTemplateRow{"TooLarge", "TMP/huge.txt", "is too large"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
