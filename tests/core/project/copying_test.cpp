// SPDX-License-Identifier: MIT
#include "project/copying.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "fake_ui.h"
#include "file_limit.h"
#include "messages.h"
#include "platform/paths.h"
#include "row_name.h"
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

TEST(CopyVBPEntries, CopiesEveryFileDirectlyIntoTheOutputDirectoryUnderItsBareName) {
  TempDir dir;
  dir.Write("P/Forms/About.frm", "VERSION 4.00\r\n");
  dir.Write("P/Forms/About.frx", "bin");
  dir.Write("P/Lib/UTILS.BAS", "'u\r\n");
  dir.Write("P/Module1.bas", "'m\r\n");
  fs::create_directories(dir / "OUT");
  FakeProgress progress;
  TLines lines = {"Type=Exe", "Form=Forms\\About.frm", "Module=Utils; Lib\\UTILS.BAS", "Module=Module1; Module1.bas",
                  "Form=", "Module=X; Y"};
  ASSERT_TRUE(CopyVBPEntries(lines, dir / "P/", dir / "OUT/", progress));
  EXPECT_EQ(dir.Read("OUT/About.frm"), "VERSION 4.00\r\n");
  // The companion keeps the spelling it has on disk, which is the name the form refers to.
  EXPECT_EQ(dir.Read("OUT/About.frx"), "bin");
  EXPECT_EQ(dir.Read("OUT/UTILS.BAS"), "'u\r\n");
  EXPECT_EQ(dir.Read("OUT/Module1.bas"), "'m\r\n");
  EXPECT_EQ(ListFiles(dir / "OUT/"), (std::vector<std::string>{"About.frm", "About.frx", "Module1.bas", "UTILS.BAS"}));
  EXPECT_FALSE(Exists(dir / "OUT/Forms"));
  EXPECT_FALSE(Exists(dir / "OUT/Lib"));
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

// A project folder that was once an output directory: its lock and manifest are not copied, and
// no other file may take their names in the output directory.
TEST(CopyDirectoryFiles, LeavesTheOutputDirectorysRecordsBehind) {
  TempDir dir;
  dir.Write("P/A.BAS", "'a\r\n");
  dir.Write("P/.quillmate.manifest", "# quillmate output manifest 1\n");
  dir.Write("P/.quillmate.lock", "1\n");
  fs::create_directories(dir / "OUT");
  FakeProgress progress;
  TCopyStep step(dir / "OUT/");
  ASSERT_TRUE(CopyDirectoryFiles(dir / "P/", dir / "OUT/", progress, &step));
  EXPECT_EQ(ListFiles(dir / "OUT"), std::vector<std::string>{"A.BAS"});
  EXPECT_TRUE(step.Failures().empty());
  std::string native, reason;
  EXPECT_FALSE(step.Destination(".QUILLMATE.MANIFEST", native, &reason));
  EXPECT_EQ(reason, "the name is taken by the output directory's own records");
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
                                           LocalizeRow{"", ""}),
    test::RowName(&LocalizeRow::line));

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
                      LocalizeRow{"Form=M\xC4RZ\\\xE9t\xE9.frm", "Form=\xE9t\xE9.frm"}),
    test::RowName(&LocalizeRow::line));

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

namespace qm {
namespace {

// --- The copy step: every copy lands in the output directory under its bare name -------------

enum class TOperation { Mak, Vbp, VbpThenDirectory };

struct StepRow {
  const char* name;
  TOperation operation;
  // Files below the temporary directory; a content beginning with "->" makes a symbolic link to
  // the rest (a path below the temporary directory), "=>" a hard link.
  std::vector<std::pair<std::string, std::string>> files;
  // Project lines; "TMP/" stands for the temporary directory.
  TLines lines;
  std::map<std::string, std::string> expected;  // every file of the output directory, by name
  std::vector<std::string> failed;              // names of the failed copies
  std::size_t collisions;
};
void PrintTo(const StepRow& row, std::ostream* os) { *os << row.name; }

class CopyStepTest : public ::testing::TestWithParam<StepRow> {};

// The project lives in d/proj, the output directory in o/p/out (so that climbing out of either
// stays below the temporary directory, where the test can see every file).
TEST_P(CopyStepTest, CopiesFlatIntoTheOutputDirectoryAndNowhereElse) {
  const StepRow& row = GetParam();
  TempDir dir;
  fs::create_directories(dir / "d/proj");
  fs::create_directories(dir / "o/p/out");
  for (const auto& [path, content] : row.files) {
    fs::create_directories(fs::path(dir / path).parent_path());
    if (content.rfind("->", 0) == 0) {
      fs::create_symlink(dir / content.substr(2), dir / path);
    } else if (content.rfind("=>", 0) == 0) {
      fs::create_hard_link(dir / content.substr(2), dir / path);
    } else {
      dir.Write(path, content);
    }
  }
  TLines lines = row.lines;
  for (std::string& line : lines) {
    if (std::size_t at = line.find("TMP/"); at != std::string::npos) line.replace(at, 4, dir.Dir());
  }
  // Every regular file outside the output directory, before the copy.
  auto outside = [&] {
    std::map<std::string, std::string> state;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Dir())) {
      const std::string path = entry.path().string();
      if (path.find("/o/p/out/") == std::string::npos && entry.is_regular_file()) state[path] = dir.Read(fs::relative(path, dir.Dir()).string());
    }
    return state;
  };
  const auto before = outside();

  const std::string projectDir = dir / "d/proj/", outputDir = dir / "o/p/out/";
  FakeProgress progress;
  TCopyStep step(outputDir);
  if (row.operation == TOperation::Mak) {
    ASSERT_TRUE(CopyMAKEntries(lines, projectDir, outputDir, progress, &step));
  } else {
    ASSERT_TRUE(CopyVBPEntries(lines, projectDir, outputDir, progress, &step));
  }
  if (row.operation == TOperation::VbpThenDirectory) {
    ASSERT_TRUE(CopyDirectoryFiles(projectDir, outputDir, progress, &step));
  }

  std::map<std::string, std::string> copied;
  for (const auto& entry : fs::directory_iterator(outputDir)) {
    const std::string name = entry.path().filename().string();
    copied[name] = entry.is_symlink() ? "(link)" : dir.Read("o/p/out/" + name);
  }
  EXPECT_EQ(copied, row.expected);
  std::vector<std::string> failed;
  for (const TCopyFailure& f : step.Failures()) failed.push_back(f.Name);
  EXPECT_EQ(failed, row.failed);
  EXPECT_EQ(step.Collisions().size(), row.collisions);
  EXPECT_EQ(outside(), before) << "no file outside the output directory is written";
}

const std::string kOwn = "Sub MyOwnWork()\r\n    x = 1\r\nEnd Sub\r\n";
const std::string kParent = "Sub FromParent()\r\nEnd Sub\r\n";

INSTANTIATE_TEST_SUITE_P(
    Entries, CopyStepTest,
    ::testing::Values(
        StepRow{"VbpEntryOfTheParentFolder", TOperation::Vbp,
                {{"d/A.BAS", kParent}, {"d/proj/A.BAS", kOwn}},
                {"Module=A; A.BAS", "Module=A2; ..\\A.BAS"},
                {{"A.BAS", kOwn}}, {}, 1},
        StepRow{"MakEntryOfTheParentFolder", TOperation::Mak,
                {{"d/A.BAS", kParent}, {"d/proj/A.BAS", kOwn}},
                {"A.BAS", "..\\A.BAS"},
                {{"A.BAS", kOwn}}, {}, 1},
        StepRow{"ParentEntryAloneIsCopiedFlat", TOperation::Mak,
                {{"d/A.BAS", kParent}, {"d/proj/B.BAS", kOwn}},
                {"B.BAS", "..\\A.BAS"},
                {{"A.BAS", kParent}, {"B.BAS", kOwn}}, {}, 0},
        StepRow{"TwoLevelsUp", TOperation::Vbp,
                {{"X.BAS", "'x"}},
                {"Module=X; ..\\..\\X.BAS"},
                {{"X.BAS", "'x"}}, {}, 0},
        StepRow{"SubfoldersTheOutputLacks", TOperation::Vbp,
                {{"d/proj/Forms/F.frm", "VERSION 5.00"}, {"d/proj/Forms/F.frx", "bin"}, {"d/proj/Modules/M.bas", "'m"}},
                {"Form=Forms\\F.frm", "Module=M; Modules\\M.bas"},
                {{"F.frm", "VERSION 5.00"}, {"F.frx", "bin"}, {"M.bas", "'m"}}, {}, 0},
        StepRow{"CompanionOfAFormInTheParentFolder", TOperation::Mak,
                {{"d/MAIN.FRM", "VERSION 2.00"}, {"d/MAIN.FRX", "frx"}},
                {"..\\MAIN.FRM"},
                {{"MAIN.FRM", "VERSION 2.00"}, {"MAIN.FRX", "frx"}}, {}, 0},
        StepRow{"AbsolutePath", TOperation::Mak,
                {{"lib/UTIL.BAS", "'u"}},
                {"TMP/lib/UTIL.BAS", "C:\\LIB\\OTHER.BAS"},
                {{"UTIL.BAS", "'u"}}, {}, 0},
        StepRow{"FolderBehindASymbolicLink", TOperation::Vbp,
                {{"shared/L.BAS", "'l"}, {"d/proj/linked", "->shared"}},
                {"Module=L; linked\\L.BAS"},
                {{"L.BAS", "'l"}}, {}, 0},
        StepRow{"LinkInTheOutputIsReplacedNotFollowed", TOperation::Vbp,
                {{"d/proj/A.BAS", kOwn}, {"d/proj/B.BAS", "'b"}, {"o/p/out/B.BAS", "->d/proj/A.BAS"}},
                {"Module=B; B.BAS"},
                {{"B.BAS", "'b"}}, {}, 0},
        StepRow{"HardLinkToAProjectFileIsNeverWritten", TOperation::Vbp,
                {{"d/proj/A.BAS", kOwn}, {"d/proj/B.BAS", "'b"}, {"o/p/out/B.BAS", "=>d/proj/A.BAS"}},
                {"Module=A; A.BAS", "Module=B; B.BAS"},
                {{"A.BAS", kOwn}, {"B.BAS", kOwn}}, {"B.BAS"}, 0},
        StepRow{"EntryAndDirectoryFileOfOneName", TOperation::VbpThenDirectory,
                {{"d/proj/Sub/A.BAS", "'sub"}, {"d/proj/A.BAS", "'top"}, {"d/proj/P.VBP", "Module=A; Sub\\A.BAS"}},
                {"Module=A; Sub\\A.BAS"},
                {{"A.BAS", "'sub"}, {"P.VBP", "Module=A; Sub\\A.BAS"}}, {}, 1},
        StepRow{"EntriesAlsoInTheDirectoryAreCopiedOnce", TOperation::VbpThenDirectory,
                {{"d/proj/A.BAS", "'a"}, {"d/proj/a.frx", "x"}},
                {"Module=A; A.BAS", "Module=A; a.bas"},
                {{"A.BAS", "'a"}, {"a.frx", "x"}}, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct DestinationRow {
  const char* name;
  std::string file;
  bool allowed;
  const char* reason;
};
void PrintTo(const DestinationRow& row, std::ostream* os) { *os << row.name; }

class CopyStepDestination : public ::testing::TestWithParam<DestinationRow> {};

TEST_P(CopyStepDestination, AllowsOnlyPlainNamesThatAreNoFileOfTheProject) {
  TempDir dir;
  const std::string source = dir.Write("P/A.BAS", "'a");
  fs::create_directories(dir / "OUT");
  ASSERT_EQ(::link(source.c_str(), (dir / "OUT/LINKED.BAS").c_str()), 0);
  TCopyStep step(dir / "OUT/");
  step.Protect(source);
  std::string native, reason;
  EXPECT_EQ(step.Destination(GetParam().file, native, &reason), GetParam().allowed);
  if (GetParam().allowed) {
    EXPECT_EQ(native, dir / "OUT/" + GetParam().file);
  } else {
    EXPECT_EQ(reason, GetParam().reason);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, CopyStepDestination,
    ::testing::Values(DestinationRow{"PlainName", "B.BAS", true, ""},
                      DestinationRow{"Parent", "..", false, "its name is not a plain file name"},
                      DestinationRow{"Dot", ".", false, "its name is not a plain file name"},
                      DestinationRow{"Empty", "", false, "its name is not a plain file name"},
                      DestinationRow{"Subfolder", "sub/B.BAS", false, "its name is not a plain file name"},
                      DestinationRow{"WindowsParent", "..\\B.BAS", false, "its name is not a plain file name"},
                      DestinationRow{"Drive", "C:B.BAS", false, "its name is not a plain file name"},
                      DestinationRow{"HardLinkOfAProjectFile", "LINKED.BAS", false, "it is a file of the project"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CopyStep, AMissingOutputDirectoryAllowsNothing) {
  TempDir dir;
  TCopyStep step(dir / "NONE/");
  std::string native, reason;
  EXPECT_FALSE(step.Destination("A.BAS", native, &reason));
  EXPECT_EQ(reason, "the output directory does not exist");
}

TEST(CopyStep, ACopyCutShortByAFullDiskIsNamedAndLeavesNoPartialFile) {
  TempDir dir;
  dir.Write("P/MAIN.FRM", "VERSION 2.00\r\n");
  dir.Write("P/MAIN.FRX", std::string(64 * 1024, 'x'));
  fs::create_directories(dir / "OUT");
  FakeProgress progress;
  TCopyStep step(dir / "OUT/");
  {
    test::TFileSizeLimit limit(16 * 1024);
    ASSERT_TRUE(CopyMAKEntries({"MAIN.FRM"}, dir / "P/", dir / "OUT/", progress, &step));
  }
  ASSERT_EQ(step.Failures().size(), 1u);
  EXPECT_EQ(step.Failures()[0].Name, "MAIN.FRX");
  EXPECT_EQ(step.Failures()[0].Source, dir / "P/MAIN.FRX");
  EXPECT_EQ(step.Failures()[0].Reason, std::strerror(EFBIG));
  EXPECT_EQ(dir.Read("OUT/MAIN.FRM"), "VERSION 2.00\r\n");
  EXPECT_FALSE(Exists(dir / "OUT/MAIN.FRX"));
}

TEST(LocalizeFiles, ASymbolicLinkIsNotFollowed) {
  TempDir dir;
  const std::string original = dir.Write("P/P.VBP", "Form=Forms\\About.frm\r\n");
  fs::create_directories(dir / "OUT");
  fs::create_symlink(original, dir / "OUT/P.VBP");
  EXPECT_FALSE(LocalizeVBPFile(dir / "OUT/P.VBP"));
  EXPECT_EQ(dir.Read("P/P.VBP"), "Form=Forms\\About.frm\r\n");
}

}  // namespace
}  // namespace qm
