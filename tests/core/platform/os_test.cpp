// SPDX-License-Identifier: MIT
// The operating-system layer as the rest of the core relies on it: what a name is (file,
// directory, link, pipe), when two names are one file, replacing and removing files, listings.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/linefile.h"
#include "platform/os.h"
#include "platform/paths.h"
#include "temp_dir.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

struct KindRow {
  const char* name;
  const char* entry;
  bool followLinks;
  bool found;
  os::TFileKind kind;
};
void PrintTo(const KindRow& row, std::ostream* out) { *out << row.name; }

class FileInfoTest : public ::testing::TestWithParam<KindRow> {
 protected:
  void SetUp() override {
    dir.Write("file.bas", "Sub A()\r\nEnd Sub\r\n");
    fs::create_directories(dir / "folder");
    fs::create_symlink(dir / "file.bas", dir / "link.bas");
    fs::create_symlink(dir / "gone.bas", dir / "dangling.bas");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  }
  test::TempDir dir;
};

TEST_P(FileInfoTest, TellsWhatANameIs) {
  os::TFileInfo info;
  errno = 0;
  ASSERT_EQ(os::GetFileInfo(dir / GetParam().entry, info, GetParam().followLinks), GetParam().found);
  if (GetParam().found) {
    EXPECT_EQ(info.Kind, GetParam().kind);
  } else {
    EXPECT_EQ(errno, ENOENT);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FileInfoTest,
    ::testing::Values(KindRow{"regular_file", "file.bas", true, true, os::TFileKind::Regular},
                      KindRow{"directory", "folder", true, true, os::TFileKind::Directory},
                      KindRow{"link_followed", "link.bas", true, true, os::TFileKind::Regular},
                      KindRow{"link_itself", "link.bas", false, true, os::TFileKind::Link},
                      KindRow{"dangling_link_followed", "dangling.bas", true, false, os::TFileKind::Other},
                      KindRow{"dangling_link_itself", "dangling.bas", false, true, os::TFileKind::Link},
                      KindRow{"named_pipe", "fifo", true, true, os::TFileKind::Other},
                      KindRow{"missing", "missing.bas", true, false, os::TFileKind::Other}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OsFileTest, TwoNamesOfOneFileHaveOneIdAndTwoFilesTwo) {
  test::TempDir dir;
  dir.Write("a.bas", "x");
  dir.Write("b.bas", "x");
  fs::create_hard_link(dir / "a.bas", dir / "hard.bas");
  os::TFileInfo a, b, hard, viaDots;
  ASSERT_TRUE(os::GetFileInfo(dir / "a.bas", a));
  ASSERT_TRUE(os::GetFileInfo(dir / "b.bas", b));
  ASSERT_TRUE(os::GetFileInfo(dir / "hard.bas", hard));
  ASSERT_TRUE(os::GetFileInfo(dir / "./a.bas", viaDots));
  EXPECT_EQ(a.Id, hard.Id);
  EXPECT_EQ(a.Id, viaDots.Id);
  EXPECT_NE(a.Id, b.Id);
  EXPECT_EQ(a.Size, 1u);
}

TEST(OsFileTest, CreateExclusiveRefusesAnExistingFileAndReplaceTakesItsPlace) {
  test::TempDir dir;
  const std::string target = dir.Write("target.bas", "old");
  errno = 0;
  EXPECT_LT(os::CreateExclusive(target), 0);
  EXPECT_EQ(errno, EEXIST);

  const std::string fresh = dir / "fresh.tmp";
  const int fd = os::CreateExclusive(fresh);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(os::Write(fd, "new", 3), 3);
  EXPECT_TRUE(os::Close(fd));
  ASSERT_TRUE(os::ReplaceFile(fresh, target));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(target, bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_FALSE(FileExists(fresh));

  EXPECT_TRUE(os::RemoveFile(target));
  EXPECT_FALSE(FileExists(target));
  EXPECT_FALSE(os::RemoveFile(target));
}

TEST(OsFileTest, ReadingReturnsTheBytesAsTheyAreAndZeroAtTheEnd) {
  test::TempDir dir;
  const std::string path = dir.Write("crlf.bas", std::string("A\r\nB\n\x1a", 6));
  const int fd = os::OpenForReading(path, true);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(os::MakeBlocking(fd));
  char buffer[16];
  EXPECT_EQ(os::Read(fd, buffer, sizeof buffer), 6);
  EXPECT_EQ(std::string(buffer, 6), std::string("A\r\nB\n\x1a", 6));
  EXPECT_EQ(os::Read(fd, buffer, sizeof buffer), 0);
  EXPECT_TRUE(os::Close(fd));
}

TEST(OsFileTest, ListingNamesEveryEntryButDotsWithTheKindItKnows) {
  test::TempDir dir;
  dir.Write("one.bas", "1");
  dir.Write("Two.FRM", "2");
  fs::create_directories(dir / "sub");
  std::vector<os::TDirectoryEntry> entries;
  ASSERT_TRUE(os::ListDirectory(dir / "", entries));
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, "Two.FRM");
  EXPECT_EQ(entries[1].Name, "one.bas");
  EXPECT_EQ(entries[2].Name, "sub");
  // A listing may not know the kind (Other): then it never claims a wrong one.
  EXPECT_NE(entries[1].Kind, os::TFileKind::Directory);
  EXPECT_NE(entries[2].Kind, os::TFileKind::Regular);
  EXPECT_FALSE(os::ListDirectory(dir / "missing", entries));
}

TEST(OsPathTest, DrivePathsNameNothingHereAndAreKnownAsSuch) {
  EXPECT_FALSE(os::NamesIgnoreCase());
  EXPECT_FALSE(os::DrivePathsExist());
  const std::string native = NativePath("C:\\LIB\\UTIL.BAS");
  EXPECT_EQ(native, std::string(os::NowhereRoot()) + "/C:/LIB/UTIL.BAS");
  EXPECT_TRUE(IsNowherePath(native));
  EXPECT_FALSE(IsNowherePath(os::NowhereRoot()));
  EXPECT_FALSE(IsNowherePath("/dev/nullx/C:"));
  EXPECT_FALSE(IsNowherePath("/home/me/C:/x"));
}

}  // namespace
}  // namespace qm

namespace qm::os {
namespace {

struct DecodeRow {
  const char* Name;
  std::string Encoding;
  std::string Bytes;
  std::string Utf8;
};

class TextDecoderTest : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(TextDecoderTest, GivesUtf8) {
  const TTextDecoder decoder(GetParam().Encoding);
  ASSERT_TRUE(decoder.Ok());
  EXPECT_EQ(decoder.ToUtf8(GetParam().Bytes), GetParam().Utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextDecoderTest,
    ::testing::Values(DecodeRow{"ShiftJis", "shift_jis", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},
                      DecodeRow{"Cp932", "CP932", "A\x82\xA0", "A\xE3\x81\x82"},
                      DecodeRow{"Windows1251", "windows-1251", "\xC4\xE0", "\xD0\x94\xD0\xB0"},
                      DecodeRow{"EmptyText", "CP932", "", ""},
                      DecodeRow{"LoneLeadByteAtTheEnd", "CP932", "ab\x82", "ab\xEF\xBF\xBD"},
                      DecodeRow{"InvalidUtf8GoesOn", "UTF-8", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
                      DecodeRow{"LongTextPastOneBuffer", "CP932", std::string(3000, 'x'), std::string(3000, 'x')}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TextDecoderTest, UnknownNameIsNotOk) { EXPECT_FALSE(TTextDecoder("no-such-encoding").Ok()); }

}  // namespace
}  // namespace qm::os
