// SPDX-License-Identifier: MIT
// Settings and template files: only regular files of a few megabytes are read, so that a named
// pipe cannot block the program and a device cannot fill its memory.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/linefile.h"
#include "platform/profile.h"
#include "temp_dir.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

struct SmallFileRow {
  const char* name;
  std::string path;  // "TMP/" stands for the temporary directory
  bool read;
  std::string bytes;
  std::string reason;
};
void PrintTo(const SmallFileRow& row, std::ostream* os) { *os << row.name; }

class ReadSmallFileTest : public ::testing::TestWithParam<SmallFileRow> {
 protected:
  void SetUp() override {
    dir.Write("ok.ini", "[a]\r\nb=1\r\n");
    dir.Write("empty.ini", "");
    dir.Write("big.ini", std::string(17, 'x'));
    dir.Write("limit.ini", std::string(16, 'x'));
    fs::create_directories(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  }
  test::TempDir dir;
};

TEST_P(ReadSmallFileTest, ReadsOnlyRegularFilesUpToTheLimit) {
  std::string path = GetParam().path;
  if (path.rfind("TMP/", 0) == 0) path = dir / path.substr(4);
  std::string bytes = "stale", reason;
  EXPECT_EQ(ReadSmallFile(path, bytes, &reason, 16), GetParam().read);
  EXPECT_EQ(bytes, GetParam().bytes);
  if (!GetParam().read) {
    EXPECT_EQ(reason, GetParam().reason);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadSmallFileTest,
    ::testing::Values(SmallFileRow{"Regular", "TMP/ok.ini", true, "[a]\r\nb=1\r\n", ""},
                      SmallFileRow{"Empty", "TMP/empty.ini", true, "", ""},
                      SmallFileRow{"TooLarge", "TMP/big.ini", false, "", "is too large"},
                      SmallFileRow{"AtTheLimit", "TMP/limit.ini", true, std::string(16, 'x'), ""},
                      // Files that announce no size are read as far as they go, up to the limit.
                      SmallFileRow{"UnannouncedSize", "/proc/sys/kernel/ostype", true, "Linux\n", ""},
                      SmallFileRow{"UnannouncedSizeTooLarge", "/proc/self/mountinfo", false, "", "is too large"},
                      SmallFileRow{"Directory", "TMP/folder", false, "", "is a directory"},
                      SmallFileRow{"NamedPipe", "TMP/fifo", false, "", "is not a regular file"},
                      SmallFileRow{"EndlessDevice", "/dev/zero", false, "", "is not a regular file"},
                      SmallFileRow{"Missing", "TMP/none.ini", false, "", "No such file or directory"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileOnSpecialFiles, ReadsGiveTheDefaultAndWritesLeaveThemAlone) {
  test::TempDir dir;
  const std::string fifo = dir / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = dir.Write("big.ini", "[S]\r\nK=from the file\r\n" + std::string(kSmallFileMax, ';'));
  for (const std::string& file : {fifo, big, std::string("/dev/zero")}) {
    EXPECT_EQ(GetPrivateProfileString("S", "K", "default", file), "default") << file;
  }
  EXPECT_FALSE(WritePrivateProfileString("S", "K", "v", fifo));
  EXPECT_FALSE(WritePrivateProfileString("S", "K", "v", big));
  EXPECT_EQ(fs::file_size(big), 22 + kSmallFileMax);
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(ReplaceFileBytes, ReplacesALinkWhereWriteFileBytesWritesThroughIt) {
  test::TempDir dir;
  const std::string target = dir.Write("target.txt", "old");
  fs::create_symlink(target, dir / "through.txt");
  fs::create_symlink(target, dir / "replaced.txt");
  ASSERT_TRUE(WriteFileBytes(dir / "through.txt", "written through"));
  EXPECT_EQ(dir.Read("target.txt"), "written through");
  ASSERT_TRUE(ReplaceFileBytes(dir / "replaced.txt", "new"));
  EXPECT_FALSE(fs::is_symlink(dir / "replaced.txt"));
  EXPECT_EQ(dir.Read("replaced.txt"), "new");
  EXPECT_EQ(dir.Read("target.txt"), "written through");
}

}  // namespace
}  // namespace qm
