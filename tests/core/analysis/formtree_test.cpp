// SPDX-License-Identifier: MIT
#include "analysis/formtree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/linefile.h"

namespace qm {
namespace {

// The tree as the window shows it, one row a line: two blanks per level, the caption, "#" and the
// image; a Properties row lists its properties as {Name=Value; ...}.
std::vector<std::string> Outline(const TFormTree& tree) {
  const std::vector<TFormTreeRow> rows = FormTreeRows(tree);
  std::vector<int> depth(rows.size(), 0);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].Parent >= 0) depth[i] = depth[static_cast<std::size_t>(rows[i].Parent)] + 1;
    std::string line(static_cast<std::size_t>(depth[i]) * 2, ' ');
    line += rows[i].Caption + " #" + std::to_string(rows[i].Image);
    if (const std::vector<RFormProp>* props = PropertiesOfRow(tree, rows[i])) {
      line += " {";
      for (std::size_t p = 0; p < props->size(); ++p) {
        line += (p ? "; " : "") + (*props)[p].Name + "=" + (*props)[p].Value;
      }
      line += "}";
    }
    out.push_back(line);
  }
  return out;
}

struct ParseCase {
  const char* Name;
  TLines Lines;
  std::vector<std::string> Expected;  // below the root and file rows
};

class FormTreeParse : public testing::TestWithParam<ParseCase> {};

TEST_P(FormTreeParse, ShowsTheBlocksInFileOrder) {
  const ParseCase& c = GetParam();
  const TFormTree tree = BuildFormModel("Inventory.vbp", "Main.frm", c.Lines);
  std::vector<std::string> expected = {"Form: Inventory.vbp #0", "  File: Main.frm #3"};
  expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
  EXPECT_EQ(Outline(tree), expected);
  EXPECT_FALSE(tree.Binary);
}

INSTANTIATE_TEST_SUITE_P(
    FormTree, FormTreeParse,
    testing::Values(
        ParseCase{"ButtonTextBoxLabelInOrderWithPropertiesFirst",
                  {"VERSION 4.00", "Begin VB.Form Form1 ", "   Caption         =   \"Form1\"",
                   "   Begin VB.CommandButton Command1 ", "      Caption         =   \"OK\"",
                   "      Height          =   375", "   End", "   Begin VB.TextBox Text1 ",
                   "      Text            =   \"\"", "   End", "   Begin VB.Label Label1 ",
                   "      Caption         =   \"Name:\"", "   End", "End", "Attribute VB_Name = \"Form1\""},
                  {"    VB.Form: Form1 #1", "      Properties #4 {Caption=\"Form1\"}",
                   "      VB.CommandButton: Command1 #5", "        Properties #4 {Caption=\"OK\"; Height=375}",
                   "      VB.TextBox: Text1 #5", "        Properties #4 {Text=\"\"}", "      VB.Label: Label1 #5",
                   "        Properties #4 {Caption=\"Name:\"}"}},
        ParseCase{"QuotedValueKeepsItsEqualsSign",
                  {"Begin VB.Form Form1", "   Caption = \"a = b\" ", "   Tag=x=y", "End"},
                  {"    VB.Form: Form1 #1", "      Properties #4 {Caption=\"a = b\"; Tag=x=y}"}},
        ParseCase{"FontGroupIsANodeAndLaterPropertiesStayTheControls",
                  {"Begin VB.Form Form1", "   Begin VB.Label Label1", "      Caption = \"Total\"",
                   "      BeginProperty Font ", "         Name = \"MS Sans Serif\"", "         Size = 8.25",
                   "      EndProperty", "      Height = 255", "   End", "End"},
                  {"    VB.Form: Form1 #1", "      VB.Label: Label1 #5",
                   "        Properties #4 {Caption=\"Total\"; Height=255}", "        Property: Font #5",
                   "          Properties #4 {Name=\"MS Sans Serif\"; Size=8.25}"}},
        ParseCase{"ControlWithoutPropertiesHasNoPropertiesNode",
                  {"Begin VB.Form Form1", "   Begin VB.Timer Timer1", "   End", "End"},
                  {"    VB.Form: Form1 #1", "      VB.Timer: Timer1 #5"}},
        ParseCase{"CodeModuleGivesOnlyRootAndFile",
                  {"Attribute VB_Name = \"Utils\"", "Option Explicit", "Sub Main()", "  Beep", "End Sub",
                   "Begin Later Block"},
                  {}},
        ParseCase{"UnclosedBlockRunsToTheEndOfTheFile",
                  {"Begin Form frmLedger", "   Caption = \"Ledger\"", "Sub Post ()", "Begin CommandButton cmd",
                   "Dim A = 1"},
                  {"    Form: frmLedger #1", "      Properties #4 {Caption=\"Ledger\"; =Sub Post ()}",
                   "      CommandButton: cmd #5", "        Properties #4 {Dim A=1}"}},
        ParseCase{"FirstEndAtLevelZeroEndsTheParse",
                  {"VERSION 2.00", "Begin Form F", "End", "END_MARK = 1", "Begin Form G", "End"},
                  {"    Form: F #1"}},
        // The property test reads Begin and End as written, the block tests in any case: a closing
        // line spelled otherwise is both a property line and the block's end.
        ParseCase{"KeywordsInAnyCaseBlanksAndTabsTrimmed",
                  {"\t begin VB.Form Form1 \t", "\tCaption = \"x\"\t", "\t eND \t"},
                  {"    VB.Form: Form1 #1", "      Properties #4 {Caption=\"x\"; =eND}"}},
        ParseCase{"BeginLineWithoutBlankHasNoClass",
                  {"Begin VB.Form Form1", "   BeginSolo", "   End", "End"},
                  {"    VB.Form: Form1 #1", "      : Solo #5"}},
        ParseCase{"VersionLineAndAttributesAreNotProperties",
                  {"VERSION 5.00", "Object = \"{F9043C88}#1.0#0\"; \"COMDLG32.OCX\"", "Begin VB.Form F", "End",
                   "Attribute VB_Name = \"F\""},
                  {"    VB.Form: F #1"}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct SplitCase {
  const char* Name;
  const char* Line;
  const char* ClassName;
  const char* NodeName;
};

class BeginLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(BeginLineSplit, ClassBeforeTheFirstBlankNameAfter) {
  const SplitCase& c = GetParam();
  std::string className = "old", name = "old";
  SplitBeginLine(c.Line, className, name);
  EXPECT_EQ(className, c.ClassName);
  EXPECT_EQ(name, c.NodeName);
}

INSTANTIATE_TEST_SUITE_P(FormTree, BeginLineSplit,
                         testing::Values(SplitCase{"Control", "  Begin VB.CommandButton cmdAdd ", "VB.CommandButton", "cmdAdd"},
                                         SplitCase{"PropertyGroup", "BeginProperty Font", "Property", "Font"},
                                         SplitCase{"NameWithBlanks", "Begin VB.Menu   mnu File ", "VB.Menu", "mnu File"},
                                         SplitCase{"NoBlank", "Begin Thing", "", "Thing"},
                                         SplitCase{"BeginAlone", "Begin", "", ""}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(FormTree, PropertyLineWithoutEqualsSignIsAllValue) {
  EXPECT_EQ(SplitPropertyLine("  Just text  "), (RFormProp{"", "Just text"}));
  EXPECT_EQ(SplitPropertyLine("Left = "), (RFormProp{"Left", ""}));
}

TEST(FormTree, ABinaryFormListsNothing) {
  const TLines binary = {std::string("\xFF\x03\x00Form1", 8), "Begin VB.Form F", "Caption = 1", "End"};
  const TFormTree tree = BuildFormModel("P.MAK", "F.FRM", binary);
  EXPECT_TRUE(tree.Binary);
  EXPECT_EQ(Outline(tree), (std::vector<std::string>{"Form: P.MAK #0", "  File: F.FRM #3"}));
  EXPECT_TRUE(IsBinaryForm({"Begin Form F", std::string("Cap\0tion", 8)}));
  EXPECT_FALSE(IsBinaryForm({"Begin Form F", "Caption = \"\xFF\""}));
  EXPECT_FALSE(IsBinaryForm({}));
}

// Only a Properties row fills the list; a click on any other row leaves the list as it was.
TEST(FormTree, OnlyPropertiesRowsGiveAPropertyList) {
  const TFormTree tree = BuildFormModel("P", "F.frm", {"Begin VB.Form F", "Caption = 1", "Begin VB.Label L", "End", "End"});
  for (const TFormTreeRow& row : FormTreeRows(tree)) {
    const std::vector<RFormProp>* props = PropertiesOfRow(tree, row);
    EXPECT_EQ(props != nullptr, row.Caption == "Properties") << row.Caption;
  }
}

struct FilterCase {
  const char* Name;
  const char* Text;
  std::vector<std::string> Visible;
};

class FormTreeFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(FormTreeFilter, ShowsMatchesWithTheirAncestors) {
  const TFormTree tree = BuildFormModel(
      "P", "F.frm",
      {"Begin VB.Form Main", "Caption = \"Stock\"", "Begin VB.Frame fraItems", "Begin VB.ListBox lstItems",
       "Height = 3375", "End", "End", "Begin VB.CommandButton cmdAdd", "Caption = \"&Add\"", "End", "End"});
  const std::vector<TFormTreeRow> rows = FormTreeRows(tree);
  const std::vector<bool> visible = FilterFormRows(tree, rows, GetParam().Text);
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (visible[i]) shown.push_back(rows[i].Caption);
  }
  EXPECT_EQ(shown, GetParam().Visible);
}

INSTANTIATE_TEST_SUITE_P(
    FormTree, FormTreeFilter,
    testing::Values(
        FilterCase{"EmptyShowsAll", "",
                   {"Form: P", "File: F.frm", "VB.Form: Main", "Properties", "VB.Frame: fraItems", "VB.ListBox: lstItems",
                    "Properties", "VB.CommandButton: cmdAdd", "Properties"}},
        FilterCase{"CaptionIgnoringCase", "LSTITEMS",
                   {"Form: P", "File: F.frm", "VB.Form: Main", "VB.Frame: fraItems", "VB.ListBox: lstItems",
                    "Properties"}},
        FilterCase{"PropertyValue", "&add",
                   {"Form: P", "File: F.frm", "VB.Form: Main", "VB.CommandButton: cmdAdd", "Properties"}},
        FilterCase{"PropertyName", "height",
                   {"Form: P", "File: F.frm", "VB.Form: Main", "VB.Frame: fraItems", "VB.ListBox: lstItems",
                    "Properties"}},
        FilterCase{"NoMatch", "zzz", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FormTree, RowsBelowTheShownDepthGoWithTheirDescendants) {
  const TFormTree tree = BuildFormModel(
      "P", "F.frm", {"Begin A a", "x = 1", "Begin B b", "y = 2", "Begin C c", "End", "End", "End", "Begin D d", "End"});
  std::vector<TFormTreeRow> rows = FormTreeRows(tree);
  EXPECT_EQ(DropRowsDeeperThan(rows, 3), 1u);
  std::vector<std::string> shown;
  for (const TFormTreeRow& row : rows) {
    shown.push_back(row.Caption + "<" + (row.Parent < 0 ? std::string("-") : rows[static_cast<std::size_t>(row.Parent)].Caption));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Form: P<-", "File: F.frm<Form: P", "A: a<File: F.frm", "Properties<A: a",
                                             "B: b<A: a", "Properties<B: b", "D: d<File: F.frm"}));
}

// Nesting of any depth is followed without recursion: building, listing, filtering, copying and
// freeing a tree of 100,000 nested blocks, closed or left open.
TEST(FormTree, HundredThousandNestedBlocks) {
  constexpr std::size_t kDepth = 100000;
  for (const bool closed : {true, false}) {
    TLines lines;
    for (std::size_t i = 0; i < kDepth; ++i) {
      lines.push_back("Begin VB.Frame Frame" + std::to_string(i));
      lines.push_back("Tag = " + std::to_string(i));
    }
    if (closed) lines.insert(lines.end(), kDepth, "End");
    lines.push_back("Begin After Code");
    const TFormTree tree = BuildFormModel("P", "Deep.frm", lines);
    ASSERT_EQ(tree.Nodes.size(), kDepth + 3);
    const std::vector<TFormTreeRow> rows = FormTreeRows(tree);
    ASSERT_EQ(rows.size(), 2 * kDepth + 3);
    std::vector<std::size_t> depth(rows.size(), 0);
    for (std::size_t i = 1; i < rows.size(); ++i) depth[i] = depth[static_cast<std::size_t>(rows[i].Parent)] + 1;
    EXPECT_EQ(*std::max_element(depth.begin(), depth.end()), kDepth + 2);
    // Closed, the block after them is the file's; left open, the innermost frame's.
    EXPECT_EQ(rows.back().Caption, "After: Code");
    EXPECT_EQ(rows[static_cast<std::size_t>(rows.back().Parent)].Caption, closed ? "File: Deep.frm" : "VB.Frame: Frame99999");
    const std::vector<bool> visible = FilterFormRows(tree, rows, "frame99999");
    EXPECT_EQ(std::count(visible.begin(), visible.end(), true), static_cast<long>(kDepth + 3));
    const TFormTree copy = tree;
    EXPECT_EQ(copy.Nodes.back().ClassName, "After");
    // The window shows the first thousand levels: root, file and 999 frames with their properties.
    std::vector<TFormTreeRow> shown = rows;
    EXPECT_EQ(DropRowsDeeperThan(shown, kFormTreeShownDepth), kDepth - 999 + (closed ? 0 : 1));
    EXPECT_EQ(shown.size(), 2 + 999 * 2 + (closed ? 1 : 0));
  }
}

}  // namespace
}  // namespace qm
