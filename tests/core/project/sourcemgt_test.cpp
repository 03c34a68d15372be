// SPDX-License-Identifier: MIT
#include "project/sourcemgt.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "messages.h"
#include "row_name.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::FakePrompts;
using test::TempDir;

// Remembers whether the busy cursor was on when each question was asked.
class BusyCheckingPrompts : public FakePrompts {
 public:
  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    busyAtAsk.push_back(Busy());
    return FakePrompts::Ask(kind, buttons, text);
  }
  std::vector<int> busyAtAsk;
};

std::string NotAscii(const std::string& entry) { return msg::Format(msg::NotAsciiFile, entry); }
std::string Missing(const std::string& entry) { return msg::Format(msg::EntryMissing, entry); }
std::string Unreadable(const std::string& entry, const std::string& reason) {
  return msg::Fill(msg::EntryUnreadable, {entry, reason});
}

std::vector<std::string> Names(const TSourceMgt& project) {
  std::vector<std::string> names;
  for (RFile* item : project.Items()) names.push_back(item->Name);
  return names;
}

TEST(SourceMgtRead, MakProjectSkipsSettingsAndControlsAndAsksAboutMissingFiles) {
  TempDir dir;
  dir.Write("MAIN.FRM", "VERSION 2.00\r\nBegin Form Main\r\nEnd\r\n");
  dir.Write("GLOBAL.BAS", "Global X As Integer\r\n");
  dir.Write("GRID.VBX", "MZ\x90");
  dir.Write("lib/UTIL.BAS", "Sub U ()\r\nEnd Sub\r\n");
  const std::string absoluteUtil = dir / "lib/UTIL.BAS";
  std::string project = dir.Write("PROJ.MAK",
                                  "MAIN.FRM\r\nGLOBAL.BAS\r\nGRID.VBX\r\nProjWinSize=152,402,248,215\r\n"
                                  "C:\\LIB\\UTIL.BAS\r\n" + absoluteUtil + "\r\n");
  TSourceMgt mgt;
  mgt.VBVersion = 4;
  BusyCheckingPrompts prompts;
  EXPECT_EQ(mgt.ReadProjectFile(project, prompts), TReadOutcome::Read);
  // A drive path names nothing on this disk: the user is asked, OK skips it.
  prompts.ExpectMessage(TMsgKind::Warning, Missing("C:\\LIB\\UTIL.BAS"));
  EXPECT_EQ(prompts.busyAtAsk, std::vector<int>{0});

  EXPECT_EQ(mgt.VBVersion, 3);
  EXPECT_EQ(mgt.ProjectName, "PROJ.MAK");
  EXPECT_EQ(mgt.ProjectDir, dir.Dir());
  ASSERT_EQ(Names(mgt), (std::vector<std::string>{"MAIN.FRM", "GLOBAL.BAS", "UTIL.BAS"}));
  std::vector<RFile*> items = mgt.Items();
  EXPECT_EQ(items[0]->Kind, rkForm);
  EXPECT_EQ(items[0]->Path, dir / "MAIN.FRM");
  EXPECT_EQ(items[0]->Size, 36);
  EXPECT_EQ(items[0]->LineCount, 3);
  EXPECT_EQ(items[1]->Kind, rkModule);
  EXPECT_EQ(items[1]->Ext, ".BAS");
  EXPECT_EQ(items[2]->Path, absoluteUtil);
  EXPECT_EQ(items[2]->LineCount, 2);
  for (RFile* item : items) {
    EXPECT_EQ(item->Caption, item->Name);
    EXPECT_TRUE(item->Selected);
    EXPECT_FALSE(item->Processed);
    EXPECT_FALSE(item->Loaded);
    EXPECT_TRUE(item->OutputPath.empty());
  }
  // The chain: Prev links back, and one empty end item closes it.
  EXPECT_EQ(mgt.FirstFile, items[0]);
  EXPECT_EQ(items[1]->Prev, items[0]);
  RFile* end = items[2]->Next;
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->Next, nullptr);
  EXPECT_TRUE(end->Name.empty());
  EXPECT_EQ(end->Prev, items[2]);
}

TEST(SourceMgtRead, VbpProjectTakesEntriesBySeparatorAndFindsFilesWhateverTheirCase) {
  TempDir dir;
  dir.Write("forms/About.FRM", "VERSION 4.00\r\n");
  dir.Write("Module1.bas", "Attribute VB_Name = \"Module1\"\r\n");
  dir.Write("Lib/Foo.CLS", "VERSION 1.0 CLASS\r\n");
  dir.Write("lower.frm", "VERSION 4.00\r\n");
  std::string project = dir.Write("proj.vbp",
                                  "Form=Forms\\About.frm\n"
                                  "Module=Module1; Module1.bas\n"
                                  "form=lower.frm\n"
                                  "Object={F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.0#0; COMDLG32.OCX\n"
                                  "Class=CFoo;  lib\\foo.cls  \n"
                                  "Form = lower.frm\n"
                                  "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#STDOLE2.TLB\n");
  TSourceMgt mgt;
  FakePrompts prompts;
  ASSERT_EQ(mgt.ReadProjectFile(project, prompts), TReadOutcome::Read);
  EXPECT_EQ(mgt.VBVersion, 4);
  ASSERT_EQ(Names(mgt), (std::vector<std::string>{"About.frm", "Module1.bas", "foo.cls", "lower.frm"}));
  std::vector<RFile*> items = mgt.Items();
  EXPECT_EQ(items[0]->Path, dir.Dir() + "Forms\\About.frm");
  EXPECT_EQ(items[0]->Ext, ".FRM");
  EXPECT_EQ(items[0]->Kind, rkForm);
  EXPECT_EQ(items[0]->Size, 14);
  EXPECT_EQ(items[1]->Kind, rkModule);
  EXPECT_EQ(items[2]->Path, dir.Dir() + "lib\\foo.cls");
  EXPECT_EQ(items[2]->Kind, rkClass);
  EXPECT_EQ(items[3]->Kind, rkForm);  // lower-case extension still a form
}

struct OutcomeRow {
  const char* name;
  const char* projectName;
  std::string projectBytes;  // "<missing>" writes no project file
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<TAnswer> answers;
  TReadOutcome outcome;
  std::vector<std::pair<TMsgKind, std::string>> messages;
  std::vector<std::string> items;
};
void PrintTo(const OutcomeRow& row, std::ostream* os) { *os << row.name; }

class SourceMgtOutcome : public ::testing::TestWithParam<OutcomeRow> {};

TEST_P(SourceMgtOutcome, ShowsTheMessagesAndKeepsOnlyASoundProject) {
  const OutcomeRow& row = GetParam();
  TempDir dir;
  for (const auto& [name, bytes] : row.files) dir.Write(name, bytes);
  std::string project = dir / row.projectName;
  if (row.projectBytes != "<missing>") dir.Write(row.projectName, row.projectBytes);

  TSourceMgt mgt;
  BusyCheckingPrompts prompts;
  for (TAnswer a : row.answers) prompts.Answer(a);
  std::vector<int> reported;
  EXPECT_EQ(mgt.ReadProjectFile(project, prompts, [&](int n) { reported.push_back(n); }), row.outcome);
  for (const auto& [kind, text] : row.messages) prompts.ExpectMessage(kind, text);
  for (int busy : prompts.busyAtAsk) EXPECT_EQ(busy, 0) << "hourglass on while asking";
  EXPECT_EQ(Names(mgt), row.items);
  if (row.outcome != TReadOutcome::Read) {
    EXPECT_TRUE(mgt.ProjectFile.empty());
    ASSERT_NE(mgt.FirstFile, nullptr);
    EXPECT_EQ(mgt.FirstFile->Next, nullptr);
  }
  if (row.outcome == TReadOutcome::Read || row.outcome == TReadOutcome::Empty) {
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), 1);
    EXPECT_EQ(reported.back(), static_cast<int>(reported.size()));
  }
}

const std::string kInvalid(msg::InvalidProjectFile);
const std::string kEmpty(msg::ProjectFileEmpty);

INSTANTIATE_TEST_SUITE_P(
    Rows, SourceMgtOutcome,
    ::testing::Values(
        OutcomeRow{"ZeroByteProject", "P.MAK", "", {}, {}, TReadOutcome::NotText,
                   {{TMsgKind::Error, kInvalid}}, {}},
        OutcomeRow{"MissingProject", "P.MAK", "<missing>", {}, {}, TReadOutcome::NotText,
                   {{TMsgKind::Error, kInvalid}}, {}},
        OutcomeRow{"BinaryProject", "P.VBP", std::string("\xD0\xCF\x11\xE0", 4) + "Form=A.FRM", {}, {},
                   TReadOutcome::NotText, {{TMsgKind::Error, kInvalid}}, {}},
        OutcomeRow{"OnlySettings", "P.MAK", "ProjWinSize=1,2,3,4\r\nTitle=\"X\"\r\n", {}, {}, TReadOutcome::Empty,
                   {{TMsgKind::Warning, kEmpty}}, {}},
        OutcomeRow{"EveryEntryDeclined", "P.MAK", "A.BAS\r\nB.BAS\r\n", {}, {TAnswer::Ok, TAnswer::Ok},
                   TReadOutcome::Empty,
                   {{TMsgKind::Warning, Missing("A.BAS")}, {TMsgKind::Warning, Missing("B.BAS")},
                    {TMsgKind::Warning, kEmpty}},
                   {}},
        OutcomeRow{"CancelAtSecondEntry", "P.MAK", "A.BAS\r\nB.BAS\r\nC.BAS\r\nD.BAS\r\n",
                   {{"C.BAS", "Sub C ()\r\n"}}, {TAnswer::Ok, TAnswer::Cancel}, TReadOutcome::Cancelled,
                   {{TMsgKind::Warning, Missing("A.BAS")}, {TMsgKind::Warning, Missing("B.BAS")}}, {}},
        OutcomeRow{"BinaryFormIsQuestioned", "P.MAK", "MAIN.FRM\r\nG.BAS\r\n",
                   {{"MAIN.FRM", std::string("\xFC\x00\x01", 3)}, {"G.BAS", "' g\r\n"}}, {}, TReadOutcome::Read,
                   {{TMsgKind::Warning, NotAscii("MAIN.FRM")}}, {"G.BAS"}},
        // An empty module is a module of no lines, not a binary file.
        OutcomeRow{"EmptyEntryFileIsAdded", "P.MAK", "E.BAS\r\nG.BAS\r\n",
                   {{"E.BAS", ""}, {"G.BAS", "Option Explicit\r\n"}}, {}, TReadOutcome::Read, {}, {"E.BAS", "G.BAS"}},
        OutcomeRow{"DirectoryEntryCannotBeRead", "P.MAK", "SUB\r\nG.BAS\r\n",
                   {{"SUB/X.BAS", "'x\r\n"}, {"G.BAS", "'g\r\n"}}, {}, TReadOutcome::Read,
                   {{TMsgKind::Warning, Unreadable("SUB", "not a file")}}, {"G.BAS"}},
        OutcomeRow{"VbpLineWithoutSeparatorIsQuestioned", "P.VBP", "Module=NoFile\r\nForm=F.FRM\r\n",
                   {{"F.FRM", "VERSION 4.00\r\n"}}, {}, TReadOutcome::Read,
                   {{TMsgKind::Warning, Unreadable("", "not a file")}},
                   {"F.FRM"}},
        OutcomeRow{"BareCarriageReturns", "P.MAK", "A.BAS\rProjWinSize=1\rB.BAS\r",
                   {{"A.BAS", "'a\r"}, {"B.BAS", "'b\r"}}, {}, TReadOutcome::Read, {}, {"A.BAS", "B.BAS"}},
        OutcomeRow{"BlankLinesNameNoFile", "P.MAK", "A.BAS\r\n\r\n   \r\n", {{"A.BAS", "'a\r\n"}}, {},
                   TReadOutcome::Read, {}, {"A.BAS"}},
        OutcomeRow{"HugeLine", "P.MAK", std::string(100000, 'X') + "\r\nA.BAS\r\n", {{"A.BAS", "'a\r\n"}}, {},
                   TReadOutcome::Read, {{TMsgKind::Warning, Unreadable(std::string(100000, 'X'), "File name too long")}},
                   {"A.BAS"}},
        OutcomeRow{"HighBytesInNames", "P.MAK", "M\xC4RZ.BAS\r\n", {{"M\xC4RZ.BAS", "'\xE4\r\n"}}, {},
                   TReadOutcome::Read, {}, {"M\xC4RZ.BAS"}}),
    [](const ::testing::TestParamInfo<OutcomeRow>& info) { return std::string(info.param.name); });

TEST(SourceMgtRead, AFailedReadDiscardsThePreviousProject) {
  TempDir dir;
  dir.Write("A.BAS", "'a\r\n");
  std::string good = dir.Write("GOOD.MAK", "A.BAS\r\n");
  std::string bad = dir.Write("BAD.MAK", "");
  TSourceMgt mgt;
  FakePrompts prompts;
  ASSERT_EQ(mgt.ReadProjectFile(good, prompts), TReadOutcome::Read);
  ASSERT_EQ(mgt.Items().size(), 1u);
  EXPECT_EQ(mgt.ReadProjectFile(bad, prompts), TReadOutcome::NotText);
  prompts.ExpectMessage(TMsgKind::Error, std::string(msg::InvalidProjectFile));
  EXPECT_TRUE(mgt.Items().empty());
  EXPECT_TRUE(mgt.ProjectName.empty());
}

TEST(SourceMgtLines, LoadLinesGivesTheBytesBackAndFreeLinesDropsThem) {
  TempDir dir;
  const std::string body = "Dim s As String \xA7\xFF\r\nx = \"\xE9t\xE9\"\n\tIf x Then\r\n\r\nEnd\r\n";
  dir.Write("M.BAS", body);
  std::string project = dir.Write("P.MAK", "M.BAS\r\n");
  TSourceMgt mgt;
  FakePrompts prompts;
  ASSERT_EQ(mgt.ReadProjectFile(project, prompts), TReadOutcome::Read);
  RFile& item = *mgt.FirstFile;
  EXPECT_EQ(item.LineCount, 5);

  // Lines change on disk after reading: loading counts them anew.
  dir.Write("M.BAS", body + "Extra\r\n");
  mgt.CurrentFile = &item;
  EXPECT_EQ(mgt.CurrentLineCount(), 6);
  EXPECT_TRUE(item.Loaded);
  EXPECT_EQ(item.Lines, (TLines{"Dim s As String \xA7\xFF", "x = \"\xE9t\xE9\"", "\tIf x Then", "", "End", "Extra"}));

  // Loading again keeps what is loaded.
  dir.Write("M.BAS", "changed\r\n");
  mgt.LoadLines(item);
  EXPECT_EQ(item.LineCount, 6);

  mgt.FreeCurrentLines();
  EXPECT_FALSE(item.Loaded);
  EXPECT_TRUE(item.Lines.empty());
  mgt.LoadLines(item);
  EXPECT_EQ(item.Lines, TLines{"changed"});
  mgt.FreeAllLines();
  EXPECT_FALSE(item.Loaded);
  mgt.FreeLines(nullptr);
}

TEST(SourceMgtLines, AnUnreadableFileLoadsAsNotAvailable) {
  TempDir dir;
  dir.Write("M.BAS", "'m\r\n");
  std::string project = dir.Write("P.MAK", "M.BAS\r\n");
  TSourceMgt mgt;
  FakePrompts prompts;
  ASSERT_EQ(mgt.ReadProjectFile(project, prompts), TReadOutcome::Read);
  std::filesystem::remove(dir / "M.BAS");
  mgt.CurrentFile = mgt.FirstFile;
  EXPECT_EQ(mgt.CurrentLineCount(), 1);
  EXPECT_TRUE(mgt.FirstFile->Loaded);
  EXPECT_EQ(mgt.FirstFile->Lines, TLines{std::string(msg::NotAvailable)});
}

struct TextStartRow {
  std::string bytes;
  bool text;
};
void PrintTo(const TextStartRow& row, std::ostream* os) { *os << ::testing::PrintToString(row.bytes); }

class IsTextFileTest : public ::testing::TestWithParam<TextStartRow> {};

TEST_P(IsTextFileTest, JudgesByTheFirstByte) {
  TempDir dir;
  std::string path = dir.Write("F", GetParam().bytes);
  EXPECT_EQ(IsTextFile(path), GetParam().text) << "first byte " << static_cast<int>(GetParam().bytes[0]);
}

INSTANTIATE_TEST_SUITE_P(Bytes, IsTextFileTest,
                         ::testing::Values(TextStartRow{"A", true}, TextStartRow{"z", true}, TextStartRow{"7", true},
                                           TextStartRow{" x", true}, TextStartRow{"\r\n", true},
                                           TextStartRow{"'", true}, TextStartRow{"\\", true},
                                           TextStartRow{"\t", false}, TextStartRow{"=", false},
                                           TextStartRow{std::string(1, '\0'), false},
                                           TextStartRow{"\xEF\xBB\xBFVERSION", false}),
    test::RowName([](const TextStartRow& r) {
      char first[8];
      std::snprintf(first, sizeof first, "x%02X ", static_cast<unsigned char>(r.bytes[0]));
      return first + r.bytes;
    }));

TEST(IsTextFileTest, MissingEmptyAndDirectoriesAreNotText) {
  TempDir dir;
  EXPECT_FALSE(IsTextFile(dir / "none"));
  EXPECT_FALSE(IsTextFile(dir.Write("empty", "")));
  dir.Write("sub/x", "x");
  EXPECT_FALSE(IsTextFile(dir / "sub"));
  EXPECT_FALSE(IsTextFile(""));
}

struct EntryRow {
  std::string line;
  bool mak;
  bool vbp;
  std::string vbpName;
};
void PrintTo(const EntryRow& row, std::ostream* os) { *os << ::testing::PrintToString(row.line); }

class ProjectLineTest : public ::testing::TestWithParam<EntryRow> {};

TEST_P(ProjectLineTest, ClassifiesAndNamesTheEntry) {
  const EntryRow& row = GetParam();
  EXPECT_EQ(IsMAKEntry(row.line), row.mak) << row.line;
  EXPECT_EQ(IsVBPEntry(row.line), row.vbp) << row.line;
  EXPECT_EQ(VBPEntryName(row.line), row.vbpName) << row.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProjectLineTest,
    ::testing::Values(EntryRow{"MAIN.FRM", true, false, ""}, EntryRow{"C:\\VB\\GRID.VBX", false, false, ""},
                      EntryRow{"grid.vbx", false, false, ""}, EntryRow{"CMDIALOG.dll", false, false, ""},
                      EntryRow{"ProjWinSize=152,402,248,215", false, false, ""},
                      EntryRow{"Form=frmMain.frm", false, true, "frmMain.frm"},
                      EntryRow{"Form=  Forms\\About.frm  ", false, true, "Forms\\About.frm"},
                      EntryRow{"Module=Module1; Module1.bas", false, true, "Module1.bas"},
                      EntryRow{"Class=CFoo;Foo.cls", false, true, "Foo.cls"},
                      EntryRow{"Module=NoSeparator", false, true, ""},
                      EntryRow{"form=lower.frm", false, false, "lower.frm"},
                      EntryRow{"Object={F9043C88}#1.0#0; COMDLG32.OCX", false, false, "COMDLG32.OCX"},
                      EntryRow{"", false, false, ""}, EntryRow{"Fo", true, false, ""}),
    test::RowName(&EntryRow::line));

}  // namespace
}  // namespace qm
