// SPDX-License-Identifier: MIT
#include "shell/projectsession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "messages.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "settings/catalogue.h"
#include "settings/lastused.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::FakePrompts;
using test::TempDir;

class ProjectSessionTest : public ::testing::Test {
 protected:
  ProjectSessionTest() : session_(settings_) {
    recent_.INISection = "RecentFiles";
    recent_.SetMaxItems(6);
    session_.AddRecentFile = [this](const std::string& path) { recent_.AddFile(path); };
  }

  std::string WriteProject(const std::string& name) {
    dir_.Write("MAIN.FRM", "VERSION 2.00\r\nBegin Form Main\r\nEnd\r\n");
    dir_.Write("GLOBAL.BAS", "Global X As Integer\r\n");
    return dir_.Write(name, "MAIN.FRM\r\nGLOBAL.BAS\r\nProjWinSize=152,402,248,215\r\n");
  }

  TempDir dir_;
  TSettings settings_;
  TLastUsedList recent_;
  TProjectSession session_;
  FakePrompts prompts_;
};

TEST_F(ProjectSessionTest, OpeningReadsTheProjectAndBuildsItsTree) {
  const std::string path = WriteProject("LEDGER.MAK");
  std::vector<int> steps;
  int max = -1;
  bool ended = false;
  TProjectSession::TProgress progress{[&](int m) { max = m; }, [&](int done) { steps.push_back(done); },
                                      [&] { ended = true; }};
  ASSERT_TRUE(session_.OpenProject(path, prompts_, progress));
  EXPECT_TRUE(session_.IsOpen());
  EXPECT_EQ(session_.ProjectFileName(), "LEDGER.MAK");
  EXPECT_EQ(session_.ProjectPath(), path);
  EXPECT_EQ(max, 3);
  EXPECT_FALSE(steps.empty());
  EXPECT_TRUE(ended);
  EXPECT_EQ(prompts_.Busy(), 0);
  ASSERT_EQ(session_.Tree.Size(), 3u);
  EXPECT_EQ(session_.Tree.Nodes()[0].Caption, "LEDGER.MAK");
  EXPECT_EQ(recent_.Paths(), (std::vector<std::string>{path}));
}

TEST_F(ProjectSessionTest, OpeningReloadsTheSettingsAndTheTabWidth) {
  const std::string path = WriteProject("LEDGER.MAK");
  dir_.Write("VBQUILL3.INI", "[Indents]\r\nIfThenElseIndent=7\r\n");
  dir_.Write("VB.INI", "[Visual Basic]\r\nTabStops=6\r\n");
  int reloads = 0;
  session_.OnSettingsReloaded = [&] {
    ++reloads;
    EXPECT_EQ(settings_.Int(SettingKey::IfThenElseIndent), 7);
  };
  ASSERT_EQ(settings_.TabWidth(), 4);
  ASSERT_TRUE(session_.OpenProject(path, prompts_));
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(settings_.TabWidth(), 6);
}

TEST_F(ProjectSessionTest, AMissingProjectLeavesNoProjectAndTheListUnchanged) {
  const std::string good = WriteProject("LEDGER.MAK");
  ASSERT_TRUE(session_.OpenProject(good, prompts_));
  std::filesystem::remove(good);

  bool ended = false;
  TProjectSession::TProgress progress{[](int) {}, {}, [&] { ended = true; }};
  EXPECT_FALSE(session_.OpenProject(good, prompts_, progress));
  prompts_.ExpectMessage(TMsgKind::Error, std::string(msg::InvalidProjectFile));
  EXPECT_TRUE(ended);
  EXPECT_FALSE(session_.IsOpen());
  EXPECT_EQ(session_.Tree.Size(), 0u);
  EXPECT_EQ(session_.ProjectFileName(), "");
  EXPECT_EQ(recent_.Paths(), (std::vector<std::string>{good}));
}

// A recent project whose file is gone is named as missing and leaves the list; the project open
// before stays open. One that exists is left to be opened.
TEST_F(ProjectSessionTest, AMissingRecentProjectIsReportedAndRemoved) {
  session_.RemoveRecentFile = [this](const std::string& path) { recent_.RemoveFile(path); };
  const std::string gone = WriteProject("OLD.MAK");
  const std::string open = WriteProject("LEDGER.MAK");
  recent_.AddFile(gone);
  ASSERT_TRUE(session_.OpenProject(open, prompts_));
  std::filesystem::remove(gone);

  EXPECT_TRUE(session_.ForgetMissingRecentProject(gone, prompts_));
  prompts_.ExpectMessage(TMsgKind::Warning, DisplayPath(gone) +
                                                " no longer exists.  It has been removed from the list of "
                                                "recent projects.");
  EXPECT_EQ(recent_.Paths(), (std::vector<std::string>{open}));
  EXPECT_TRUE(session_.IsOpen());
  EXPECT_EQ(session_.ProjectPath(), open);
  EXPECT_FALSE(session_.ForgetMissingRecentProject(open, prompts_));
}

TEST_F(ProjectSessionTest, OpeningASecondProjectClosesTheFirstEvenWhenItFails) {
  const std::string first = WriteProject("LEDGER.MAK");
  ASSERT_TRUE(session_.OpenProject(first, prompts_));
  EXPECT_FALSE(session_.OpenProject(dir_ / "NONE.MAK", prompts_));
  prompts_.ExpectMessage(TMsgKind::Error, std::string(msg::InvalidProjectFile));
  EXPECT_FALSE(session_.IsOpen());
  EXPECT_EQ(session_.Project(), nullptr);
}

TEST_F(ProjectSessionTest, ClosingForgetsTheProject) {
  ASSERT_TRUE(session_.OpenProject(WriteProject("LEDGER.MAK"), prompts_));
  session_.CloseProject();
  EXPECT_FALSE(session_.IsOpen());
  EXPECT_EQ(session_.ProjectPath(), "");
  EXPECT_EQ(session_.Tree.Size(), 0u);
  session_.CloseProject();  // closing twice is harmless
}

TEST(FileFilter, SplitsDescriptionsAndPatterns) {
  std::vector<TFileFilter> filters = ParseFileFilter("Visual Basic Projects|*.MAK;*.VBP");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].Description, "Visual Basic Projects");
  EXPECT_EQ(filters[0].Patterns, (std::vector<std::string>{"*.MAK", "*.VBP"}));

  filters = ParseFileFilter("Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[1].Description, "All Files (*.*)");
  EXPECT_EQ(filters[1].Patterns, (std::vector<std::string>{"*.*"}));

  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("Dangling description").empty());
  EXPECT_EQ(ParseFileFilter("A|;*.X;;").front().Patterns, (std::vector<std::string>{"*.X"}));
}

}  // namespace
}  // namespace qm
