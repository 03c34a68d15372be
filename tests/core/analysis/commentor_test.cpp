// SPDX-License-Identifier: MIT
#include "analysis/commentor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/templates.h"
#include "fake_ui.h"
#include "messages.h"
#include "platform/linefile.h"
#include "project/sourcemgt.h"
#include "row_name.h"
#include "settings/catalogue.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::FakePrompts;
using test::TempDir;
namespace fs = std::filesystem;

// Routine recognition

struct KindRow {
  std::string Name;
  std::string Line;
  TRoutineKind Kind;
};

class RoutineKindTest : public ::testing::TestWithParam<KindRow> {};

TEST_P(RoutineKindTest, KindOfALine) { EXPECT_EQ(RoutineKindOf(GetParam().Line), GetParam().Kind); }

INSTANTIATE_TEST_SUITE_P(
    Lines, RoutineKindTest,
    ::testing::Values(KindRow{"Sub", "Sub Main()", TRoutineKind::Sub},
                      KindRow{"IndentedPrivateFunction", "    Private Function F() As Integer", TRoutineKind::Function},
                      KindRow{"TabIndentedStaticSub", "\tStatic Sub S()", TRoutineKind::Sub},
                      KindRow{"PublicFunction", "Public Function X", TRoutineKind::Function},
                      KindRow{"TrailingComment", "Sub Foo ' Function", TRoutineKind::Sub},
                      KindRow{"LowerCase", "sub lower()", TRoutineKind::None},
                      KindRow{"PrivateLowerCase", "Private function f()", TRoutineKind::None},
                      KindRow{"PropertyGet", "Property Get P() As Integer", TRoutineKind::None},
                      KindRow{"PublicPropertyLet", "Public Property Let P(v)", TRoutineKind::None},
                      KindRow{"NoBlankAfterKeyword", "Sub", TRoutineKind::None},
                      KindRow{"LongerWord", "Subtotal = 1", TRoutineKind::None},
                      KindRow{"CommentedOut", "' Sub Old()", TRoutineKind::None},
                      KindRow{"PublicStaticSub", "Public Static Sub T()", TRoutineKind::Sub},
                      KindRow{"FriendFunction", "Friend Function Count() As Long", TRoutineKind::Function},
                      KindRow{"PrivateStaticFunction", "Private Static Function F()", TRoutineKind::Function},
                      KindRow{"FriendProperty", "Friend Property Get P()", TRoutineKind::None},
                      KindRow{"EndSub", "End Sub", TRoutineKind::None}),
    [](const auto& info) { return info.param.Name; });

struct EndRow {
  std::string Name;
  std::string Line;
  bool End;
};

class RoutineEndTest : public ::testing::TestWithParam<EndRow> {};

TEST_P(RoutineEndTest, EndOfARoutine) { EXPECT_EQ(IsRoutineEnd(GetParam().Line), GetParam().End); }

INSTANTIATE_TEST_SUITE_P(Lines, RoutineEndTest,
                         ::testing::Values(EndRow{"EndSub", "End Sub", true},
                                           EndRow{"IndentedEndFunctionWithComment", "  End Function ' done", true},
                                           EndRow{"LongerWord", "End Subroutine", false},
                                           EndRow{"LowerCase", "end sub", false},
                                           EndRow{"EndProperty", "End Property", false},
                                           EndRow{"ExitSub", "Exit Sub", false}),
                         [](const auto& info) { return info.param.Name; });

// Header blocks

struct BlockRow {
  std::string Name;
  TLines Lines;
  int Routine;
  THeaderRange Range;
  THeaderFields Fields;
};

class HeaderBlockTest : public ::testing::TestWithParam<BlockRow> {};

TEST_P(HeaderBlockTest, BlockAndFields) {
  const BlockRow& row = GetParam();
  const THeaderRange range = HeaderBlockOf(row.Lines, row.Routine);
  EXPECT_EQ(range.Start, row.Range.Start);
  EXPECT_EQ(range.End, row.Range.End);
  THeaderFields fields;
  for (int i = range.Start; i <= range.End; ++i) ReadHeaderLine(row.Lines[static_cast<std::size_t>(i)], fields);
  EXPECT_EQ(fields, row.Fields);
}

INSTANTIATE_TEST_SUITE_P(
    Modules, HeaderBlockTest,
    ::testing::Values(
        BlockRow{"BelowTheFirstLine",
                 {"Attribute VB_Name = \"M\"", "Function Area(w, h) As Single", "' ----", "'  Author :  Ann Lee ",
                  "'  Params :  w, h", "'  Returns:  As Single", "' ----", "Area = w * h", "End Function"},
                 1,
                 {1, 6},
                 {"Ann Lee", "w, h", "As Single"}},
        BlockRow{"AboveAndBelow",
                 {"Option Explicit", "", "' above", "'  Author :  Bob", "Sub S()", "'  Params :", "' below", "End Sub"},
                 4,
                 {2, 6},
                 {"Bob", "", ""}},
        BlockRow{"IndentedCommentAboveIsNotInTheBlock",
                 {"Option Explicit", "'  Author :  X", "  ' indented", "Sub S()", "End Sub"},
                 3,
                 {3, 3},
                 {}},
        BlockRow{"FirstLineOfTheFileIsNeverTaken", {"' first", "Sub S()", "End Sub"}, 1, {1, 1}, {}},
        BlockRow{"UpToTheSecondLine", {"Attribute VB_Name = \"M\"", "' one", "' two", "Sub S()"}, 3, {1, 3}, {}},
        BlockRow{"DownToTheLastLine", {"Attribute VB_Name = \"M\"", "Sub S()", "' one", "' two"}, 1, {1, 3}, {}},
        BlockRow{"OtherLinesNameNoField", {"x", "Sub S()", "'  Author:  no", "'  Name   :  S"}, 1, {1, 3}, {}}),
    [](const auto& info) { return info.param.Name; });

struct ApplyRow {
  std::string Name;
  TLines Lines;
  THeaderRange Block;
  TLines Edited;
  TLines Expected;
  int Current;
};

class ApplyEditsTest : public ::testing::TestWithParam<ApplyRow> {};

TEST_P(ApplyEditsTest, ReplacesTheBlock) {
  const ApplyRow& row = GetParam();
  TLines lines = row.Lines;
  EXPECT_EQ(ApplyHeaderEdits(lines, row.Block, row.Edited), row.Current);
  EXPECT_EQ(lines, row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ApplyEditsTest,
    ::testing::Values(
        ApplyRow{"LongerBlockMovesTheRoutine",
                 {"a", "' old", "Sub S()", "End Sub"},
                 {1, 2},
                 {"' new 1", "' new 2", "Sub S()"},
                 {"a", "' new 1", "' new 2", "Sub S()", "End Sub"},
                 3},
        ApplyRow{"BothBlocksReplacedTogether",
                 {"a", "' up", "Sub S()", "' down", "x = 1"},
                 {1, 3},
                 {"Sub S()", "' only"},
                 {"a", "Sub S()", "' only", "x = 1"},
                 1},
        ApplyRow{"RoutineLineEditedAway", {"a", "Sub S()", "End Sub"}, {1, 1}, {"' gone"}, {"a", "' gone", "End Sub"}, 1},
        ApplyRow{"EverythingAfterTheFirstLineRemoved", {"a", "Sub S()"}, {1, 1}, {}, {"a"}, 0}),
    [](const auto& info) { return info.param.Name; });

TEST(ListRoutinesTest, EveryRoutineInOrderWithItsHeaderMark) {
  const TLines lines = {"Attribute VB_Name = \"M\"", "Sub A()", "End Sub", "' about B", "Function B() As Long",
                        "End Function", "Property Get P()", "End Property", "Sub C()", "' below C", "End Sub"};
  const std::vector<TRoutineEntry> routines = ListRoutines(lines);
  ASSERT_EQ(routines.size(), 3u);
  EXPECT_EQ(routines[0].Line, 1);
  EXPECT_FALSE(routines[0].HasHeader);
  EXPECT_EQ(routines[1].Line, 4);
  EXPECT_EQ(routines[1].Kind, TRoutineKind::Function);
  EXPECT_TRUE(routines[1].HasHeader);
  EXPECT_EQ(routines[2].Text, "Sub C()");
  EXPECT_TRUE(routines[2].HasHeader);
}

// The session on files

constexpr std::string_view kModule =
    "Attribute VB_Name = \"Tools\"\r\n"
    "Sub First()\r\n"
    "'  Author :  Ann\r\n"
    "End Sub\r\n"
    "\r\n"
    "sub lowercase()\r\n"
    "End Sub\r\n"
    "Property Get Value() As Integer\r\n"
    "End Property\r\n"
    "' one above\r\n"
    "Public Function Twice(ByVal n As Integer) As Integer\r\n"
    "' one below\r\n"
    "\tTwice = n * 2   ' \xE9t\xE9, tab kept\r\n"
    "End Function\r\n";

class CommentorSessionTest : public ::testing::Test {
 protected:
  CommentorSessionTest() : session_(settings_, prompts_, &templates_) {
    templates_.DateText = [] { return std::string("12/09/26"); };
  }

  // Writes the module and opens it; the save directory is STYLED beside it.
  void Open(std::string_view bytes = kModule, std::string_view relative = "proj/TOOLS.BAS") {
    item_.Path = dir_.Write(relative, bytes);
    item_.Name = fs::path(item_.Path).filename().string();
    ASSERT_TRUE(session_.OpenModule(item_));
  }
  std::string Saved() const { return dir_.Read("proj/STYLED/TOOLS.BAS"); }
  void ExpectSaved() { prompts_.ExpectMessage(TMsgKind::Information, "File saved as: " + session_.SavePath() + "."); }

  TempDir dir_;
  TSettings settings_;
  FakePrompts prompts_;
  TCommentTemplates templates_;
  TCommentorSession session_;
  RFile item_;
};

// In a project with subfolders the commentor saves where the run writes: flat, under the item's
// name, in the output directory of the project's folder, not in a STYLED beside the module.
TEST_F(CommentorSessionTest, SavesIntoTheProjectsOutputDirectory) {
  item_.Path = dir_.Write("proj/Modules/Lib/TOOLS.BAS", kModule);
  item_.Name = "TOOLS.BAS";
  ASSERT_TRUE(session_.OpenModule(item_, dir_.Dir() + "proj/"));
  EXPECT_EQ(session_.SaveDir(), dir_.Dir() + "proj/STYLED/");
  session_.EditComments({"Sub First()", "'  Author :  Bob"});
  ASSERT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
  EXPECT_NE(Saved().find("Bob"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "proj/Modules/Lib/STYLED"));
}

TEST_F(CommentorSessionTest, OpensOnTheRoutineOfTheSecondLineAndStepsOverOthers) {
  Open();
  EXPECT_EQ(session_.Caption(), "Module: " + item_.Path);
  EXPECT_EQ(session_.SaveDir(), dir_.Dir() + "proj/STYLED/");
  EXPECT_EQ(session_.CurrentLine(), 1);
  EXPECT_EQ(session_.CommentLines(), (TLines{"Sub First()", "'  Author :  Ann"}));
  EXPECT_EQ(session_.Fields().Author, "Ann");
  EXPECT_EQ(session_.RoutineEnd(), 3);

  ASSERT_TRUE(session_.Next());  // over the lower-case Sub and the Property
  EXPECT_EQ(session_.CurrentLine(), 10);
  EXPECT_EQ(session_.HeaderStart(), 9);
  EXPECT_EQ(session_.HeaderEnd(), 11);
  EXPECT_EQ(session_.Fields().Author, "") << "no field of the previous routine stays";

  EXPECT_FALSE(session_.Next());
  prompts_.ExpectMessage(TMsgKind::Information, "No further routines.");
  ASSERT_TRUE(session_.Prior());
  EXPECT_EQ(session_.CurrentLine(), 1);
  EXPECT_FALSE(session_.Prior());
  prompts_.ExpectMessage(TMsgKind::Information, "No prior routines.");
  EXPECT_EQ(session_.CurrentLine(), 1);
}

TEST_F(CommentorSessionTest, AModuleWithoutRoutinesSaysSoAndFindsNothing) {
  Open("Attribute VB_Name = \"G\"\r\nGlobal X As Integer\r\nProperty Get P()\r\nEnd Property\r\n");
  prompts_.ExpectMessage(TMsgKind::Information, "Module does not contain any sub or function routines.");
  EXPECT_FALSE(session_.HasRoutine());
  EXPECT_FALSE(session_.Prior());
  prompts_.ExpectMessage(TMsgKind::Information, "No prior routines.");
  EXPECT_FALSE(session_.Next());
  prompts_.ExpectMessage(TMsgKind::Information, "No further routines.");
  EXPECT_EQ(session_.Save(), TSaveOutcome::NothingShown);
  EXPECT_FALSE(fs::exists(dir_ / "proj/STYLED"));
}

TEST_F(CommentorSessionTest, AnUnreadableModuleIsReportedByPath) {
  item_.Path = dir_ / "missing/GONE.BAS";
  item_.Name = "GONE.BAS";
  EXPECT_FALSE(session_.OpenModule(item_));
  const test::RecordedPrompt shown = prompts_.Take();
  EXPECT_EQ(shown.Kind, TMsgKind::Error);
  EXPECT_NE(shown.Text.find(item_.Path), std::string::npos) << shown.Text;
}

TEST_F(CommentorSessionTest, SavingReplacesBothBlocksAndKeepsEveryOtherByte) {
  Open();
  ASSERT_TRUE(session_.Next());
  session_.EditComments({"' new header", "Public Function Twice(ByVal n As Integer) As Integer"});
  ASSERT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
  std::string expected(kModule);
  expected.replace(expected.find("' one above"), std::string("' one above\r\nPublic").size(), "' new header\r\nPublic");
  expected.erase(expected.find("' one below\r\n"), std::string("' one below\r\n").size());
  EXPECT_EQ(Saved(), expected);
  EXPECT_EQ(session_.CurrentLine(), 10);
  EXPECT_FALSE(session_.Unsaved());
  EXPECT_EQ(dir_.Read("proj/TOOLS.BAS"), kModule) << "the source is never written";
}

TEST_F(CommentorSessionTest, SavingTwiceKeepsTheEditsOfBoth) {
  Open();
  session_.EditComments({"Sub First()", "'  Author :  Ann Lee"});
  ASSERT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
  ASSERT_TRUE(session_.Next());
  session_.EditComments({"' about Twice", "Public Function Twice(ByVal n As Integer) As Integer"});
  ASSERT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
  const TLines saved = SplitLines(Saved());
  EXPECT_EQ(saved[2], "'  Author :  Ann Lee");
  EXPECT_EQ(saved[9], "' about Twice");
  EXPECT_EQ(saved.size(), SplitLines(kModule).size() - 1);
}

// Edits that would change the module's code are refused; the edits stay in the box.
struct CodeEditRow {
  std::string Name;
  TLines Box;
  std::size_t NearLine;
};

class CommentorCodeEditTest : public CommentorSessionTest, public ::testing::WithParamInterface<CodeEditRow> {};

TEST_P(CommentorCodeEditTest, IsNotSaved) {
  Open();
  session_.EditComments(GetParam().Box);
  EXPECT_EQ(session_.Save(), TSaveOutcome::ProgramChanged);
  prompts_.ExpectMessage(TMsgKind::Error, "TOOLS.BAS: not saved: the edited comment block would change the program near line " +
                                              std::to_string(GetParam().NearLine));
  EXPECT_FALSE(fs::exists(dir_ / "proj/STYLED/TOOLS.BAS"));
  EXPECT_TRUE(session_.Unsaved());
  EXPECT_EQ(session_.CommentLines(), GetParam().Box);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CommentorCodeEditTest,
    ::testing::Values(CodeEditRow{"ALineTypedWithoutItsApostrophe", {"Sub First()", "Author: Ann"}, 4},
                      CodeEditRow{"TheRoutineRenamed", {"Sub Second()", "'  Author :  Ann"}, 2},
                      CodeEditRow{"TheRoutineLineEditedAway", {"'  Author :  Ann"}, 2}),
    [](const auto& info) { return info.param.Name; });

TEST_F(CommentorSessionTest, TheRoutineLineReblankedIsStillTheSameCode) {
  Open();
  session_.EditComments({"Sub   First( )", "' new"});
  ASSERT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
}

struct AskRow {
  std::string Name;
  TAnswer Answer;
  bool Moves;
  bool Written;
  bool Unsaved;
};

class CommentorAskTest : public CommentorSessionTest, public ::testing::WithParamInterface<AskRow> {};

TEST_P(CommentorAskTest, NextAfterAnEdit) {
  const AskRow& row = GetParam();
  Open();
  const TLines edited = {"Sub First()", "'  Author :  Changed"};
  session_.EditComments(edited);
  prompts_.Answer(row.Answer);
  EXPECT_EQ(session_.Next(), row.Moves);
  const test::RecordedPrompt asked = prompts_.Take();
  EXPECT_EQ(asked.Text, "Comments have changed.  Do you wish to save?");
  EXPECT_EQ(asked.Buttons, TButtons::YesNoCancel);
  if (row.Written) {
    ExpectSaved();
  }
  EXPECT_EQ(session_.CurrentLine(), row.Moves ? 10 : 1);
  EXPECT_EQ(fs::exists(dir_ / "proj/STYLED/TOOLS.BAS"), row.Written);
  EXPECT_EQ(session_.Unsaved(), row.Unsaved);
  if (!row.Moves) {
    EXPECT_EQ(session_.CommentLines(), edited);
  }
  if (row.Moves) {
    ASSERT_TRUE(session_.Prior());
    EXPECT_EQ(session_.Fields().Author, row.Written ? "Changed" : "Ann");
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, CommentorAskTest,
                         ::testing::Values(AskRow{"YesSavesAndMoves", TAnswer::Yes, true, true, false},
                                           AskRow{"NoDropsAndMoves", TAnswer::No, true, false, false},
                                           AskRow{"CancelStaysWithTheEdits", TAnswer::Cancel, false, false, true}),
                         [](const auto& info) { return info.param.Name; });

// Every way of naming the source's own directory is refused before anything is written.
struct OverSourceRow {
  std::string Name;
  std::string Setting;  // "@" stands for the temporary directory
};

class CommentorOverSourceTest : public CommentorSessionTest, public ::testing::WithParamInterface<OverSourceRow> {};

TEST_P(CommentorOverSourceTest, SaveIsRefused) {
  Open();
  fs::create_directory_symlink(dir_ / "proj", dir_ / "link");
  std::string setting = GetParam().Setting;
  if (const std::size_t at = setting.find('@'); at != std::string::npos) setting.replace(at, 1, dir_.Dir());
  settings_.SetText(SettingKey::BackupNewCodeDirectory, setting);
  session_.EditComments({"' mine", "Sub First()"});
  EXPECT_EQ(session_.Save(), TSaveOutcome::Refused);
  const test::RecordedPrompt shown = prompts_.Take();
  EXPECT_EQ(shown.Kind, TMsgKind::Error);
  EXPECT_NE(shown.Text.find("TOOLS.BAS is the module's own file"), std::string::npos) << shown.Text;
  EXPECT_EQ(dir_.Read("proj/TOOLS.BAS"), kModule);
  EXPECT_TRUE(session_.Modified()) << "the edits stay in the box";
  EXPECT_EQ(session_.CommentLines(), (TLines{"' mine", "Sub First()"}));

  // Once the setting names another directory the same edits are saved.
  settings_.SetText(SettingKey::BackupNewCodeDirectory, ".\\STYLED\\");
  EXPECT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
  EXPECT_EQ(SplitLines(Saved())[1], "' mine");
}

INSTANTIATE_TEST_SUITE_P(Settings, CommentorOverSourceTest,
                         ::testing::Values(OverSourceRow{"DotBackslash", ".\\"}, OverSourceRow{"Empty", ""},
                                           OverSourceRow{"UpAndBack", "..\\PROJ\\"},
                                           OverSourceRow{"AbsoluteThroughALink", "@link/"}),
                         test::RowName(&OverSourceRow::Name));

TEST_F(CommentorSessionTest, AHardLinkToTheSourceIsNotWrittenThrough) {
  Open();
  fs::create_directories(dir_ / "proj/STYLED");
  fs::create_hard_link(item_.Path, dir_ / "proj/STYLED/TOOLS.BAS");
  session_.EditComments({"' mine", "Sub First()"});
  EXPECT_EQ(session_.Save(), TSaveOutcome::Refused);
  EXPECT_EQ(prompts_.Take().Kind, TMsgKind::Error);
  EXPECT_EQ(dir_.Read("proj/TOOLS.BAS"), kModule);
}

TEST_F(CommentorSessionTest, ADirectoryThatCannotBeMadeIsNamedAndTheEditsStay) {
  Open();
  dir_.Write("proj/STYLED", "a file in the way");
  session_.EditComments({"' mine", "Sub First()"});
  EXPECT_EQ(session_.Save(), TSaveOutcome::NoDirectory);
  prompts_.ExpectMessage(TMsgKind::Error, "Unable to create the directory " + session_.SaveDir() +
                                              ".  Nothing was saved; the edits are kept in this window.");
  EXPECT_TRUE(session_.Modified());
  EXPECT_FALSE(session_.AskSaveChanges()) << "Yes, and the save fails again: stay";
  EXPECT_EQ(prompts_.Take().Text, "Comments have changed.  Do you wish to save?");
  EXPECT_EQ(prompts_.Take().Kind, TMsgKind::Error);
}

TEST_F(CommentorSessionTest, AFailedWriteKeepsTheAppliedEditsUnsaved) {
  Open();
  fs::create_directories(dir_ / "proj/STYLED/TOOLS.BAS");  // a directory where the file goes
  session_.EditComments({"' mine", "Sub First()"});
  EXPECT_EQ(session_.Save(), TSaveOutcome::WriteFailed);
  const test::RecordedPrompt shown = prompts_.Take();
  EXPECT_EQ(shown.Kind, TMsgKind::Error);
  EXPECT_NE(shown.Text.find(session_.SavePath()), std::string::npos) << shown.Text;
  EXPECT_EQ(session_.ModuleLines()[1], "' mine");
  EXPECT_EQ(session_.CurrentLine(), 2);
  EXPECT_TRUE(session_.Unsaved()) << "closing still asks";
  prompts_.Answer(TAnswer::Cancel);
  EXPECT_FALSE(session_.AskSaveChanges());
  prompts_.Take();
}

struct TemplateRow {
  std::string Name;
  bool Above;           // the setting
  std::string Declaration;
  int RoutineIndex;     // where the routine's line ends up in the box
  std::size_t First;    // where the header starts in the box
  std::size_t BoxSize;  // the header and every line of the declaration
};

class CommentorTemplateTest : public CommentorSessionTest, public ::testing::WithParamInterface<TemplateRow> {};

TEST_P(CommentorTemplateTest, FillsTheBoxOfARoutineWithoutHeader) {
  const TemplateRow& row = GetParam();
  settings_.SetText(SettingKey::UserName, "Ann Lee");
  settings_.SetBool(row.Above ? SettingKey::FunctionLevelCommentsBeforeProcedure
                              : SettingKey::FunctionLevelCommentsAfterProcedure,
                    true);
  Open("Attribute VB_Name = \"M\"\r\nSub S()\r\n'  Author :  x\r\nEnd Sub\r\n" + row.Declaration + "\r\nEnd Function\r\n");
  EXPECT_FALSE(session_.CanInsertTemplate()) << "Sub S has a header";
  ASSERT_TRUE(session_.Next());
  ASSERT_TRUE(session_.CanInsertTemplate());
  ASSERT_TRUE(session_.InsertTemplate());
  EXPECT_FALSE(session_.CanInsertTemplate());
  const TLines& box = session_.CommentLines();
  ASSERT_EQ(box.size(), row.BoxSize);
  EXPECT_EQ(box[static_cast<std::size_t>(row.RoutineIndex)], SplitLines(row.Declaration)[0]);
  const std::size_t first = row.First;
  EXPECT_EQ(box[first], "' -----------------------------------------------------------");
  EXPECT_EQ(box[first + 1], "'  Name   :  Area");
  EXPECT_EQ(box[first + 3], "'  Date   :  12/09/26");
  EXPECT_EQ(session_.Fields(), (THeaderFields{"Ann Lee", "ByVal w As Single, ByVal h As Single", "As Single"}));
  EXPECT_TRUE(session_.Modified());

  ASSERT_EQ(session_.Save(), TSaveOutcome::Saved);
  ExpectSaved();
  EXPECT_EQ(session_.HeaderEnd() - session_.HeaderStart(), static_cast<int>(row.BoxSize) - 1)
      << "the saved header is read back as the block";
  EXPECT_FALSE(session_.CanInsertTemplate()) << "a second header is never offered";
}

constexpr std::string_view kArea = "Public Function Area(ByVal w As Single, ByVal h As Single) As Single";
constexpr std::string_view kContinuedArea = "Public Function Area(ByVal w As Single, _\r\n    ByVal h As Single) As Single";

INSTANTIATE_TEST_SUITE_P(
    Placements, CommentorTemplateTest,
    ::testing::Values(TemplateRow{"BelowTheFirstLine", false, std::string(kArea), 0, 1, 13},
                      TemplateRow{"AboveTheFirstLine", true, std::string(kArea), 12, 0, 13},
                      // Never between the lines of one statement: below means below its last line.
                      TemplateRow{"BelowAContinuedDeclarationsLastLine", false, std::string(kContinuedArea), 0, 2, 14},
                      TemplateRow{"AboveAContinuedDeclaration", true, std::string(kContinuedArea), 12, 0, 14}),
    [](const auto& info) { return info.param.Name; });

// What the user typed is kept: the author typed into the Author box, or an Author line typed
// into the comment box, is the one the inserted header names, and the Author box goes on showing it.
struct TypedAuthorRow {
  std::string Name;
  std::string AuthorBox;  // typed into the Author box; empty when nothing was
  TLines CommentBox;      // the box as edited before Insert Template; empty when untouched
  std::string Expected;
};

class CommentorTypedAuthorTest : public CommentorSessionTest, public ::testing::WithParamInterface<TypedAuthorRow> {};

TEST_P(CommentorTypedAuthorTest, InsertTemplateKeepsIt) {
  const TypedAuthorRow& row = GetParam();
  settings_.SetText(SettingKey::UserName, "Unknown");
  Open("Attribute VB_Name = \"M\"\r\nSub S(a)\r\nEnd Sub\r\n");
  if (!row.CommentBox.empty()) session_.EditComments(row.CommentBox);
  if (!row.AuthorBox.empty()) session_.SetTypedAuthor(row.AuthorBox);
  ASSERT_TRUE(session_.InsertTemplate());
  EXPECT_EQ(session_.Fields().Author, row.Expected);
  const TLines& box = session_.CommentLines();
  EXPECT_NE(std::find(box.begin(), box.end(), "'  Author :  " + row.Expected), box.end());
}

INSTANTIATE_TEST_SUITE_P(
    Authors, CommentorTypedAuthorTest,
    ::testing::Values(TypedAuthorRow{"NothingTypedNamesTheSetting", "", {}, "Unknown"},
                      TypedAuthorRow{"TypedIntoTheAuthorBox", "Zoe Park", {}, "Zoe Park"},
                      TypedAuthorRow{"AuthorLineTypedIntoTheCommentBox", "", {"Sub S(a)", "'  Author :  Max"}, "Max"},
                      TypedAuthorRow{"TheAuthorBoxComesFirst", "Zoe", {"Sub S(a)", "'  Author :  Max"}, "Zoe"}),
    [](const auto& info) { return info.param.Name; });

// A header below a declaration continued over several lines is the routine's header: shown, marked
// in the routine list, and no second one offered.
TEST_F(CommentorSessionTest, AHeaderBelowAContinuedDeclarationIsShown) {
  Open("Attribute VB_Name = \"M\"\r\nSub Load(a As String, _\r\n    b As Long)\r\n"
       "' ----\r\n'  Author :  Ann\r\n' ----\r\nx = 1\r\nEnd Sub\r\n");
  EXPECT_EQ(session_.HeaderStart(), 1);
  EXPECT_EQ(session_.HeaderEnd(), 5);
  EXPECT_EQ(session_.Fields().Author, "Ann");
  EXPECT_FALSE(session_.CanInsertTemplate());
  ASSERT_EQ(session_.Routines().size(), 1u);
  EXPECT_TRUE(session_.Routines()[0].HasHeader);
  EXPECT_EQ(DeclarationEndOf(session_.ModuleLines(), 1), 2);
}

}  // namespace
}  // namespace qm
