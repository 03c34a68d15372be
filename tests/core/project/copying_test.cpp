#include "project/copying.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "messages.h"
#include "temp_dir.h"

namespace qm {
namespace {

using test::FakeProgress;
using test::FakePrompts;
using test::TempDir;
namespace fs = std::filesystem;

bool Exists(const std::string& path) { return fs::exists(path); }

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

void SetMTime(const std::string& path, time_t seconds, long nanos) {
  const struct timespec times[2] = {{seconds, nanos}, {seconds, nanos}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::vector<std::string> Labels(std::initializer_list<const char*> names) {
  std::vector<std::string> labels;
  for (const char* n : names) labels.push_back(msg::Format(msg::BackingUpFile, n));
  return labels;
}

TEST(CopyMAKEntries, CopiesEveryEntryWithItsCompanionAndReportsEachLine) {
  TempDir dir;
  dir.Write("P/MAIN.FRM", "VERSION 2.00\r\n");
  dir.Write("P/MAIN.FRX", std::string("\x00\x01\xFF", 3));
  dir.Write("P/GLOBAL.BAS", "Global G\r\n");
  fs::create_directories(dir / "P/STYLED");
  const std::string projectDir = dir / "P/";
  const std::string outputDir = projectDir + ".\\STYLED\\";
  FakeProgress progress;
  TLines lines = {"MAIN.FRM", "GLOBAL.BAS", "ProjWinSize=152,402,248,215"};
  ASSERT_TRUE(CopyMAKEntries(lines, projectDir, outputDir, progress));

  EXPECT_EQ(dir.Read("P/STYLED/MAIN.FRM"), "VERSION 2.00\r\n");
  EXPECT_EQ(dir.Read("P/STYLED/MAIN.FRX"), std::string("\x00\x01\xFF", 3));
  EXPECT_EQ(dir.Read("P/STYLED/GLOBAL.BAS"), "Global G\r\n");
  EXPECT_FALSE(Exists(dir / "P/STYLED/GLOBAL.FRX"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "P/STYLED"), fs::directory_iterator()), 3);

  EXPECT_EQ(progress.labels, Labels({"MAIN.FRM", "GLOBAL.BAS", "ProjWinSize=152,402,248,215"}));
  EXPECT_EQ(progress.min, 0);
  EXPECT_EQ(progress.max, 2);
  EXPECT_EQ(progress.position, 2);
  EXPECT_EQ(progress.shows, 1);
  EXPECT_FALSE(progress.visible);
}

struct MissingDirRow {
  const char* name;
  bool projectExists;
  bool outputExists;
};
void PrintTo(const MissingDirRow& row, std::ostream* os) { *os << row.name; }

class CopyWithMissingDirectory : public ::testing::TestWithParam<MissingDirRow> {};

TEST_P(CopyWithMissingDirectory, ReturnsFalseWithoutShowingOrCopying) {
  TempDir dir;
  dir.Write("P/A.BAS", "'a\r\n");
  if (!GetParam().projectExists) fs::remove_all(dir / "P");
  if (GetParam().outputExists) fs::create_directories(dir / "OUT");
  const std::string projectDir = dir / "P/", outputDir = dir / "OUT/";
  FakeProgress progress;
  EXPECT_FALSE(CopyMAKEntries({"A.BAS"}, projectDir, outputDir, progress));
  EXPECT_FALSE(CopyVBPEntries({"Module=A; A.BAS"}, projectDir, outputDir, progress));
  EXPECT_FALSE(CopyDirectoryFiles({"A.BAS"}, projectDir, outputDir, progress));
  EXPECT_FALSE(CopyDirectoryFiles(projectDir, outputDir, progress));
  EXPECT_EQ(progress.shows, 0);
  EXPECT_TRUE(progress.labels.empty());
  EXPECT_FALSE(Exists(dir / "OUT/A.BAS"));
}

INSTANTIATE_TEST_SUITE_P(Rows, CopyWithMissingDirectory,
                         ::testing::Values(MissingDirRow{"NoOutput", true, false},
                                           MissingDirRow{"NoProject", false, true},
                                           MissingDirRow{"Neither", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyVBPEntries, CopiesNamedFilesToTheSameRelativePath) {
  TempDir dir;
  dir.Write("P/Forms/About.frm", "VERSION 4.00\r\n");
  dir.Write("P/Forms/About.frx", "bin");
  dir.Write("P/Lib/UTILS.BAS", "'u\r\n");
  dir.Write("P/Module1.bas", "'m\r\n");
  fs::create_directories(dir / "OUT/Forms");  // Lib is missing there
  FakeProgress progress;
  TLines lines = {"Type=Exe", "Form=Forms\\About.frm", "Module=Utils; Lib\\UTILS.BAS", "Module=Module1; Module1.bas",
                  "Form=", "Module=X; Y"};
  ASSERT_TRUE(CopyVBPEntries(lines, dir / "P/", dir / "OUT/", progress));
  EXPECT_EQ(dir.Read("OUT/Forms/About.frm"), "VERSION 4.00\r\n");
  // The companion keeps the spelling it has on disk, which is the name the form refers to.
  EXPECT_EQ(dir.Read("OUT/Forms/About.frx"), "bin");
  EXPECT_FALSE(Exists(dir / "OUT/Forms/About.FRX"));
  EXPECT_FALSE(Exists(dir / "OUT/Lib"));  // a missing subdirectory fails silently
  EXPECT_EQ(dir.Read("OUT/Module1.bas"), "'m\r\n");
  // Lines whose name is shorter than two characters are skipped without a label.
  EXPECT_EQ(progress.labels, Labels({"Forms\\About.frm", "Lib\\UTILS.BAS", "Module1.bas"}));
  EXPECT_EQ(progress.max, 5);
  EXPECT_EQ(progress.position, 5);
  EXPECT_FALSE(progress.visible);
}

TEST(CopyDirectoryFiles, CopiesTheOrdinaryFilesOfTheDirectory) {
  TempDir dir;
  dir.Write("P/A.BAS", "'a\r\n");
  dir.Write("P/b.frm", "VERSION\r\n");
  dir.Write("P/b.frx", "x");
  dir.Write("P/sub/C.BAS", "'c\r\n");
  fs::create_directories(dir / "OUT");
  FakeProgress progress;
  ASSERT_TRUE(CopyDirectoryFiles(dir / "P/", dir / "OUT/", progress));
  EXPECT_EQ(dir.Read("OUT/A.BAS"), "'a\r\n");
  EXPECT_EQ(dir.Read("OUT/b.frm"), "VERSION\r\n");
  EXPECT_EQ(dir.Read("OUT/b.frx"), "x");
  EXPECT_FALSE(Exists(dir / "OUT/sub"));
  EXPECT_EQ(progress.labels.size(), 3u);
  EXPECT_EQ(progress.max, 2);
}

TEST(CopyOntoItself, AnOutputDirectoryThatIsTheProjectDirectoryCopiesNothing) {
  TempDir dir;
  const std::string body = "VERSION 2.00\r\nBegin Form F\r\nEnd\r\n";
  dir.Write("P/MAIN.FRM", body);
  dir.Write("P/MAIN.FRX", "frx");
  const std::string projectDir = dir / "P/";
  for (const std::string& outputDir : {projectDir, projectDir + ".\\", projectDir + "./", dir / "P//"}) {
    FakeProgress progress;
    ASSERT_TRUE(CopyMAKEntries({"MAIN.FRM"}, projectDir, outputDir, progress)) << outputDir;
    ASSERT_TRUE(CopyDirectoryFiles(projectDir, outputDir, progress)) << outputDir;
    EXPECT_EQ(dir.Read("P/MAIN.FRM"), body) << outputDir;
    EXPECT_EQ(dir.Read("P/MAIN.FRX"), "frx") << outputDir;
  }
}

struct CopyFileRow {
  const char* name;
  std::string source;       // relative to the temporary directory
  std::string destination;  // likewise
};
void PrintTo(const CopyFileRow& row, std::ostream* os) { *os << row.name; }

class CopyFileRefusesSameFile : public ::testing::TestWithParam<CopyFileRow> {};

TEST_P(CopyFileRefusesSameFile, LeavesTheSourceIntact) {
  TempDir dir;
  const std::string body = "Sub Main ()\r\nEnd Sub\r\n";
  dir.Write("P/A.BAS", body);
  fs::create_symlink(dir / "P/A.BAS", dir / "P/LINK.BAS");
  ASSERT_EQ(::link((dir / "P/A.BAS").c_str(), (dir / "P/HARD.BAS").c_str()), 0);
  const std::string src = dir / GetParam().source, dst = dir / GetParam().destination;
  EXPECT_FALSE(CopyFileAsNew(src, dst));
  EXPECT_FALSE(CopyFileExact(src, dst));
  EXPECT_EQ(dir.Read("P/A.BAS"), body);
}

INSTANTIATE_TEST_SUITE_P(Spellings, CopyFileRefusesSameFile,
                         ::testing::Values(CopyFileRow{"EqualStrings", "P/A.BAS", "P/A.BAS"},
                                           CopyFileRow{"DoubledSeparator", "P/A.BAS", "P//A.BAS"},
                                           CopyFileRow{"DotDirectory", "P/A.BAS", "P/./A.BAS"},
                                           CopyFileRow{"Backslash", "P/A.BAS", "P\\A.BAS"},
                                           CopyFileRow{"OtherCase", "P/A.BAS", "P/a.bas"},
                                           CopyFileRow{"SymbolicLink", "P/A.BAS", "P/LINK.BAS"},
                                           CopyFileRow{"HardLink", "P/A.BAS", "P/HARD.BAS"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyFileAsNew, ReadOnlySourceGivesAWritableCopyDatedNow) {
  TempDir dir;
  const std::string src = dir.Write("A.BAS", "'a\r\n");
  SetMTime(src, 1000000000, 0);
  ASSERT_EQ(::chmod(src.c_str(), 0444), 0);
  ASSERT_TRUE(CopyFileAsNew(src, dir / "B.BAS"));
  struct stat st = StatOf(dir / "B.BAS");
  EXPECT_TRUE(st.st_mode & S_IWUSR);
  EXPECT_GT(st.st_mtime, 1000000000 + 86400);
  EXPECT_EQ(dir.Read("B.BAS"), "'a\r\n");
  EXPECT_EQ(StatOf(src).st_mode & 0777, 0444u);
}

TEST(CopyFileAsNew, ReplacesAnExistingFileEvenAReadOnlyOne) {
  TempDir dir;
  const std::string src = dir.Write("A.BAS", "new");
  const std::string dst = dir.Write("B.BAS", "an older and longer text");
  ASSERT_EQ(::chmod(dst.c_str(), 0444), 0);
  ASSERT_TRUE(CopyFileAsNew(src, dst));
  EXPECT_EQ(dir.Read("B.BAS"), "new");
  EXPECT_TRUE(StatOf(dst).st_mode & S_IWUSR);
}

TEST(CopyFileAsNew, ALinkAtTheDestinationIsReplacedNotWrittenThrough) {
  TempDir dir;
  const std::string src = dir.Write("A.BAS", "new");
  const std::string other = dir.Write("OTHER.BAS", "keep");
  fs::create_symlink(other, dir / "B.BAS");
  ASSERT_TRUE(CopyFileAsNew(src, dir / "B.BAS"));
  EXPECT_EQ(dir.Read("B.BAS"), "new");
  EXPECT_EQ(dir.Read("OTHER.BAS"), "keep");
}

TEST(CopyFileAsNew, CopiesLargeFilesByteForByte) {
  TempDir dir;
  std::string big(3 * 1024 * 1024 + 17, '\0');
  std::mt19937 random(7);
  for (char& c : big) c = static_cast<char>(random());
  const std::string src = dir.Write("BIG.FRX", big);
  ASSERT_TRUE(CopyFileAsNew(src, dir / "COPY.FRX"));
  EXPECT_EQ(dir.Read("COPY.FRX"), big);
  ASSERT_TRUE(CopyFileAsNew(dir.Write("EMPTY.BAS", ""), dir / "EMPTY2.BAS"));
  EXPECT_TRUE(Exists(dir / "EMPTY2.BAS"));
  EXPECT_EQ(dir.Read("EMPTY2.BAS"), "");
}

TEST(CopyFileAsNew, FailsQuietlyOnWhatCannotBeCopied) {
  TempDir dir;
  dir.Write("sub/x", "x");
  const std::string src = dir.Write("A.BAS", "'a");
  EXPECT_FALSE(CopyFileAsNew(dir / "MISSING.BAS", dir / "B.BAS"));
  EXPECT_FALSE(Exists(dir / "B.BAS"));
  EXPECT_FALSE(CopyFileAsNew(dir / "sub", dir / "B.BAS"));
  EXPECT_FALSE(CopyFileAsNew(src, dir / "sub"));
  EXPECT_FALSE(CopyFileAsNew(src, dir / "nodir/B.BAS"));
  EXPECT_FALSE(CopyFileAsNew(src, "C:\\OUT\\B.BAS"));
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(CopyFileAsNew(dir / "fifo", dir / "B.BAS"));
  EXPECT_EQ(dir.Read("A.BAS"), "'a");
}

TEST(CopyFileExact, KeepsTheSourcesTimeAndPermissionBits) {
  TempDir dir;
  const std::string src = dir.Write("P.MAK", "MAIN.FRM\r\n");
  SetMTime(src, 946684800, 123456789);
  ASSERT_EQ(::chmod(src.c_str(), 0440), 0);
  dir.Write("OUT/P.MAK", "older");
  ASSERT_TRUE(CopyFileExact(src, dir / "OUT/P.MAK"));
  struct stat st = StatOf(dir / "OUT/P.MAK");
  EXPECT_EQ(st.st_mtim.tv_sec, 946684800);
  EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
  EXPECT_EQ(st.st_mode & 0777, 0440u);
  EXPECT_EQ(dir.Read("OUT/P.MAK"), "MAIN.FRM\r\n");
}

struct LocalizeRow {
  std::string line;
  std::string expected;
};

class LocalizeMAK : public ::testing::TestWithParam<LocalizeRow> {};
TEST_P(LocalizeMAK, RewritesEntriesToBareNames) {
  EXPECT_EQ(LocalizeMAKLine(GetParam().line), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Lines, LocalizeMAK,
                         ::testing::Values(LocalizeRow{"C:\\VB\\GRID.VBX", "C:\\VB\\GRID.VBX"},
                                           LocalizeRow{"C:\\WINDOWS\\SYSTEM\\THREED.vbx", "C:\\WINDOWS\\SYSTEM\\THREED.vbx"},
                                           LocalizeRow{"C:\\LIB\\UTIL.BAS", "UTIL.BAS"},
                                           LocalizeRow{"FORMS\\MAIN.FRM", "MAIN.FRM"},
                                           LocalizeRow{"C:\\WIN\\X.DLL", "C:\\WIN\\X.DLL"},
                                           LocalizeRow{"C:\\WIN\\X.ocx", "C:\\WIN\\X.ocx"},
                                           LocalizeRow{"ProjWinSize=152,402,248,215", "ProjWinSize=152,402,248,215"},
                                           LocalizeRow{"IconForm=\"C:\\A\\B\"", "IconForm=\"C:\\A\\B\""},
                                           LocalizeRow{"MAIN.FRM", "MAIN.FRM"},
                                           LocalizeRow{"/home/u/lib/UTIL.BAS", "UTIL.BAS"},
                                           LocalizeRow{"", ""}));

class LocalizeVBP : public ::testing::TestWithParam<LocalizeRow> {};
TEST_P(LocalizeVBP, RewritesEntriesToBareNames) {
  EXPECT_EQ(LocalizeVBPLine(GetParam().line), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Lines, LocalizeVBP,
    ::testing::Values(LocalizeRow{"Form=Forms\\About.frm", "Form=About.frm"},
                      LocalizeRow{"Form = Forms\\About.frm ", "Form =About.frm"},
                      LocalizeRow{"Module=Utils; Lib\\UTILS.BAS", "Module=Utils; UTILS.BAS"},
                      LocalizeRow{"Module=Utils;Lib\\UTILS.BAS", "Module=Utils; UTILS.BAS"},
                      LocalizeRow{"Class=CFoo;   C:\\Cls\\Foo.cls  ", "Class=CFoo; Foo.cls"},
                      LocalizeRow{"Module=NoSeparator", "Module=NoSeparator"},
                      LocalizeRow{"form=Forms\\x.frm", "form=Forms\\x.frm"},
                      LocalizeRow{"Object={F9043C88}#1.0#0; C:\\W\\COMDLG32.OCX", "Object={F9043C88}#1.0#0; C:\\W\\COMDLG32.OCX"},
                      LocalizeRow{"Reference=*\\G{0}#2.0#0#C:\\W\\STDOLE2.TLB#OLE", "Reference=*\\G{0}#2.0#0#C:\\W\\STDOLE2.TLB#OLE"},
                      LocalizeRow{"Form=M\xC4RZ\\\xE9t\xE9.frm", "Form=\xE9t\xE9.frm"}));

TEST(LocalizeFiles, RewriteTheCopiedProjectFileInPlace) {
  TempDir dir;
  const std::string mak = dir.Write("P.MAK", "C:\\LIB\\UTIL.BAS\r\nC:\\VB\\GRID.VBX\r\nProjWinSize=1,2\r\nM\xC4IN.FRM\r\n");
  ASSERT_EQ(::chmod(mak.c_str(), 0444), 0);
  ASSERT_TRUE(LocalizeMAKFile(mak));
  EXPECT_EQ(dir.Read("P.MAK"), "UTIL.BAS\r\nC:\\VB\\GRID.VBX\r\nProjWinSize=1,2\r\nM\xC4IN.FRM\r\n");
  EXPECT_EQ(StatOf(mak).st_mode & 0777, 0444u);

  const std::string vbp = dir.Write("P.VBP", "Type=Exe\nForm=Forms\\About.frm\nModule=Utils; Lib\\UTILS.BAS\n");
  ASSERT_TRUE(LocalizeVBPFile(vbp));
  EXPECT_EQ(dir.Read("P.VBP"), "Type=Exe\r\nForm=About.frm\r\nModule=Utils; UTILS.BAS\r\n");
}

TEST(LocalizeFiles, AMissingFileGivesFalse) {
  TempDir dir;
  EXPECT_FALSE(LocalizeMAKFile(dir / "NONE.MAK"));
  EXPECT_FALSE(LocalizeVBPFile(dir / "NONE.VBP"));
  EXPECT_FALSE(Exists(dir / "NONE.MAK"));
}

TEST(DeleteFiles, DeletesTheOrdinaryFilesUnderTheBusyCursor) {
  TempDir dir;
  dir.Write("OUT/A.BAS", "a");
  dir.Write("OUT/B.FRM", "b");
  dir.Write("OUT/sub/C.BAS", "c");
  FakePrompts prompts;
  EXPECT_TRUE(DeleteFiles(dir / "OUT/", prompts));
  EXPECT_FALSE(Exists(dir / "OUT/A.BAS"));
  EXPECT_FALSE(Exists(dir / "OUT/B.FRM"));
  EXPECT_TRUE(Exists(dir / "OUT/sub/C.BAS"));
  EXPECT_EQ(prompts.Busy(), 0);
}

TEST(DeleteFiles, ReportsAFileThatCouldNotBeDeletedAndGoesOn) {
  TempDir dir;
  dir.Write("OUT/A.BAS", "a");
  dir.Write("OUT/C.BAS", "c");
  FakePrompts prompts;
  EXPECT_FALSE(DeleteFiles({"A.BAS", "GONE.BAS", "C.BAS"}, dir / "OUT/", prompts));
  EXPECT_FALSE(Exists(dir / "OUT/A.BAS"));
  EXPECT_FALSE(Exists(dir / "OUT/C.BAS"));
  EXPECT_TRUE(DeleteFiles({}, dir / "OUT/", prompts));
  EXPECT_FALSE(DeleteFiles("", prompts));
}

}  // namespace
}  // namespace qm
