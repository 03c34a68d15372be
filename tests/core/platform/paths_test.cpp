// SPDX-License-Identifier: MIT
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "row_name.h"
#include "temp_dir.h"

namespace qm {
namespace {

// Paths relative to a directory tree holding differently cased names.
struct LookupRow {
  const char* name;
  const char* asked;     // Windows-style, relative to the tree
  const char* expected;  // native, relative to the tree
};

class NativePathLookupTest : public ::testing::TestWithParam<LookupRow> {
 protected:
  void SetUp() override {
    dir_.Write("main.frm", "x");
    dir_.Write("forms/About.FRM", "x");
    dir_.Write("Lib/Deep/Util.bas", "x");
    dir_.Write("STYLED/keep", "x");
  }
  test::TempDir dir_;
};

TEST_P(NativePathLookupTest, FindsExistingComponentsIgnoringCase) {
  EXPECT_EQ(NativePath(dir_.Dir() + GetParam().asked), dir_.Dir() + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NativePathLookupTest,
    ::testing::Values(
        LookupRow{"ExactName", "main.frm", "main.frm"},
        LookupRow{"UpperCaseFile", "MAIN.FRM", "main.frm"},
        LookupRow{"SubdirectoryWithBackslash", "Forms\\About.frm", "forms/About.FRM"},
        LookupRow{"DeepMixedSeparators", "LIB/deep\\UTIL.BAS", "Lib/Deep/Util.bas"},
        LookupRow{"DotComponent", ".\\styled\\KEEP", "STYLED/keep"},
        LookupRow{"DoubledSeparators", "forms\\\\about.frm", "forms/About.FRM"},
        LookupRow{"TrailingSeparatorKept", ".\\Styled\\", "STYLED/"},
        LookupRow{"DotDotComponent", "forms\\..\\MAIN.FRM", "forms/../main.frm"},
        LookupRow{"MissingFileKeepsAskedSpelling", "forms\\New.FRM", "forms/New.FRM"},
        LookupRow{"MissingDirectoryKeepsRest", "NoSuch\\Main.FRM", "NoSuch/Main.FRM"},
        LookupRow{"FileUsedAsDirectory", "MAIN.FRM\\x", "main.frm/x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NativePathTest, CaseChoiceIsDeterministicAmongSeveralMatches) {
  test::TempDir dir;
  dir.Write("b/Util.BAS", "1");
  dir.Write("b/util.bas", "2");
  EXPECT_EQ(NativePath(dir.Dir() + "b\\UTIL.bas"), dir.Dir() + "b/Util.BAS");
}

TEST(NativePathTest, NothingIsCachedBetweenCalls) {
  test::TempDir dir;
  EXPECT_EQ(NativePath(dir.Dir() + "MAIN.FRM"), dir.Dir() + "MAIN.FRM");
  dir.Write("main.frm", "x");
  EXPECT_EQ(NativePath(dir.Dir() + "MAIN.FRM"), dir.Dir() + "main.frm");
}

class WindowsOnlyPathTest : public ::testing::TestWithParam<const char*> {};

// Drive letters and server shares name nothing here: the translation lies below /dev/null, which
// no one can create anything under, and never climbs out of it.
TEST_P(WindowsOnlyPathTest, TranslatesBelowDevNull) {
  std::string native = NativePath(GetParam());
  EXPECT_EQ(native.rfind("/dev/null/", 0), 0u) << native;
  EXPECT_EQ(native.find("/.."), std::string::npos) << native;
  EXPECT_FALSE(FileExists(GetParam()));
  EXPECT_FALSE(DirectoryExists(GetParam()));
  EXPECT_FALSE(ForceDirectories(GetParam()));
  EXPECT_EQ(FileSizeOf(GetParam()), -1);
}

TEST(NativePathTest, DriveLetterPathStaysRecognisable) {
  EXPECT_EQ(NativePath("C:\\LIB\\UTIL.BAS"), "/dev/null/C:/LIB/UTIL.BAS");
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowsOnlyPathTest,
                         ::testing::Values("C:\\LIB\\UTIL.BAS", "c:/tmp", "C:\\..\\..\\etc\\passwd",
                                           "/tmp/C:\\LIB\\UTIL.BAS", "D:\\OUT\\", "C:FOO.BAS",
                                           "\\\\server\\share\\x.bas"),
    test::RowName());

struct NameRow {
  const char* path;
  const char* fileName;
  const char* ext;
  const char* filePath;
  const char* changedToFrx;
};

class FileNamePartsTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(FileNamePartsTest, SplitsWindowsAndNativePaths) {
  const NameRow& row = GetParam();
  EXPECT_EQ(ExtractFileName(row.path), row.fileName);
  EXPECT_EQ(ExtractFileExt(row.path), row.ext);
  EXPECT_EQ(ExtractFilePath(row.path), row.filePath);
  EXPECT_EQ(ChangeFileExt(row.path, ".FRX"), row.changedToFrx);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FileNamePartsTest,
    ::testing::Values(
        NameRow{"MAIN.FRM", "MAIN.FRM", ".FRM", "", "MAIN.FRX"},
        NameRow{"C:\\LIB\\UTIL.BAS", "UTIL.BAS", ".BAS", "C:\\LIB\\", "C:\\LIB\\UTIL.FRX"},
        NameRow{"/p/Forms\\About.frm", "About.frm", ".frm", "/p/Forms\\", "/p/Forms\\About.FRX"},
        NameRow{"C:FOO.BAS", "FOO.BAS", ".BAS", "", "C:FOO.FRX"},
        NameRow{"dir.d\\README", "README", "", "dir.d\\", "dir.d\\README.FRX"},
        NameRow{"a.b.c", "a.b.c", ".c", "", "a.b.FRX"},
        NameRow{".\\STYLED\\", "", "", ".\\STYLED\\", ".\\STYLED\\.FRX"},
        NameRow{"", "", "", "", ".FRX"}),
    test::RowName(&NameRow::path));

TEST(PathsTest, IncludeTrailingSeparator) {
  EXPECT_EQ(IncludeTrailingSeparator("C:\\P"), "C:\\P\\");
  EXPECT_EQ(IncludeTrailingSeparator("/p"), "/p/");
  EXPECT_EQ(IncludeTrailingSeparator("/p/"), "/p/");
  EXPECT_EQ(IncludeTrailingSeparator("C:\\P\\"), "C:\\P\\");
  EXPECT_EQ(IncludeTrailingSeparator(""), "");  // never the root directory
}

TEST(PathsTest, UpperCaseAndSameTextTouchOnlyAscii) {
  EXPECT_EQ(UpperCase("Dim caf\xE9 As x1"), "DIM CAF\xE9 AS X1");
  EXPECT_TRUE(SameTextIgnoringCase("Main.Frm", "MAIN.FRM"));
  EXPECT_FALSE(SameTextIgnoringCase("caf\xE9", "CAF\xC9"));
  EXPECT_FALSE(SameTextIgnoringCase("MAIN", "MAIN."));
  EXPECT_FALSE(SameTextIgnoringCase("[", "{"));  // differ by the case bit, but are no letters
}

TEST(PathsTest, ExistenceAndSize) {
  test::TempDir dir;
  dir.Write("Sub/Main.frm", "12345");
  dir.Write("empty.bas", "");
  EXPECT_TRUE(FileExists(dir.Dir() + "SUB\\MAIN.FRM"));
  EXPECT_FALSE(FileExists(dir.Dir() + "sub"));
  EXPECT_TRUE(DirectoryExists(dir.Dir() + "sub\\"));
  EXPECT_FALSE(DirectoryExists(dir.Dir() + "Sub/Main.frm"));
  EXPECT_EQ(FileSizeOf(dir.Dir() + "sub\\main.FRM"), 5);
  EXPECT_EQ(FileSizeOf(dir.Dir() + "EMPTY.BAS"), 0);
  EXPECT_EQ(FileSizeOf(dir.Dir() + "missing.bas"), -1);
  EXPECT_EQ(FileSizeOf(dir.Dir() + "Sub"), -1);
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
}

TEST(PathsTest, ForceDirectoriesCreatesEveryParent) {
  test::TempDir dir;
  dir.Write("Proj/main.frm", "x");
  // The existing Proj is found whatever its case; the new parts get the spelling asked for.
  EXPECT_TRUE(ForceDirectories(dir.Dir() + "PROJ\\.\\STYLED\\Sub\\"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Dir() + "Proj/STYLED/Sub"));
  EXPECT_FALSE(std::filesystem::exists(dir.Dir() + "PROJ"));
  EXPECT_TRUE(ForceDirectories(dir.Dir() + "proj\\styled"));  // exists already

  EXPECT_FALSE(ForceDirectories(dir.Dir() + "Proj/main.frm/x"));  // below a file
  EXPECT_FALSE(ForceDirectories("zz"));                           // too short to create
  EXPECT_FALSE(std::filesystem::exists("zz"));
}

TEST(PathsTest, ListFilesGivesOrdinaryFilesSorted) {
  test::TempDir dir;
  dir.Write("b.bas", "");
  dir.Write("A.FRM", "");
  dir.Write("a.frx", "");
  dir.Write("C.cls", "");
  dir.Write("Sub/inner.bas", "");
  std::filesystem::create_symlink(dir.Dir() + "Sub", dir.Dir() + "linkdir");
  const std::vector<std::string> expected = {"A.FRM", "a.frx", "b.bas", "C.cls"};
  EXPECT_EQ(ListFiles(dir.Dir()), expected);
  EXPECT_EQ(ListFiles(dir.Dir() + "SUB\\"), std::vector<std::string>{"inner.bas"});
  EXPECT_TRUE(ListFiles(dir.Dir() + "missing").empty());
}

}  // namespace
}  // namespace qm
