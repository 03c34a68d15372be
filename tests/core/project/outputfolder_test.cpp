// SPDX-License-Identifier: MIT
#include "project/outputfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "platform/linefile.h"
#include "row_name.h"
#include "temp_dir.h"
#include "ui/prompts.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::FakePrompts;
using test::TempDir;

// --- Lock ------------------------------------------------------------------------------------

TEST(OutputLockTest, ASecondLockOfTheDirectoryIsRefusedUntilTheFirstIsReleased) {
  TempDir tmp;
  TOutputLock first, second;
  ASSERT_EQ(first.Acquire(tmp.Dir()), TLockResult::Locked);
  EXPECT_TRUE(fs::exists(tmp / kLockFileName));

  std::string holder;
  EXPECT_EQ(second.Acquire(tmp.Dir(), &holder), TLockResult::InUse);
  EXPECT_EQ(holder, std::to_string(::getpid())) << "the message can name the process that holds it";

  first.Release();
  EXPECT_FALSE(fs::exists(tmp / kLockFileName)) << "a released lock leaves nothing behind";
  EXPECT_EQ(second.Acquire(tmp.Dir()), TLockResult::Locked);
}

// A run killed with its lock held leaves the file; nobody holds its flock any more, so the next
// run simply takes it over.
TEST(OutputLockTest, TheFileOfAKilledRunIsTakenOver) {
  TempDir tmp;
  tmp.Write(std::string(kLockFileName), "999999\n");
  TOutputLock lock;
  EXPECT_EQ(lock.Acquire(tmp.Dir()), TLockResult::Locked);
  EXPECT_EQ(tmp.Read(kLockFileName), std::to_string(::getpid()) + "\n");
}

TEST(OutputLockTest, ALinkInTheLocksPlaceIsReplacedNotFollowed) {
  TempDir tmp;
  tmp.Write("elsewhere/victim", "keep me");
  fs::create_directories(tmp / "out");
  fs::create_symlink(tmp / "elsewhere/victim", tmp.Dir() + "out/" + std::string(kLockFileName));
  TOutputLock lock;
  EXPECT_EQ(lock.Acquire(tmp / "out"), TLockResult::Locked);
  EXPECT_EQ(tmp.Read("elsewhere/victim"), "keep me");
}

TEST(OutputLockTest, AReadOnlyDirectoryIsReportedAsReadOnly) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  TempDir tmp;
  fs::create_directories(tmp / "out");
  fs::permissions(tmp / "out", fs::perms::owner_read | fs::perms::owner_exec);
  TOutputLock lock;
  std::string why;
  EXPECT_EQ(lock.Acquire(tmp / "out", &why), TLockResult::ReadOnly);
  EXPECT_EQ(why, "Permission denied");
  fs::permissions(tmp / "out", fs::perms::owner_all);
}

// --- Manifest --------------------------------------------------------------------------------

TEST(OutputManifestTest, RecordsSurviveSavingAndLoading) {
  TempDir tmp;
  TOutputManifest written;
  ASSERT_EQ(written.Load(tmp.Dir()), TManifestState::Missing);
  written.Record("MAIN.FRM", "Sub Main ()\r\n");
  written.Record("name with blanks.bas", "x");
  written.Record("bad\nname", "never recorded");
  ASSERT_TRUE(written.Save());

  TOutputManifest read;
  ASSERT_EQ(read.Load(tmp.Dir()), TManifestState::Read);
  EXPECT_TRUE(read.Matches("MAIN.FRM", "Sub Main ()\r\n"));
  EXPECT_FALSE(read.Matches("MAIN.FRM", "Sub Main ()\r\n'"));
  EXPECT_FALSE(read.Matches("main.frm", "Sub Main ()\r\n")) << "names are exact";
  EXPECT_TRUE(read.Matches("name with blanks.bas", "x"));
  EXPECT_FALSE(read.Knows("bad\nname"));
}

struct TBadManifest {
  const char* Name;
  const char* Text;
};

class BadManifestTest : public ::testing::TestWithParam<TBadManifest> {};

// A damaged manifest is never half believed: it knows no file, so every existing file asks.
TEST_P(BadManifestTest, IsUnreadableAndKnowsNoFile) {
  TempDir tmp;
  tmp.Write(std::string(kManifestFileName), GetParam().Text);
  TOutputManifest manifest;
  EXPECT_EQ(manifest.Load(tmp.Dir()), TManifestState::Unreadable);
  EXPECT_TRUE(manifest.Empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadManifestTest,
    ::testing::Values(TBadManifest{"Empty", ""}, TBadManifest{"NoHeader", "5 00000000000000ff A.BAS\n"},
                      TBadManifest{"OtherVersion", "# quillmate output manifest 2\n"},
                      TBadManifest{"SizeNotANumber", "# quillmate output manifest 1\nfive 00ff A.BAS\n"},
                      TBadManifest{"HashNotHex", "# quillmate output manifest 1\n5 xyz A.BAS\n"},
                      TBadManifest{"NoName", "# quillmate output manifest 1\n5 00ff\n"},
                      TBadManifest{"CutShort", "# quillmate output manifest 1\n5 00ff A.BAS\n12"}),
    test::RowName(&TBadManifest::Name));

struct TExistingCase {
  const char* Name;
  const char* OnDisk;    // nullptr: no file
  const char* Recorded;  // nullptr: not in the manifest
  TExistingOutput Expected;
};

class ClassifyExistingTest : public ::testing::TestWithParam<TExistingCase> {};

TEST_P(ClassifyExistingTest, TellsWhetherTheFileMayBeReplacedUnasked) {
  const TExistingCase& row = GetParam();
  TempDir tmp;
  if (row.OnDisk) tmp.Write("A.BAS", row.OnDisk);
  TOutputManifest manifest;
  manifest.Load(tmp.Dir());
  if (row.Recorded) manifest.Record("A.BAS", row.Recorded);
  EXPECT_EQ(ClassifyExisting(manifest, "A.BAS", tmp / "A.BAS", "new text"), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifyExistingTest,
    ::testing::Values(TExistingCase{"NoFile", nullptr, "old", TExistingOutput::Absent},
                      TExistingCase{"AsLastWritten", "old", "old", TExistingOutput::Own},
                      TExistingCase{"EditedSinceWritten", "old, edited", "old", TExistingOutput::Changed},
                      TExistingCase{"NeverWrittenByUs", "the user's", nullptr, TExistingOutput::Changed},
                      TExistingCase{"NeverWrittenButSameText", "new text", nullptr, TExistingOutput::Same},
                      TExistingCase{"EditedToTheNewText", "new text", "old", TExistingOutput::Same}),
    test::RowName(&TExistingCase::Name));

// --- One run's record ------------------------------------------------------------------------

struct TReplaceCase {
  const char* Name;
  TEditedOutput Policy;
  std::vector<TAnswer> Answers;  // to the questions, in order
  std::vector<bool> Replaced;    // for A.BAS and B.BAS, both edited by hand
  bool Cancelled;
};

class ReplaceEditedTest : public ::testing::TestWithParam<TReplaceCase> {};

TEST_P(ReplaceEditedTest, AsksOrKeepsOrReplacesAsTheRunSays) {
  const TReplaceCase& row = GetParam();
  TempDir tmp;
  FakePrompts prompts;
  tmp.Write("A.BAS", "edited A");
  tmp.Write("B.BAS", "edited B");
  TOutputRecord record(tmp.Dir(), row.Policy, &prompts);
  record.Load();
  for (TAnswer answer : row.Answers) prompts.Answer(answer);

  std::vector<bool> replaced;
  for (const char* name : {"A.BAS", "B.BAS"}) replaced.push_back(record.MayReplace(name, tmp / name, "restyled"));

  EXPECT_EQ(replaced, row.Replaced);
  EXPECT_EQ(record.Cancelled(), row.Cancelled);
  for (std::size_t i = 0; i < row.Answers.size(); ++i) {
    const test::RecordedPrompt question = prompts.Take();
    EXPECT_EQ(question.Buttons, TButtons::YesAllNoCancel);
    EXPECT_NE(question.Text.find(i == 0 ? "A.BAS has changed since" : "B.BAS has changed since"), std::string::npos)
        << question.Text;
  }
  std::vector<std::string> kept;
  if (!row.Replaced[0] && !row.Cancelled) kept.push_back("A.BAS");
  if (!row.Replaced[1] && !row.Cancelled) kept.push_back("B.BAS");
  EXPECT_EQ(record.KeptNames(), kept);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReplaceEditedTest,
    ::testing::Values(TReplaceCase{"YesThenNo", TEditedOutput::Ask, {TAnswer::Yes, TAnswer::No}, {true, false}, false},
                      TReplaceCase{"YesToAllAsksOnce", TEditedOutput::Ask, {TAnswer::YesToAll}, {true, true}, false},
                      TReplaceCase{"CancelStopsAsking", TEditedOutput::Ask, {TAnswer::Cancel}, {false, false}, true},
                      TReplaceCase{"KeepWithoutAsking", TEditedOutput::Keep, {}, {false, false}, false},
                      TReplaceCase{"ForceWithoutAsking", TEditedOutput::Replace, {}, {true, true}, false}),
    test::RowName(&TReplaceCase::Name));

TEST(OutputRecordTest, WhatTheRunWroteIsRecordedAndReplaceableNextTime) {
  TempDir tmp;
  FakePrompts prompts;
  {
    TOutputRecord first(tmp.Dir(), TEditedOutput::Ask, &prompts);
    EXPECT_EQ(first.Load(), TManifestState::Missing);
    tmp.Write("A.BAS", "restyled 1");
    first.Written("A.BAS", "restyled 1");
    tmp.Write("VBQUILL3.LOG", "log");
    first.Written("VBQUILL3.LOG", "log", false);
    first.Written("A.BAS", "restyled 1");
    EXPECT_EQ(first.WrittenNames(), (std::vector<std::string>{"A.BAS", "VBQUILL3.LOG"}));
    ASSERT_TRUE(first.Save());
  }
  TOutputRecord second(tmp.Dir(), TEditedOutput::Ask, &prompts);
  EXPECT_EQ(second.Load(), TManifestState::Read);
  EXPECT_TRUE(second.MayReplace("A.BAS", tmp / "A.BAS", "restyled 2")) << "no question for the program's own file";
  EXPECT_TRUE(second.WrittenNames().empty());
  EXPECT_FALSE(second.Manifest().Knows("VBQUILL3.LOG")) << "the log is rewritten by every run, never recorded";
}

TEST(OutputRecordTest, AManifestRecordingNothingIsRemoved) {
  TempDir tmp;
  TOutputRecord record(tmp.Dir(), TEditedOutput::Ask, nullptr);
  record.Load();
  tmp.Write("A.BAS", "x");
  record.Written("A.BAS", "x");
  ASSERT_TRUE(record.Save());
  ASSERT_TRUE(fs::exists(tmp / kManifestFileName));
  record.Deleted({"A.BAS"});
  ASSERT_TRUE(record.Save());
  EXPECT_FALSE(fs::exists(tmp / kManifestFileName));
}

TEST(OutputRecordTest, TheRecordsNamesAreReserved) {
  EXPECT_TRUE(IsOutputRecordName(".QUILLMATE.LOCK"));
  EXPECT_TRUE(IsOutputRecordName(".quillmate.manifest"));
  EXPECT_FALSE(IsOutputRecordName("quillmate.manifest"));
}

}  // namespace
}  // namespace qm
