// SPDX-License-Identifier: MIT
#include "shell/projecttree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_ui.h"
#include "shell/commandstates.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::FakePrompts;
using test::TempDir;

// A .VBP project with a form, a module, a class and a control.
class ProjectTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("Main.frm", "VERSION 4.00\r\nBegin VB.Form Main\r\nEnd\r\n");
    dir_.Write("Util.bas", "Attribute VB_Name = \"Util\"\r\n");
    dir_.Write("Item.cls", "VERSION 1.0 CLASS\r\n");
    dir_.Write("Grid.ocx", "binary");
    dir_.Write("P.VBP",
               "Form=Main.frm\r\nModule=Util; Util.bas\r\nClass=Item; Item.cls\r\nObject={X}#1.0#0; Grid.ocx\r\n");
    FakePrompts prompts;
    ASSERT_EQ(project_.ReadProjectFile(dir_ / "P.VBP", prompts), TReadOutcome::Read);
    tree_.Build(project_, "P.VBP");
  }

  TempDir dir_;
  TSourceMgt project_;
  TProjectTree tree_;
};

TEST_F(ProjectTreeTest, HasTheRootAndOneNodePerFormModuleAndClass) {
  const std::vector<TProjectNode>& nodes = tree_.Nodes();
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes[0].Caption, "P.VBP");
  EXPECT_EQ(nodes[0].ImageIndex, kImageProject);
  EXPECT_EQ(nodes[0].StateIndex, kNoStateImage);
  EXPECT_EQ(nodes[0].Item, nullptr);

  struct Expected {
    std::string Caption;
    int Image;
  };
  const std::vector<Expected> expected = {{"Main.frm", 1}, {"Util.bas", 4}, {"Item.cls", 5}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].Caption);
    EXPECT_EQ(nodes[i + 1].Caption, expected[i].Caption);
    EXPECT_EQ(nodes[i + 1].ImageIndex, expected[i].Image);
    EXPECT_EQ(nodes[i + 1].SelectedIndex, expected[i].Image);
    EXPECT_EQ(nodes[i + 1].StateIndex, kStateSelected);
    ASSERT_NE(nodes[i + 1].Item, nullptr);
    EXPECT_TRUE(nodes[i + 1].Item->Selected);
  }
}

TEST_F(ProjectTreeTest, TogglingSwitchesTheStateImageAndTheItemsFlag) {
  RFile* module = tree_.ItemAt(2);
  ASSERT_TRUE(tree_.Toggle(2));
  EXPECT_EQ(tree_.Nodes()[2].StateIndex, kStateDeselected);
  EXPECT_FALSE(module->Selected);
  ASSERT_TRUE(tree_.Toggle(2));
  EXPECT_EQ(tree_.Nodes()[2].StateIndex, kStateSelected);
  EXPECT_TRUE(module->Selected);
}

TEST_F(ProjectTreeTest, TheRootAndNoNodeToggleNothing) {
  EXPECT_FALSE(tree_.Toggle(0));
  EXPECT_FALSE(tree_.Toggle(std::nullopt));
  EXPECT_FALSE(tree_.Toggle(99));
  EXPECT_EQ(tree_.Nodes()[0].StateIndex, kNoStateImage);
  for (RFile* item : project_.Items()) EXPECT_TRUE(item->Selected);
}

TEST_F(ProjectTreeTest, SelectAndDeselectAllReachEveryItem) {
  tree_.Toggle(1);
  tree_.SetAll(false);
  for (std::size_t i = 1; i < tree_.Size(); ++i) {
    EXPECT_EQ(tree_.Nodes()[i].StateIndex, kStateDeselected);
    EXPECT_FALSE(tree_.Nodes()[i].Item->Selected);
  }
  tree_.SetAll(true);
  for (std::size_t i = 1; i < tree_.Size(); ++i) {
    EXPECT_EQ(tree_.Nodes()[i].StateIndex, kStateSelected);
    EXPECT_TRUE(tree_.Nodes()[i].Item->Selected);
  }
  EXPECT_EQ(tree_.Nodes()[0].StateIndex, kNoStateImage);
}

TEST_F(ProjectTreeTest, SelectionNarrowsTheItemCommands) {
  struct Row {
    const char* Name;
    std::optional<std::size_t> Node;
    TItemCommands Expected;
  };
  const std::vector<Row> rows = {
      {"root", 0, {false, false, false}},
      {"form", 1, {true, true, true}},
      {"module", 2, {true, true, false}},
      {"class", 3, {true, true, false}},
      {"none", std::nullopt, {false, false, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(CommandsForNode(tree_.Node(row.Node)), row.Expected);

    TCommandStates states;
    states.EnterProject();
    states.SelectionChanged(tree_.Node(row.Node));
    EXPECT_EQ(states.Enabled(TShellCommand::ViewCurrentSource), row.Expected.ViewSource);
    EXPECT_EQ(states.Enabled(TShellCommand::Commentor), row.Expected.Commentor);
    EXPECT_EQ(states.Enabled(TShellCommand::FormStructure), row.Expected.FormStructure);
    EXPECT_TRUE(states.Enabled(TShellCommand::Process));
  }
}

TEST(ItemViewer, ProcessedItemsOpenBeforeAndAfter) {
  RFile item;
  EXPECT_EQ(ViewerForItem(item), TItemViewer::Single);
  item.Processed = true;
  EXPECT_EQ(ViewerForItem(item), TItemViewer::BeforeAfter);
}

TEST(CommandStates, SwitchBetweenNoProjectAndProject) {
  TCommandStates states;
  const std::vector<TShellCommand> projectCommands = {
      TShellCommand::CloseProject,  TShellCommand::Process,          TShellCommand::ViewProjectSource,
      TShellCommand::ViewCurrentSource, TShellCommand::FormStructure, TShellCommand::Commentor,
      TShellCommand::Charts,        TShellCommand::SelectAll,        TShellCommand::DeselectAll,
      TShellCommand::ToggleSelection};
  const std::vector<TShellCommand> alwaysCommands = {TShellCommand::OpenProject, TShellCommand::Options,
                                                     TShellCommand::HelpContents};
  EXPECT_FALSE(states.ProjectOpen());
  EXPECT_FALSE(states.OutlineVisible());
  // The Project menu stays in the menu bar, its items greyed (the project commands below).
  EXPECT_TRUE(states.ProjectMenuVisible());
  for (TShellCommand c : projectCommands) EXPECT_FALSE(states.Enabled(c)) << static_cast<int>(c);
  for (TShellCommand c : alwaysCommands) EXPECT_TRUE(states.Enabled(c)) << static_cast<int>(c);

  states.EnterProject();
  EXPECT_TRUE(states.OutlineVisible());
  EXPECT_TRUE(states.ProjectMenuVisible());
  for (TShellCommand c : projectCommands) EXPECT_TRUE(states.Enabled(c)) << static_cast<int>(c);

  states.SelectionChanged(nullptr);
  states.EnterNoProject();
  states.EnterProject();
  EXPECT_TRUE(states.Enabled(TShellCommand::ViewCurrentSource)) << "a new project starts unnarrowed";
}

TEST(CommandStates, MissingWindowsKeepTheirCommandsDisabled) {
  TCommandStates states;
  states.SetAvailable(TShellCommand::Options, false);
  states.SetAvailable(TShellCommand::Charts, false);
  states.EnterProject();
  EXPECT_FALSE(states.Enabled(TShellCommand::Options));
  EXPECT_FALSE(states.Enabled(TShellCommand::Charts));
  EXPECT_TRUE(states.Enabled(TShellCommand::SelectAll));
}

TEST(CommandStates, SelectionChangesWithoutAProjectAreIgnored) {
  TCommandStates states;
  TProjectNode root;
  states.SelectionChanged(&root);
  states.EnterProject();
  EXPECT_TRUE(states.Enabled(TShellCommand::ViewCurrentSource));
}

}  // namespace
}  // namespace qm
