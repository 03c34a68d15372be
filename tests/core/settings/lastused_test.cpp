// SPDX-License-Identifier: MIT
#include "settings/lastused.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::TempDir;

TLastUsedList MainWindowList() {
  TLastUsedList list("LastFiles");
  list.INISection = "RecentFiles";
  list.SetMaxItems(6);
  return list;
}

std::vector<std::string> Captions(const TLastUsedList& list) {
  std::vector<std::string> captions;
  for (int i = 0; i < list.Count(); ++i) captions.push_back(list.Caption(i));
  return captions;
}

TEST(LastUsedList, StartsWithTheComponentDefaults) {
  TLastUsedList list;
  EXPECT_EQ(list.MaxItems(), 4);
  EXPECT_TRUE(list.AddNumbers);
  EXPECT_TRUE(list.AddSeperator);
  EXPECT_EQ(list.Count(), 0);
}

TEST(LastUsedList, NewFilesGoOnTopAndTellWhetherTheyAreTheFirst) {
  TLastUsedList list = MainWindowList();
  EXPECT_EQ(list.AddFile("/p/A.MAK"), TLastUsedChange::Appended);
  EXPECT_EQ(list.AddFile("/p/B.VBP"), TLastUsedChange::Inserted);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"&1  /p/B.VBP", "&2  /p/A.MAK"}));
  EXPECT_EQ(list.EntryNames(), (std::vector<std::string>{"LastFiles_Menu1", "LastFiles_Menu0"}));
  EXPECT_EQ(list.SeparatorName(), "LastFiles_Seperator");
}

TEST(LastUsedList, AFileOpenedAgainMovesToTheTopOnce) {
  TLastUsedList list = MainWindowList();
  for (const char* path : {"/p/A.MAK", "/p/B.MAK", "/p/C.MAK"}) list.AddFile(path);
  EXPECT_EQ(list.AddFile("/p/A.MAK"), TLastUsedChange::Moved);
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/p/A.MAK", "/p/C.MAK", "/p/B.MAK"}));
  // The menu entries stay where they are; only their paths move.
  EXPECT_EQ(list.EntryNames(),
            (std::vector<std::string>{"LastFiles_Menu2", "LastFiles_Menu1", "LastFiles_Menu0"}));
  EXPECT_EQ(list.AddFile("/p/A.MAK"), TLastUsedChange::Moved);
  EXPECT_EQ(list.Count(), 3);
}

TEST(LastUsedList, PathsDifferingOnlyInCaseAreDifferentEntries) {
  TLastUsedList list = MainWindowList();
  list.AddFile("/p/a.mak");
  EXPECT_EQ(list.AddFile("/p/A.MAK"), TLastUsedChange::Inserted);
  EXPECT_EQ(list.Count(), 2);
}

TEST(LastUsedList, SevenProjectsKeepTheSixNewestNumberedOneToSix) {
  TLastUsedList list = MainWindowList();
  for (int n = 1; n <= 6; ++n) list.AddFile("/p/P" + std::to_string(n) + ".VBP");
  EXPECT_EQ(list.AddFile("/p/P7.VBP"), TLastUsedChange::Shifted);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"&1  /p/P7.VBP", "&2  /p/P6.VBP", "&3  /p/P5.VBP",
                                                      "&4  /p/P4.VBP", "&5  /p/P3.VBP", "&6  /p/P2.VBP"}));
}

TEST(LastUsedList, CaptionsWithoutNumbersAreThePaths) {
  TLastUsedList list = MainWindowList();
  list.AddNumbers = false;
  list.AddFile("/p/A&B.MAK");
  EXPECT_EQ(list.Caption(0), "/p/A&B.MAK");
  EXPECT_EQ(list.Caption(0, true), "/p/A&&B.MAK");
  EXPECT_EQ(list.PathOfCaption("/p/A&B.MAK"), "/p/A&B.MAK");
}

TEST(LastUsedList, ThePathOfANumberedCaptionDropsItsFirstFourCharacters) {
  TLastUsedList list = MainWindowList();
  list.AddFile("/p/A&B.MAK");
  EXPECT_EQ(list.Caption(0, true), "&1  /p/A&&B.MAK");
  EXPECT_EQ(list.PathOfCaption(list.Caption(0)), "/p/A&B.MAK");
  EXPECT_EQ(list.PathOfCaption("&1"), "");
}

TEST(LastUsedList, MaxItemsStaysASingleDigit) {
  TLastUsedList list;
  list.SetMaxItems(12);
  EXPECT_EQ(list.MaxItems(), 9);
  list.SetMaxItems(0);
  EXPECT_EQ(list.MaxItems(), 1);
}

TEST(LastUsedList, WithoutAMenuNothingIsAdded) {
  TLastUsedList list = MainWindowList();
  list.HasMenu = false;
  EXPECT_EQ(list.AddFile("/p/A.MAK"), TLastUsedChange::Ignored);
  EXPECT_EQ(list.Count(), 0);
}

TEST(LastUsedListFile, LoadsFromTheBottomKeySoThatItem1EndsOnTop) {
  TempDir dir;
  dir.Write("VBQUILL3.INI",
            "[RecentFiles]\r\nItem1=/p/NEW.VBP\r\nItem3=/p/OLD.MAK\r\nItem4=\r\nItem7=/p/IGNORED.MAK\r\n");
  TLastUsedList list = MainWindowList();
  list.AddFile("/p/STALE.MAK");
  EXPECT_EQ(list.ReadINIValues(), (std::vector<std::string>{"/p/OLD.MAK", "/p/NEW.VBP"}));
  list.LoadFromINI();
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/p/NEW.VBP", "/p/OLD.MAK"}));
}

TEST(LastUsedListFile, AValueEqualToTheMissingKeyDefaultAddsNothing) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", "[RecentFiles]\r\nItem1=Nothing Found\r\nItem2=/p/A.MAK\r\n");
  TLastUsedList list = MainWindowList();
  list.LoadFromINI();
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/p/A.MAK"}));
}

TEST(LastUsedListFile, SavesTopToBottomAsManyKeysAsEntries) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", "[RecentFiles]\r\nItem1=/p/X.MAK\r\nItem2=/p/Y.MAK\r\nItem3=/p/Z.MAK\r\n");
  TLastUsedList list = MainWindowList();
  list.AddFile("/p/B.VBP");
  list.AddFile("/p/A.VBP");
  ASSERT_TRUE(list.SaveToINI());
  EXPECT_EQ(GetPrivateProfileString("RecentFiles", "Item1", "", "VBQUILL3.INI"), "/p/A.VBP");
  EXPECT_EQ(GetPrivateProfileString("RecentFiles", "Item2", "", "VBQUILL3.INI"), "/p/B.VBP");
  // Keys past the entries are left as they were.
  EXPECT_EQ(GetPrivateProfileString("RecentFiles", "Item3", "", "VBQUILL3.INI"), "/p/Z.MAK");

  TLastUsedList loaded = MainWindowList();
  loaded.LoadFromINI();
  EXPECT_EQ(loaded.Paths(), (std::vector<std::string>{"/p/A.VBP", "/p/B.VBP", "/p/Z.MAK"}));
}

// A removed path is gone from the list and, once saved, from the file: it does not come back.
TEST(LastUsedListFile, ARemovedPathDoesNotComeBack) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", "[RecentFiles]\r\nItem1=/p/A.MAK\r\nItem2=/p/GONE.MAK\r\nItem3=/p/C.MAK\r\n");
  TLastUsedList list = MainWindowList();
  list.LoadFromINI();
  EXPECT_FALSE(list.RemoveFile("/p/NOT-THERE.MAK"));
  ASSERT_TRUE(list.RemoveFile("/p/GONE.MAK"));
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/p/A.MAK", "/p/C.MAK"}));
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"&1  /p/A.MAK", "&2  /p/C.MAK"}));
  EXPECT_EQ(list.EntryNames().size(), 2u);
  ASSERT_TRUE(list.SaveToINI());

  TLastUsedList loaded = MainWindowList();
  loaded.LoadFromINI();
  EXPECT_EQ(loaded.Paths(), (std::vector<std::string>{"/p/A.MAK", "/p/C.MAK"}));
  ASSERT_TRUE(loaded.RemoveFile("/p/A.MAK"));
  ASSERT_TRUE(loaded.RemoveFile("/p/C.MAK"));
  ASSERT_TRUE(loaded.SaveToINI());
  TLastUsedList empty = MainWindowList();
  empty.LoadFromINI();
  EXPECT_EQ(empty.Count(), 0);
}

TEST(LastUsedListFile, AnEmptyListWritesNothing) {
  TempDir dir;
  TLastUsedList list = MainWindowList();
  ASSERT_TRUE(list.SaveToINI());
  EXPECT_TRUE(dir.Read("VBQUILL3.INI").empty());
}

TEST(LastUsedListFile, ARefusedWriteIsReported) {
  TempDir dir;
  TLastUsedList list = MainWindowList();
  list.INISection = "";  // a profile entry needs a section
  list.AddFile("/p/A.MAK");
  std::string err;
  EXPECT_FALSE(list.SaveToINI("VBQUILL3.INI", &err));
  EXPECT_EQ(err, "Unable to write to VBQUILL3.INI");
}

}  // namespace
}  // namespace qm
