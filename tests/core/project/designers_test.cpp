// SPDX-License-Identifier: MIT
// The items of Visual Basic 5 and 6 projects: user controls, property pages, user documents and
// designers, read from their .VBP lines with the kinds, tree images and companions of their own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_ui.h"
#include "project/sourcemgt.h"
#include "shell/projecttree.h"
#include "temp_dir.h"

namespace qm {
namespace {

struct VbpLineRow {
  const char* Name;
  std::string Line;
  bool Entry;
  std::string FileName;
};

class VbpDesignerLines : public ::testing::TestWithParam<VbpLineRow> {};

TEST_P(VbpDesignerLines, EntryAndFileName) {
  EXPECT_EQ(IsVBPEntry(GetParam().Line), GetParam().Entry);
  if (GetParam().Entry) {
    EXPECT_EQ(VBPEntryName(GetParam().Line), GetParam().FileName);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VbpDesignerLines,
    ::testing::Values(VbpLineRow{"UserControl", "UserControl=Controls\\ctlGrid.ctl", true, "Controls\\ctlGrid.ctl"},
                      VbpLineRow{"PropertyPage", "PropertyPage= ppgGeneral.pag ", true, "ppgGeneral.pag"},
                      VbpLineRow{"UserDocument", "UserDocument=docMain.dob", true, "docMain.dob"},
                      VbpLineRow{"Designer", "Designer=DataEnvironment1.dsr", true, "DataEnvironment1.dsr"},
                      VbpLineRow{"DesignerWithoutSeparator", "Designer", true, ""},
                      VbpLineRow{"LowerCaseKeyIsNotAnEntry", "usercontrol=ctlGrid.ctl", false, ""},
                      VbpLineRow{"ModuleStillAfterSemicolon", "Module=Utils; UTILS.BAS", true, "UTILS.BAS"},
                      VbpLineRow{"FormStillAfterEquals", "Form=frmMain.frm", true, "frmMain.frm"},
                      VbpLineRow{"ObjectLineIgnored", "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
                                 false, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

struct KindRow {
  const char* Name;
  std::string Ext;
  std::uint8_t Kind;
  std::string Companion;
  int Image;
  bool Description;
};

class DesignerKinds : public ::testing::TestWithParam<KindRow> {};

TEST_P(DesignerKinds, KindCompanionImageAndDescription) {
  const KindRow& row = GetParam();
  EXPECT_EQ(KindOfExt(row.Ext), row.Kind);
  EXPECT_EQ(CompanionExt(row.Ext), row.Companion);
  EXPECT_EQ(NodeImageOfKind(row.Kind), row.Image);
  EXPECT_EQ(HasControlDescription(row.Kind), row.Description);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesignerKinds,
    ::testing::Values(KindRow{"Form", ".FRM", rkForm, ".FRX", kImageForm, true},
                      KindRow{"Module", ".BAS", rkModule, ".FRX", kImageModule, false},
                      KindRow{"Class", ".CLS", rkClass, ".FRX", kImageClass, false},
                      KindRow{"Control", ".VBX", rkControl, ".FRX", -1, false},
                      KindRow{"UserControl", ".CTL", rkUserControl, ".CTX", kImageUserControl, true},
                      KindRow{"PropertyPage", ".PAG", rkPropertyPage, ".PGX", kImagePropertyPage, true},
                      KindRow{"UserDocument", ".DOB", rkUserDocument, ".DOX", kImageUserDocument, true},
                      KindRow{"Designer", ".DSR", rkDesigner, ".DCA", kImageDesigner, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DesignerProject, EveryKindIsAnItemWithItsNodeAndCommands) {
  test::TempDir dir;
  const std::string designer = "VERSION 5.00\r\nBegin VB.UserControl ctlGrid\r\nEnd\r\nOption Explicit\r\n";
  dir.Write("p/frmMain.frm", "VERSION 5.00\r\nBegin VB.Form frmMain\r\nEnd\r\n");
  dir.Write("p/Controls/ctlGrid.ctl", designer);
  dir.Write("p/ppgGeneral.pag", designer);
  dir.Write("p/docMain.dob", designer);
  dir.Write("p/DataEnvironment1.dsr", designer);
  dir.Write("p/Utils.bas", "Option Explicit\r\n");
  const std::string project = dir.Write(
      "p/Lib.vbp",
      "Type=Control\r\nForm=frmMain.frm\r\nUserControl=Controls\\ctlGrid.ctl\r\nPropertyPage=ppgGeneral.pag\r\n"
      "UserDocument=docMain.dob\r\nDesigner=DataEnvironment1.dsr\r\nModule=Utils; Utils.bas\r\n"
      "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\r\n");
  TSourceMgt mgt;
  test::FakePrompts prompts;
  ASSERT_EQ(mgt.ReadProjectFile(project, prompts), TReadOutcome::Read);
  std::vector<std::string> names;
  std::vector<int> kinds;
  for (RFile* item : mgt.Items()) {
    names.push_back(item->Name);
    kinds.push_back(item->Kind);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"frmMain.frm", "ctlGrid.ctl", "ppgGeneral.pag", "docMain.dob",
                                             "DataEnvironment1.dsr", "Utils.bas"}));
  EXPECT_EQ(kinds, (std::vector<int>{rkForm, rkUserControl, rkPropertyPage, rkUserDocument, rkDesigner, rkModule}));

  TProjectTree tree;
  tree.Build(mgt, "Lib.vbp");
  ASSERT_EQ(tree.Nodes().size(), 7u);
  for (std::size_t i = 1; i < 7; ++i) {
    EXPECT_EQ(tree.Nodes()[i].ImageIndex, NodeImageOfKind(tree.Nodes()[i].Item->Kind)) << i;
    EXPECT_EQ(CommandsForNode(&tree.Nodes()[i]).FormStructure, i < 6) << i;
  }
}

}  // namespace
}  // namespace qm
