// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/copying.h"
#include "temp_dir.h"

namespace qm {
namespace {

// One look-up inside a run's cache, after the folder has been listed once and then changed.
struct CachedLookupRow {
  const char* name;
  void (*change)(const test::TempDir&);  // what happens to the folder after it was listed
  const char* asked;
  const char* expected;
};

class DirectoryCacheTest : public ::testing::TestWithParam<CachedLookupRow> {};

TEST_P(DirectoryCacheTest, LooksUpThroughTheListing) {
  test::TempDir dir;
  dir.Write("main.frm", "x");
  dir.Write("Util.bas", "1");
  dir.Write("util.bas", "2");
  dir.Write("old.bas", "x");
  TDirectoryCacheScope scope;
  // A name missing as written lists the folder.
  ASSERT_EQ(NativePath(dir.Dir() + "MAIN.FRM"), dir.Dir() + "main.frm");
  GetParam().change(dir);
  EXPECT_EQ(NativePath(dir.Dir() + GetParam().asked), dir.Dir() + GetParam().expected);
}

void Nothing(const test::TempDir&) {}
void WriteNew(const test::TempDir& dir) { ASSERT_TRUE(WriteFileBytes(dir / "New.bas", "x")); }
void CopyNew(const test::TempDir& dir) { ASSERT_TRUE(CopyFileAsNew(dir / "main.frm", dir / "Copy.frm")); }
void MakeSubfolder(const test::TempDir& dir) {
  ASSERT_TRUE(ForceDirectories(dir / "Out/Deep"));
  ASSERT_TRUE(WriteFileBytes(dir / "Out/Deep/Done.bas", "x"));
}
void DeleteBehindTheCache(const test::TempDir& dir) { ASSERT_EQ(::unlink((dir / "old.bas").c_str()), 0); }
void RecreateInOtherCase(const test::TempDir& dir) {
  ASSERT_EQ(::unlink((dir / "old.bas").c_str()), 0);
  NoteFileRemoved(dir / "old.bas");
  ASSERT_TRUE(WriteFileBytes(dir / "OLD.BAS", "y"));
}
// A file made by none of the program's writers is not in the listing until the next run.
void WriteBehindTheCache(const test::TempDir& dir) { dir.Write("Stray.bas", "x"); }

INSTANTIATE_TEST_SUITE_P(
    Rows, DirectoryCacheTest,
    ::testing::Values(
        CachedLookupRow{"ExactNameBeforeListing", Nothing, "util.bas", "util.bas"},
        CachedLookupRow{"OtherCaseSmallestMatch", Nothing, "UTIL.BAS", "Util.bas"},
        CachedLookupRow{"WrittenByTheRun", WriteNew, "NEW.BAS", "New.bas"},
        CachedLookupRow{"CopiedByTheRun", CopyNew, "copy.FRM", "Copy.frm"},
        CachedLookupRow{"FolderMadeByTheRun", MakeSubfolder, "OUT\\deep\\DONE.BAS", "Out/Deep/Done.bas"},
        CachedLookupRow{"DeletedIsForgotten", DeleteBehindTheCache, "OLD.BAS", "OLD.BAS"},
        CachedLookupRow{"RecreatedInOtherCase", RecreateInOtherCase, "Old.Bas", "OLD.BAS"},
        CachedLookupRow{"UnreportedFileNotListed", WriteBehindTheCache, "STRAY.BAS", "STRAY.BAS"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DirectoryCacheScopeTest, NextRunSeesTheDiskAfresh) {
  test::TempDir dir;
  {
    TDirectoryCacheScope run;
    {
      TDirectoryCacheScope nested;
      EXPECT_EQ(NativePath(dir.Dir() + "A.BAS"), dir.Dir() + "A.BAS");
    }
    dir.Write("a.bas", "x");
    // The inner scope's end keeps the outer run's listing.
    EXPECT_EQ(NativePath(dir.Dir() + "A.BAS"), dir.Dir() + "A.BAS");
  }
  TDirectoryCacheScope next;
  EXPECT_EQ(NativePath(dir.Dir() + "A.BAS"), dir.Dir() + "a.bas");
}

}  // namespace
}  // namespace qm
