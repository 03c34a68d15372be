// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "engine/run.h"
#include "engine/run.h"
#include "fake_ui.h"
#include "file_limit.h"
#include "messages.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/outputfolder.h"
#include "project/sourcemgt.h"
#include "row_name.h"
#include "settings/catalogue.h"
#include "temp_dir.h"
#include "engine/preview.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::FakePrompts;
using test::FakeProgress;
using test::RecordedPrompt;
using test::TempDir;

// Bytes and modification time of every file below a directory (the output directory excluded).
struct TFileState {
  std::string Bytes;
  fs::file_time_type Time;
  friend bool operator==(const TFileState&, const TFileState&) = default;
};
using TTreeState = std::map<std::string, TFileState>;

TTreeState Snapshot(const std::string& dir, const std::string& skip = "STYLED") {
  TTreeState state;
  for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
    if (it->is_directory() && it->path().filename() == skip) {
      it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file()) continue;
    std::string bytes;
    ReadFileBytes(it->path().string(), bytes);
    state[fs::relative(it->path(), dir).string()] = {bytes, fs::last_write_time(it->path())};
  }
  return state;
}

// The files of a directory, without the output directory's own records (the manifest).
std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> files = ListFiles(dir);
  std::erase_if(files, [](const std::string& name) { return IsOutputRecordName(name); });
  return files;
}

std::string Fill(std::string_view text, const std::string& value) { return msg::Format(text, value); }

class FakePreview : public IPreview {
 public:
  bool ShowPreview(const std::string& caption, const TLines& before, const TMarkedList& after) override {
    captions.push_back(caption);
    beforeSizes.push_back(before.size());
    afterSizes.push_back(after.size());
    return cancelAt != static_cast<int>(captions.size());
  }
  std::vector<std::string> captions;
  std::vector<std::size_t> beforeSizes, afterSizes;
  int cancelAt = 0;  // 1-based call that presses Cancel; 0 never
};

// A processing window whose Cancel is pressed when a given label is shown.
class CancellingProgress : public FakeProgress {
 public:
  void SetLabel(const std::string& text) override {
    FakeProgress::SetLabel(text);
    if (text == cancelOn && cancel) cancel->Request();
  }
  void SetCancelToken(TCancelToken* token) override { cancel = token; }
  std::string cancelOn;
  TCancelToken* cancel = nullptr;
};

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override { settings.SetBool(SettingKey::PreviewBeforeSaving, false); }

  // Copies an example project below the temporary directory and opens it.
  void OpenExample(const std::string& example, const std::string& projectFile) {
    fs::copy(fs::path(EXAMPLES_DIR) / example, fs::path(tmp.Dir()) / example, fs::copy_options::recursive);
    Open(tmp.Dir() + example + "/" + projectFile);
  }
  void Open(const std::string& path) {
    ASSERT_EQ(project.ReadProjectFile(path, prompts), TReadOutcome::Read);
    projectDir = project.ProjectDir;
  }
  // A run over the project with the settings as they stand now.
  TProcessingRun& Runner(IPreview* preview = nullptr, unsigned workers = 1) {
    run = std::make_unique<TProcessingRun>(TEngineServices{settings, prompts, processing, copying, preview}, &project,
                                           workers);
    return *run;
  }
  void Run(IPreview* preview = nullptr) { Runner(preview).Process(); }
  const TRunReport& Report() const { return run->Report(); }
  std::string Styled() const { return projectDir + "STYLED/"; }
  void OnlyNewFiles() { settings.SetBool(SettingKey::BackupOnlyNewFiles, true); }

  TempDir tmp;
  TSettings settings;
  FakePrompts prompts;
  CancellingProgress processing;
  FakeProgress copying;
  TSourceMgt project;
  std::unique_ptr<TProcessingRun> run;
  std::string projectDir;
};

// --- Whole runs of the example projects ------------------------------------------------------

enum class TCopyMode { OnlyNew, MakFiles, AllFiles };

struct ExampleCase {
  const char* Label;
  const char* Example;
  const char* ProjectFile;
  TCopyMode Mode;
  bool Log;
};

class ExampleRunTest : public RunTest, public ::testing::WithParamInterface<ExampleCase> {};

TEST_P(ExampleRunTest, RestylesEverySelectedFileIntoTheOutputDirectory) {
  const ExampleCase& c = GetParam();
  OpenExample(c.Example, c.ProjectFile);
  settings.SetBool(SettingKey::BackupOnlyNewFiles, c.Mode == TCopyMode::OnlyNew);
  settings.SetBool(SettingKey::BackupMAKFiles, c.Mode == TCopyMode::MakFiles);
  settings.SetBool(SettingKey::BackupAllFiles, c.Mode == TCopyMode::AllFiles);
  settings.SetBool(SettingKey::CreateLog, c.Log);
  const TTreeState before = Snapshot(projectDir);
  const std::vector<std::string> projectFiles = FilesIn(projectDir);

  Run();

  ASSERT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_EQ(Report().OutputDir, projectDir + ".\\STYLED\\");
  const std::vector<RFile*> items = project.Items();
  ASSERT_EQ(Report().Files.size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const RFile& item = *items[i];
    const TRunFileReport& file = Report().Files[i];
    SCOPED_TRACE(item.Name);
    EXPECT_TRUE(item.Processed);
    EXPECT_FALSE(item.Loaded) << "lines are freed after each file";
    EXPECT_EQ(item.OutputPath, projectDir + ".\\STYLED\\" + item.Name);
    EXPECT_TRUE(file.Saved);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(Styled() + item.Name, bytes));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(SplitLines(bytes).size(), static_cast<std::size_t>(file.LinesWritten));
    EXPECT_EQ(file.LinesRead, item.LineCount);
    EXPECT_EQ(bytes.find('\t'), std::string::npos) << "tabs are expanded";
    for (const char* pass : {" (Pass 1)", " (Pass 2)"}) {
      EXPECT_NE(std::find(processing.labels.begin(), processing.labels.end(), item.Name + pass), processing.labels.end());
    }
  }
  EXPECT_EQ(processing.shows, 1);
  EXPECT_FALSE(processing.visible);
  // The run holds nothing of any file once it is over.
  for (const RFile* item : project.Items()) EXPECT_FALSE(item->Loaded) << item->Name;

  const std::string projectName = c.ProjectFile;
  const bool copies = c.Mode != TCopyMode::OnlyNew;
  EXPECT_EQ(FileExists(Styled() + projectName), copies);
  if (copies) {
    // The copy names its sources directly in the output directory.
    TLines copied;
    ASSERT_TRUE(ReadLineFile(Styled() + projectName, copied));
    for (const std::string& line : copied) {
      if (IsVBPEntry(line) || (project.VBVersion < 4 && IsMAKEntry(line) && !IsAbsoluteEntry(line))) {
        EXPECT_EQ(line.find('\\'), std::string::npos) << line;
      }
    }
  }
  if (c.Mode == TCopyMode::AllFiles) {
    for (const std::string& name : projectFiles) EXPECT_TRUE(FileExists(Styled() + name)) << name;
  }
  if (c.Mode == TCopyMode::OnlyNew) {
    std::size_t expected = items.size() + (c.Log ? 1 : 0);
    EXPECT_EQ(FilesIn(Styled()).size(), expected);
  }

  EXPECT_EQ(FileExists(Styled() + "VBQUILL3.LOG"), c.Log);
  if (c.Log) {
    std::string log;
    ASSERT_TRUE(ReadFileBytes(Styled() + "VBQUILL3.LOG", log));
    TLines lines = SplitLines(log);
    ASSERT_EQ(lines.size(), 2 * items.size() + 2);
    EXPECT_EQ(lines.front().rfind("*** Project processing started at: ", 0), 0u);
    EXPECT_EQ(lines.back().rfind("*** Project processing completed at: ", 0), 0u);
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(lines[1 + 2 * i], "+++ Processing file: " + items[i]->Name);
      EXPECT_EQ(lines[2 + 2 * i], "--- End of file: " + items[i]->Name);
    }
    EXPECT_EQ(log.find("\n"), log.find("\r\n") + 1) << "lines end in CR LF";
  }

  EXPECT_EQ(Snapshot(projectDir), before) << "input files keep their bytes and dates";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExampleRunTest,
    ::testing::Values(ExampleCase{"Vb4OnlyNew", "vb4", "Inventory.vbp", TCopyMode::OnlyNew, false},
                      ExampleCase{"Vb4MakFilesLog", "vb4", "Inventory.vbp", TCopyMode::MakFiles, true},
                      ExampleCase{"Vb4AllFiles", "vb4", "Inventory.vbp", TCopyMode::AllFiles, false},
                      ExampleCase{"Vb3OnlyNewLog", "vb3", "LEDGER.MAK", TCopyMode::OnlyNew, true},
                      ExampleCase{"Vb3MakFiles", "vb3", "LEDGER.MAK", TCopyMode::MakFiles, false},
                      ExampleCase{"Vb3AllFilesLog", "vb3", "LEDGER.MAK", TCopyMode::AllFiles, true}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST_F(RunTest, CopiesFormCompanionsWithTheProjectFiles) {
  OpenExample("vb3", "LEDGER.MAK");
  Run();
  std::string frx, copied;
  ASSERT_TRUE(ReadFileBytes(projectDir + "LEDGER.FRX", frx));
  ASSERT_TRUE(ReadFileBytes(Styled() + "LEDGER.FRX", copied));
  EXPECT_EQ(copied, frx);
}

TEST_F(RunTest, UnselectedFilesAreNeitherFormattedNorLogged) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);
  project.Items()[1]->Selected = false;  // GLOBAL.BAS
  Run();
  EXPECT_FALSE(FileExists(Styled() + "GLOBAL.BAS"));
  EXPECT_FALSE(project.Items()[1]->Processed);
  EXPECT_TRUE(FileExists(Styled() + "REPORT.BAS"));
  std::string log;
  ASSERT_TRUE(ReadFileBytes(Styled() + "VBQUILL3.LOG", log));
  EXPECT_EQ(log.find("GLOBAL.BAS"), std::string::npos);
  ASSERT_EQ(Report().Files.size(), 2u);
}

struct PassCase {
  const char* Label;
  const char* Source;
  std::vector<std::string> Labels;
};

class PassLabelTest : public RunTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(PassLabelTest, ThirdPassOnlyWhenTheSecondChangedSomething) {
  tmp.Write("p/MAIN.BAS", GetParam().Source);
  tmp.Write("p/P.MAK", "MAIN.BAS\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  OnlyNewFiles();
  Run();
  EXPECT_EQ(processing.labels, GetParam().Labels);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PassLabelTest,
    ::testing::Values(PassCase{"NothingForPassTwo", "Option Explicit\r\n\r\nSub Main ()\r\nEnd Sub\r\n",
                               {"MAIN.BAS (Pass 1)", "MAIN.BAS (Pass 2)"}},
                      PassCase{"AlignedInPassTwo",
                               "Option Explicit\r\nDim a As Integer\r\nDim bcd As String\r\n\r\nSub Main ()\r\nEnd Sub\r\n",
                               {"MAIN.BAS (Pass 1)", "MAIN.BAS (Pass 2)", "MAIN.BAS (Pass 3)"}}),
    [](const auto& info) { return std::string(info.param.Label); });

// --- The output directory ---------------------------------------------------------------------

struct ResolveCase {
  const char* ProjectDir;
  const char* Setting;
  const char* Expected;
};

class ResolveOutputTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveOutputTest, ResolvesTheSettingAgainstTheProjectDirectory) {
  EXPECT_EQ(ResolveOutputDirectory(GetParam().ProjectDir, GetParam().Setting), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, ResolveOutputTest,
                         ::testing::Values(ResolveCase{"C:\\VB\\PROJ\\", ".\\STYLED\\", "C:\\VB\\PROJ\\.\\STYLED\\"},
                                           ResolveCase{"C:\\VB\\PROJ\\", "D:\\OUT\\", "D:\\OUT\\"},
                                           ResolveCase{"/p/", "OUT:1", "OUT:1"},
                                           ResolveCase{"/p/", "/abs/out", "/abs/out"},
                                           ResolveCase{"/p/", "out\\sub", "/p/out\\sub"},
                                           ResolveCase{"/p/", "", "/p/"}),
    test::RowName(&ResolveCase::Setting));

TEST_F(RunTest, SettingWithoutTrailingSeparatorStillSeparatesDirectoryAndName) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);
  const std::string out = tmp.Dir() + "elsewhere/deeper";
  settings.SetText(SettingKey::BackupNewCodeDirectory, out);
  Run();
  ASSERT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_TRUE(FileExists(out + "/LEDGER.FRM"));
  EXPECT_TRUE(FileExists(out + "/VBQUILL3.LOG"));
  EXPECT_EQ(project.Items()[0]->OutputPath, out + "/LEDGER.FRM");
  EXPECT_FALSE(FileExists(tmp.Dir() + "elsewhere/deeperLEDGER.FRM"));
}

TEST_F(RunTest, RelativeSettingWithBackslashesMakesEveryMissingDirectory) {
  OpenExample("vb3", "LEDGER.MAK");
  settings.SetText(SettingKey::BackupNewCodeDirectory, "out\\one\\two\\");
  Run();
  ASSERT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_TRUE(FileExists(projectDir + "out/one/two/REPORT.BAS"));
  EXPECT_TRUE(FileExists(projectDir + "out/one/two/LEDGER.MAK"));
}

TEST_F(RunTest, OutputDirectoryThatCannotBeMadeAbortsBeforeAnything) {
  OpenExample("vb3", "LEDGER.MAK");
  tmp.Write("blocker", "a file where a directory should be");
  settings.SetText(SettingKey::BackupNewCodeDirectory, tmp.Dir() + "blocker/out/");
  settings.SetBool(SettingKey::CreateLog, true);
  Run();
  prompts.ExpectMessage(TMsgKind::Error, "Unable to create backup...  Operation aborted...");
  EXPECT_EQ(Report().Outcome, TRunOutcome::NoOutputDir);
  EXPECT_EQ(processing.shows, 0);
  for (RFile* item : project.Items()) EXPECT_FALSE(item->Processed);
}

// An output directory that is the project's own, or holds any of its source files, would put
// restyled files over their sources: the run refuses before it copies or writes anything.
struct GuardCase {
  const char* Label;
  const char* Setting;  // relative to the project directory unless it starts with '/'
  bool Refused;
};

class OutputGuardTest : public RunTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(OutputGuardTest, RefusesAnOutputDirectoryHoldingSources) {
  OpenExample("vb4", "Inventory.vbp");
  settings.SetBool(SettingKey::BackupAllFiles, true);
  settings.SetBool(SettingKey::CreateLog, true);
  // A link to the project directory and a spelling of it with "." and doubled separators.
  fs::create_directory_symlink(projectDir, tmp.Dir() + "link");
  std::string setting = GetParam().Setting;
  const std::size_t at = setting.find("TMP/");
  if (at != std::string::npos) setting.replace(at, 4, tmp.Dir());
  settings.SetText(SettingKey::BackupNewCodeDirectory, setting);
  const TTreeState before = Snapshot(tmp.Dir(), "");

  Run();

  if (!GetParam().Refused) {
    EXPECT_EQ(Report().Outcome, TRunOutcome::Completed);
    return;
  }
  RecordedPrompt shown = prompts.Take();
  EXPECT_EQ(shown.Kind, TMsgKind::Error);
  EXPECT_NE(shown.Text.find("holds source files of the project"), std::string::npos) << shown.Text;
  EXPECT_NE(shown.Text.find(DisplayPath(IncludeTrailingSeparator(ResolveOutputDirectory(projectDir, setting)))),
            std::string::npos)
      << shown.Text;
  EXPECT_EQ(Report().Outcome, TRunOutcome::Refused);
  EXPECT_EQ(processing.shows, 0);
  EXPECT_EQ(copying.shows, 0);
  for (RFile* item : project.Items()) EXPECT_FALSE(item->Processed);
  EXPECT_EQ(Snapshot(tmp.Dir(), ""), before) << "nothing is created or changed";
}

INSTANTIATE_TEST_SUITE_P(
    Directories, OutputGuardTest,
    ::testing::Values(GuardCase{"EmptySetting", "", true}, GuardCase{"Dot", ".\\", true},
                      GuardCase{"DotWithoutSeparator", ".", true},
                      GuardCase{"SubdirectoryOfAForm", "Forms\\", true},
                      GuardCase{"SubdirectoryOtherCase", "FORMS\\", true},
                      GuardCase{"ModulesThroughParent", "Forms\\..\\Modules", true},
                      GuardCase{"AbsoluteDoubledSeparators", "TMP///vb4//./", true},
                      GuardCase{"SymbolicLink", "TMP/link/", true},
                      GuardCase{"SubdirectoryWithoutSources", "STYLED\\", false},
                      GuardCase{"Sibling", "TMP/vb4-out/", false}),
    [](const auto& info) { return std::string(info.param.Label); });

// --- Files of one name -----------------------------------------------------------------------

TEST_F(RunTest, SecondFileOfTheSameNameIsSkippedWithAWarning) {
  tmp.Write("p/A/UTIL.BAS", "Sub FromA ()\r\nEnd Sub\r\n");
  tmp.Write("p/B/util.bas", "Sub FromB ()\r\nEnd Sub\r\n");
  tmp.Write("p/MAIN.BAS", "Sub Main ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "A\\UTIL.BAS\r\nB\\util.bas\r\nMAIN.BAS\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);

  Run();

  const std::string first = projectDir + "A\\UTIL.BAS", second = projectDir + "B\\util.bas";
  prompts.ExpectMessage(TMsgKind::Warning,
                        "These selected files have the same file name and would overwrite each other in the "
                        "output directory: " +
                            // the message names both as native paths
                            projectDir + "A/UTIL.BAS and " + projectDir + "B/util.bas" +
                            ".  Only the first of each is processed; the others are skipped.");
  ASSERT_EQ(Report().Outcome, TRunOutcome::Completed);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(Styled() + "UTIL.BAS", bytes));
  EXPECT_NE(bytes.find("FromA"), std::string::npos);
  EXPECT_EQ(FilesIn(Styled()), (std::vector<std::string>{"MAIN.BAS", "UTIL.BAS", "VBQUILL3.LOG"}));

  const std::vector<RFile*> items = project.Items();
  EXPECT_TRUE(items[0]->Processed);
  EXPECT_FALSE(items[1]->Processed);
  EXPECT_TRUE(items[1]->OutputPath.empty());
  EXPECT_TRUE(items[2]->Processed);
  ASSERT_EQ(Report().Files.size(), 3u);
  EXPECT_EQ(Report().Files[1].SkippedFor, first);
  EXPECT_FALSE(Report().Files[1].Saved);

  std::string log;
  ASSERT_TRUE(ReadFileBytes(Styled() + "VBQUILL3.LOG", log));
  EXPECT_NE(log.find("\r\n!!! Skipped file: util.bas (same file name as " + first + ")\r\n"), std::string::npos) << log;
}

// What a run writes, reports and says, to compare runs (the log's time stamps left out).
struct TRunResult {
  std::map<std::string, std::string> Written;
  std::vector<std::string> Report;
  std::vector<std::string> Messages;
  friend bool operator==(const TRunResult&, const TRunResult&) = default;
};

// With its passes and checks on other threads, a run writes, reports and says exactly what it
// does on one, file for file and in project order: here with a long file ahead of short ones, two
// files of one name, a file not selected and the log.
TEST_F(RunTest, ARunOnSeveralThreadsDoesWhatItDoesOnOne) {
  std::string big = "Sub Big ()\r\n";
  for (int i = 0; i < 3000; ++i) big += "If i > " + std::to_string(i) + " Then x = i: y = 2 ' note\r\n";
  big += "End Sub\r\n";
  tmp.Write("p/BIG.BAS", big);
  tmp.Write("p/A/UTIL.BAS", "Sub FromA ()\r\nDim a, b As Integer\r\nEnd Sub\r\n");
  tmp.Write("p/B/util.bas", "Sub FromB ()\r\nEnd Sub\r\n");
  tmp.Write("p/OFF.BAS", "Sub Off ()\r\nEnd Sub\r\n");
  std::string mak = "BIG.BAS\r\nA\\UTIL.BAS\r\nB\\util.bas\r\nOFF.BAS\r\n";
  for (int i = 0; i < 12; ++i) {
    tmp.Write("p/M" + std::to_string(i) + ".BAS", "Sub M ()\r\nIf a Then b: c\r\nEnd Sub\r\n");
    mak += "M" + std::to_string(i) + ".BAS\r\n";
  }
  tmp.Write("p/P.MAK", mak);
  Open(tmp.Dir() + "p/P.MAK");
  settings.SetBool(SettingKey::CreateLog, true);
  settings.SetBool(SettingKey::BackupAllFiles, true);

  const auto run = [&](unsigned workers) {
    for (RFile* item : project.Items()) item->Selected = item->Name != "OFF.BAS";
    fs::remove_all(Styled());
    Runner(nullptr, workers).Process();
    TRunResult result;
    for (const std::string& name : FilesIn(Styled())) {
      std::string bytes;
      ReadFileBytes(Styled() + name, bytes);
      if (name == "VBQUILL3.LOG") {
        TLines lines = SplitLines(bytes);
        bytes.clear();
        for (const std::string& line : lines) {
          if (!line.starts_with("***")) bytes += line + "\n";
        }
      }
      result.Written[name] = bytes;
    }
    for (const TRunFileReport& file : Report().Files) {
      result.Report.push_back(file.Name + " " + std::to_string(file.LinesRead) + " " +
                              std::to_string(file.LinesWritten) + " " + std::to_string(file.LinesChanged) + " " +
                              (file.Saved ? "saved " : "not saved ") + file.OutputPath + file.SkippedFor);
    }
    while (!prompts.Empty()) result.Messages.push_back(prompts.Take().Text);
    for (RFile* item : project.Items()) {
      result.Report.push_back(item->Name + (item->Processed ? " processed" : "") + (item->Loaded ? " loaded" : ""));
    }
    return result;
  };

  const TRunResult one = run(1);
  const TRunResult several = run(3);
  ASSERT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_EQ(several, one);
  EXPECT_EQ(one.Written.size(), 17u) << "the files, the project, the log";
  EXPECT_EQ(one.Messages.size(), 2u) << "the warnings about the files of one name, for the run and the copy";
}

TEST_F(RunTest, FilesOfOneNameAreNoCollisionWhenOneIsNotSelected) {
  tmp.Write("p/A/UTIL.BAS", "Sub FromA ()\r\nEnd Sub\r\n");
  tmp.Write("p/B/util.bas", "Sub FromB ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "A\\UTIL.BAS\r\nB\\util.bas\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  project.Items()[0]->Selected = false;
  EXPECT_TRUE(FindNameCollisions(project).empty());
  OnlyNewFiles();
  Run();
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(Styled() + "util.bas", bytes));
  EXPECT_NE(bytes.find("FromB"), std::string::npos);
}

// --- Entries outside the project folder --------------------------------------------------------

// A project whose second entry names a module of the parent folder that has the same file name
// as its own: neither file may be written, in any copy mode.
struct ClimbCase {
  const char* Label;
  const char* ProjectFile;
  const char* Lines;
  TCopyMode Mode;
};

class ClimbingEntryTest : public RunTest, public ::testing::WithParamInterface<ClimbCase> {};

TEST_P(ClimbingEntryTest, NeverWritesOutsideTheOutputDirectory) {
  const ClimbCase& c = GetParam();
  const std::string parent = "Sub FromParent()\r\nEnd Sub\r\n";
  const std::string own = "Sub MyOwnWork()\r\n    x = 1\r\nEnd Sub\r\n";
  tmp.Write("d/A.BAS", parent);
  tmp.Write("d/proj/A.BAS", own);
  tmp.Write(std::string("d/proj/") + c.ProjectFile, c.Lines);
  Open(tmp.Dir() + "d/proj/" + c.ProjectFile);
  settings.SetBool(SettingKey::BackupOnlyNewFiles, c.Mode == TCopyMode::OnlyNew);
  settings.SetBool(SettingKey::BackupMAKFiles, c.Mode == TCopyMode::MakFiles);
  settings.SetBool(SettingKey::BackupAllFiles, c.Mode == TCopyMode::AllFiles);
  const TTreeState before = Snapshot(tmp.Dir() + "d/");

  Run();

  // The restyled files' collision, and in the copy modes the copies' collision.
  EXPECT_NE(prompts.Take().Text.find("These selected files have the same file name"), std::string::npos);
  if (c.Mode != TCopyMode::OnlyNew) {
    RecordedPrompt copies = prompts.Take();
    EXPECT_EQ(copies.Kind, TMsgKind::Warning);
    EXPECT_EQ(copies.Text, Fill(msg::CopyDuplicateNames, projectDir + "A.BAS and " + projectDir + "..\\A.BAS"));
    EXPECT_EQ(Report().CopyCollisions.size(), 1u);
  }
  ASSERT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_EQ(Snapshot(tmp.Dir() + "d/"), before) << "the project's files and its parent's stay as they were";
  std::string styled;
  ASSERT_TRUE(ReadFileBytes(Styled() + "A.BAS", styled));
  EXPECT_NE(styled.find("MyOwnWork"), std::string::npos);
  std::vector<std::string> expected = {"A.BAS"};
  if (c.Mode != TCopyMode::OnlyNew) expected.push_back(c.ProjectFile);
  EXPECT_EQ(FilesIn(Styled()), expected);
  EXPECT_TRUE(Report().CopyFailures.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Projects, ClimbingEntryTest,
    ::testing::Values(ClimbCase{"VbpOnlyNew", "P.VBP", "Module=A; A.BAS\r\nModule=A2; ..\\A.BAS\r\n", TCopyMode::OnlyNew},
                      ClimbCase{"VbpMakFiles", "P.VBP", "Module=A; A.BAS\r\nModule=A2; ..\\A.BAS\r\n", TCopyMode::MakFiles},
                      ClimbCase{"VbpAllFiles", "P.VBP", "Module=A; A.BAS\r\nModule=A2; ..\\A.BAS\r\n", TCopyMode::AllFiles},
                      ClimbCase{"MakOnlyNew", "P.MAK", "A.BAS\r\n..\\A.BAS\r\n", TCopyMode::OnlyNew},
                      ClimbCase{"MakMakFiles", "P.MAK", "A.BAS\r\n..\\A.BAS\r\n", TCopyMode::MakFiles},
                      ClimbCase{"MakAllFiles", "P.MAK", "A.BAS\r\n..\\A.BAS\r\n", TCopyMode::AllFiles}),
    [](const auto& info) { return std::string(info.param.Label); });

// Links and hard links already in the output directory: the run replaces a link by its file and
// never writes a file of the project that the output directory holds under another name.
TEST_F(RunTest, LinksInTheOutputDirectoryNeverLeadOntoTheProjectsFiles) {
  const std::string a = "Sub A ()\r\nx = 1\r\nEnd Sub\r\n", b = "Sub B ()\r\ny = 2\r\nEnd Sub\r\n";
  tmp.Write("p/A.BAS", a);
  tmp.Write("p/B.BAS", b);
  tmp.Write("p/P.MAK", "A.BAS\r\nB.BAS\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);
  fs::create_directories(Styled());
  fs::create_symlink(projectDir + "A.BAS", Styled() + "A.BAS");
  fs::create_symlink(projectDir + "P.MAK", Styled() + "VBQUILL3.LOG");
  ASSERT_EQ(::link((projectDir + "A.BAS").c_str(), (Styled() + "B.BAS").c_str()), 0);
  const TTreeState before = Snapshot(projectDir);

  Run();

  prompts.ExpectMessage(TMsgKind::Error, "B.BAS: not saved: it is a file of the project");
  EXPECT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_EQ(Snapshot(projectDir), before);
  EXPECT_FALSE(fs::is_symlink(Styled() + "A.BAS"));
  EXPECT_FALSE(fs::is_symlink(Styled() + "VBQUILL3.LOG"));
  std::string styled;
  ASSERT_TRUE(ReadFileBytes(Styled() + "A.BAS", styled));
  EXPECT_NE(styled.find("Sub A ()\r\n    x = 1\r\nEnd Sub\r\n"), std::string::npos) << styled;
  ASSERT_EQ(Report().Files.size(), 2u);
  EXPECT_TRUE(Report().Files[0].Saved);
  EXPECT_FALSE(Report().Files[1].Saved);
  EXPECT_EQ(Report().Files[1].NotSavedReason, "it is a file of the project");
  EXPECT_TRUE(project.Items()[1]->OutputPath.empty());
  EXPECT_FALSE(project.Items()[1]->Processed) << "a file not written has no output to compare with";
}

TEST_F(RunTest, CopiesCutShortByAFullDiskAreNamedInAWarning) {
  tmp.Write("p/MAIN.FRM", "VERSION 2.00\r\nBegin Form F\r\nEnd\r\nSub Form_Load ()\r\nEnd Sub\r\n");
  tmp.Write("p/MAIN.FRX", std::string(64 * 1024, 'x'));
  tmp.Write("p/P.MAK", "MAIN.FRM\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  {
    test::TFileSizeLimit limit(16 * 1024);
    Run();
  }
  prompts.ExpectMessage(TMsgKind::Warning,
                        Fill(msg::CopiesFailed, "MAIN.FRX (" + std::string(std::strerror(EFBIG)) + ")"));
  ASSERT_EQ(Report().CopyFailures.size(), 1u);
  EXPECT_EQ(Report().CopyFailures[0].Source, projectDir + "MAIN.FRX");
  EXPECT_FALSE(FileExists(Styled() + "MAIN.FRX"));
  EXPECT_TRUE(FileExists(Styled() + "MAIN.FRM"));
  EXPECT_TRUE(FileExists(Styled() + "P.MAK"));
}

// --- Cancel and preview -----------------------------------------------------------------------

class CancelTest : public RunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CancelTest, CancelInTheThirdFileKeepsOrDeletesWhatWasWritten) {
  const bool deleteFiles = GetParam();
  OpenExample("vb4", "Inventory.vbp");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);
  const std::vector<RFile*> items = project.Items();
  processing.cancelOn = items[2]->Name + " (Pass 1)";
  prompts.Answer(deleteFiles ? TAnswer::Yes : TAnswer::No);

  // The user's own files in the output directory, and a file an earlier run left there.
  tmp.Write("vb4/STYLED/notes.txt", "my notes");
  tmp.Write("vb4/STYLED/OLD.BAS", "from an earlier run");

  Run();

  RecordedPrompt question = prompts.Take();
  EXPECT_EQ(question.Kind, TMsgKind::Confirmation);
  EXPECT_EQ(question.Buttons, TButtons::YesNoDefaultNo) << "No is the default: Yes cannot be undone";
  // The question says how many files the run wrote and names the directory as a native path.
  EXPECT_EQ(question.Text, "Delete the 3 files this run wrote in " + projectDir +
                               "STYLED/?  Other files there are left as they are.");
  EXPECT_EQ(Report().Outcome, TRunOutcome::Cancelled);
  EXPECT_EQ(Report().OutputDeleted, deleteFiles);
  EXPECT_FALSE(processing.visible);
  EXPECT_EQ(std::count_if(processing.labels.begin(), processing.labels.end(),
                          [&](const std::string& l) { return l.rfind(items[3]->Name, 0) == 0; }),
            0)
      << "no file after the cancelled one is started";
  for (RFile* item : items) EXPECT_FALSE(item->Loaded);

  EXPECT_EQ(tmp.Read("vb4/STYLED/notes.txt"), "my notes");
  EXPECT_EQ(tmp.Read("vb4/STYLED/OLD.BAS"), "from an earlier run");
  if (deleteFiles) {
    EXPECT_EQ(FilesIn(Styled()), (std::vector<std::string>{"notes.txt", "OLD.BAS"}));
    EXPECT_FALSE(FileExists(Styled() + ".quillmate.manifest")) << "it recorded only the deleted files";
    EXPECT_EQ(Report().FilesDeleted, 3u);
    for (RFile* item : items) EXPECT_FALSE(item->Processed);
  } else {
    EXPECT_EQ(FilesIn(Styled()).size(), 5u);  // two files, the log and the user's two
    EXPECT_TRUE(FileExists(Styled() + items[0]->Name));
    EXPECT_TRUE(FileExists(Styled() + items[1]->Name));
    EXPECT_FALSE(FileExists(Styled() + items[2]->Name));
    EXPECT_TRUE(items[0]->Processed);
    EXPECT_TRUE(items[1]->Processed);
    EXPECT_FALSE(items[2]->Processed);
    EXPECT_TRUE(items[2]->OutputPath.empty());
  }
  ASSERT_EQ(Report().Files.size(), 3u);
  EXPECT_FALSE(Report().Files[2].Saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, CancelTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

TEST_F(RunTest, PreviewShowsEveryFileBeforeItIsSaved) {
  OpenExample("vb3", "LEDGER.MAK");
  settings.SetBool(SettingKey::PreviewBeforeSaving, true);
  FakePreview preview;
  Run(&preview);
  EXPECT_EQ(preview.captions,
            (std::vector<std::string>{"File: LEDGER.FRM", "File: GLOBAL.BAS", "File: REPORT.BAS"}));
  ASSERT_EQ(Report().Files.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(preview.beforeSizes[i], static_cast<std::size_t>(Report().Files[i].LinesRead));
    EXPECT_EQ(preview.afterSizes[i], static_cast<std::size_t>(Report().Files[i].LinesWritten));
  }
}

// Cancel in the preview cancels the file shown as well: it is not written.
TEST_F(RunTest, CancelInThePreviewWritesNeitherThatFileNorAnyAfterIt) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::PreviewBeforeSaving, true);
  FakePreview preview;
  preview.cancelAt = 2;
  prompts.Answer(TAnswer::No);

  Run(&preview);

  prompts.ExpectMessage(TMsgKind::Confirmation, "Delete the file this run wrote in " + projectDir +
                                                    "STYLED/?  Other files there are left as they are.");
  EXPECT_EQ(preview.captions, (std::vector<std::string>{"File: LEDGER.FRM", "File: GLOBAL.BAS"}));
  EXPECT_EQ(FilesIn(Styled()), std::vector<std::string>{"LEDGER.FRM"});
  EXPECT_TRUE(project.Items()[0]->Processed);
  EXPECT_FALSE(project.Items()[1]->Processed);
  EXPECT_EQ(Report().Outcome, TRunOutcome::Cancelled);
}

TEST_F(RunTest, CancelBeforeAnyFileWasWrittenAsksNothing) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  processing.cancelOn = "LEDGER.FRM (Pass 1)";
  Run();
  EXPECT_EQ(Report().Outcome, TRunOutcome::Cancelled);
  EXPECT_TRUE(FilesIn(Styled()).empty());
}

// --- The output directory's records: lock and manifest ------------------------------------------

// A second run into an output directory another run holds stops before writing anything.
TEST_F(RunTest, AnOutputDirectoryInUseByAnotherRunIsLeftAlone) {
  OpenExample("vb3", "LEDGER.MAK");
  fs::create_directories(Styled());
  TOutputLock other;
  ASSERT_EQ(other.Acquire(Styled()), TLockResult::Locked);
  const TTreeState before = Snapshot(Styled(), "");

  Run();

  prompts.ExpectMessage(TMsgKind::Error, "The output directory " + Styled() + " is in use by another run (process " +
                                             std::to_string(::getpid()) +
                                             ").  Nothing was written; try again when that run has ended.");
  EXPECT_EQ(Report().Outcome, TRunOutcome::OutputInUse);
  EXPECT_EQ(Snapshot(Styled(), ""), before);
  other.Release();
  Run();
  EXPECT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_FALSE(FileExists(Styled() + ".quillmate.lock")) << "the run lets go of its lock";
}

TEST_F(RunTest, AReadOnlyOutputDirectoryIsReportedAsReadOnly) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  OpenExample("vb3", "LEDGER.MAK");
  fs::create_directories(Styled());
  fs::permissions(Styled(), fs::perms::owner_read | fs::perms::owner_exec);
  Run();
  fs::permissions(Styled(), fs::perms::owner_all);
  prompts.ExpectMessage(TMsgKind::Error,
                        "The output directory " + Styled() + " is read-only (Permission denied).  Nothing was written.");
  EXPECT_EQ(Report().Outcome, TRunOutcome::OutputReadOnly);
  EXPECT_TRUE(FilesIn(Styled()).empty());
}

struct TEditedCase {
  const char* Name;
  TEditedOutput Policy;
  TAnswer Answer;  // to the question, when asked
  bool Replaced;
};

class EditedOutputTest : public RunTest, public ::testing::WithParamInterface<TEditedCase> {};

// A restyled file edited in the output directory after the run wrote it (a commentor save, an
// edit by hand) is replaced only when the user says so; the files the run wrote itself are
// replaced without a question.
TEST_P(EditedOutputTest, AFileChangedSinceTheRunWroteItIsReplacedOnlyWhenAllowed) {
  const TEditedCase& row = GetParam();
  OpenExample("vb3", "LEDGER.MAK");
  Run();
  const std::string restyled = tmp.Read("vb3/STYLED/GLOBAL.BAS");
  ASSERT_FALSE(restyled.empty());
  tmp.Write("vb3/STYLED/GLOBAL.BAS", "' my edit\r\n" + restyled);
  tmp.Write("vb3/STYLED/LEDGER.FRX", "my own companion");

  if (row.Policy == TEditedOutput::Ask) prompts.Answer(row.Answer);
  if (row.Policy == TEditedOutput::Ask && row.Answer == TAnswer::No) prompts.Answer(TAnswer::No);  // for GLOBAL.BAS
  Runner().SetEditedOutput(row.Policy);
  run->Process();

  if (row.Policy == TEditedOutput::Ask) {
    const RecordedPrompt question = prompts.Take();
    EXPECT_EQ(question.Buttons, TButtons::YesAllNoCancel);
    EXPECT_EQ(question.Text, Styled() + "LEDGER.FRX has changed since this program last wrote it (saved by the "
                                        "commentor or edited by hand).  Replace it?  No keeps "
                                        "it as it is.");
    // GLOBAL.BAS is asked about once, at its copy: kept there, it is kept for the restyled file too.
    if (row.Answer == TAnswer::No) {
      EXPECT_NE(prompts.Take().Text.find("GLOBAL.BAS has changed"), std::string::npos);
    }
  }
  EXPECT_EQ(tmp.Read("vb3/STYLED/GLOBAL.BAS") == restyled, row.Replaced);
  EXPECT_EQ(tmp.Read("vb3/STYLED/LEDGER.FRX") == "my own companion", !row.Replaced);
  const TRunFileReport& global = Report().Files[1];
  EXPECT_EQ(global.Kept, !row.Replaced);
  EXPECT_EQ(global.Saved, row.Replaced);
  EXPECT_EQ(Report().KeptCopies, row.Replaced ? std::vector<std::string>{} : std::vector<std::string>{"LEDGER.FRX"});
  EXPECT_TRUE(Report().Files[0].Saved) << "the file the run wrote itself is replaced unasked";
}

INSTANTIATE_TEST_SUITE_P(
    Policies, EditedOutputTest,
    ::testing::Values(TEditedCase{"AskedYesToAll", TEditedOutput::Ask, TAnswer::YesToAll, true},
                      TEditedCase{"AskedNo", TEditedOutput::Ask, TAnswer::No, false},
                      TEditedCase{"KeptUnasked", TEditedOutput::Keep, TAnswer::No, false},
                      TEditedCase{"Forced", TEditedOutput::Replace, TAnswer::No, true}),
    test::RowName(&TEditedCase::Name));

// Without a manifest (deleted, damaged, or an output directory from before it existed) every
// file there counts as changed, except one that already holds what the run writes.
TEST_F(RunTest, WithoutAManifestOnlyFilesThatWouldChangeAreAskedAbout) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  Run();
  const std::string ledger = tmp.Read("vb3/STYLED/LEDGER.FRM");
  fs::remove(Styled() + ".quillmate.manifest");
  tmp.Write("vb3/STYLED/REPORT.BAS", "the user's text");
  prompts.Answer(TAnswer::No);

  Run();

  const RecordedPrompt question = prompts.Take();
  EXPECT_NE(question.Text.find("REPORT.BAS has changed"), std::string::npos) << question.Text;
  EXPECT_EQ(Report().Manifest, TManifestState::Missing);
  EXPECT_EQ(tmp.Read("vb3/STYLED/LEDGER.FRM"), ledger);
  EXPECT_EQ(tmp.Read("vb3/STYLED/REPORT.BAS"), "the user's text");
  EXPECT_TRUE(Report().Files[2].Kept);
}

// A copy is made under a temporary name and renamed into place: a copy that fails halfway leaves
// the file an earlier run wrote as it was, and no stray temporary file.
TEST_F(RunTest, ACopyCutShortLeavesTheEarlierCopyWhole) {
  tmp.Write("p/MAIN.FRM", "VERSION 2.00\r\nBegin Form F\r\nEnd\r\nSub Form_Load ()\r\nEnd Sub\r\n");
  tmp.Write("p/MAIN.FRX", std::string(8 * 1024, 'a'));
  tmp.Write("p/P.MAK", "MAIN.FRM\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  Run();
  ASSERT_EQ(tmp.Read("p/STYLED/MAIN.FRX"), std::string(8 * 1024, 'a'));
  tmp.Write("p/MAIN.FRX", std::string(64 * 1024, 'b'));
  {
    test::TFileSizeLimit limit(16 * 1024);
    Run();
  }
  prompts.ExpectMessage(TMsgKind::Warning,
                        Fill(msg::CopiesFailed, "MAIN.FRX (" + std::string(std::strerror(EFBIG)) + ")"));
  EXPECT_EQ(tmp.Read("p/STYLED/MAIN.FRX"), std::string(8 * 1024, 'a'));
  for (const std::string& name : ListFiles(Styled())) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

TEST_F(RunTest, FileThatCannotBeSavedStopsTheRunWithAMessage) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  fs::create_directories(Styled() + "GLOBAL.BAS");  // a directory where the file should go
  Run();
  prompts.ExpectMessage(TMsgKind::Error,
                        "Unable to save " + projectDir + "STYLED/GLOBAL.BAS.  Operation aborted...");
  EXPECT_EQ(Report().Outcome, TRunOutcome::SaveFailed);
  EXPECT_TRUE(project.Items()[0]->Processed);
  EXPECT_FALSE(FileExists(Styled() + "REPORT.BAS"));
  EXPECT_FALSE(processing.visible);
}

// A multi-statement split that loses the last statement of every line it takes apart: the safety
// check keeps each file it damages from being written, says so, and the run goes on.
class LosingSplitFormatter : public TVBSrcFormatter {
 public:
  using TVBSrcFormatter::TVBSrcFormatter;
  bool SplitMultiStatement(std::string_view line) override {
    const std::size_t before = FOutput.size();
    if (!TVBSrcFormatter::SplitMultiStatement(line)) return false;
    if (FOutput.size() > before + 1) FOutput.pop_back();
    return true;
  }
};

TEST_F(RunTest, BrokenRuleIsCaughtAndTheFileIsNotWritten) {
  OpenExample("vb3", "LEDGER.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::MultiStatementSplit, true);
  settings.SetBool(SettingKey::CodeIndentPerform, true);
  Runner().SetFormatterFactory([](const TEngineServices& services, TCancelToken* cancel) {
    return std::make_unique<LosingSplitFormatter>(services, cancel);
  });
  run->Process();
  // LEDGER.FRM and REPORT.BAS have lines of several statements at line 39; GLOBAL.BAS has none.
  prompts.ExpectMessage(TMsgKind::Error, "LEDGER.FRM: not saved: the restyled text would change the program near line 39");
  prompts.ExpectMessage(TMsgKind::Error, "REPORT.BAS: not saved: the restyled text would change the program near line 39");
  EXPECT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_EQ(FilesIn(Styled()), std::vector<std::string>{"GLOBAL.BAS"});
  ASSERT_EQ(Report().Files.size(), 3u);
  EXPECT_EQ(Report().Files[0].NotSavedNearLine, 39u);
  EXPECT_EQ(Report().Files[1].NotSavedNearLine, 0u);
  EXPECT_FALSE(Report().Files[0].Saved);
  EXPECT_FALSE(project.Items()[0]->Processed);
  EXPECT_TRUE(project.Items()[1]->Processed);
}

TEST_F(RunTest, NoProjectOrNoItemsDoesNothing) {
  const TEngineServices services{settings, prompts, processing, copying};
  EXPECT_EQ(TProcessingRun(services, nullptr).Process().Outcome, TRunOutcome::NotRun);
  TSourceMgt empty;
  EXPECT_EQ(TProcessingRun(services, &empty).Process().Outcome, TRunOutcome::NotRun);
  EXPECT_EQ(processing.shows, 0);
}

// --- The log ----------------------------------------------------------------------------------

struct LongLineCase {
  const char* Label;
  std::string Bytes;
  bool Measured;
  std::vector<int> Numbers;  // lines listed
};

class LongLineTest : public ::testing::TestWithParam<LongLineCase> {};

TEST_P(LongLineTest, ListsLinesLongerThan223Characters) {
  std::vector<TLongLine> found;
  EXPECT_EQ(FindLongLines(GetParam().Bytes, found), GetParam().Measured);
  std::vector<int> numbers;
  for (const TLongLine& line : found) numbers.push_back(line.Number);
  EXPECT_EQ(numbers, GetParam().Numbers);
}

const std::string k223(223, 'x'), k224(224, 'y'), k1999(1999, 'z'), k2000(2000, 'w');

INSTANTIATE_TEST_SUITE_P(
    Lines, LongLineTest,
    ::testing::Values(LongLineCase{"Empty", "", true, {}},
                      LongLineCase{"ExactlyTheLimitIsNotListed", k223 + "\r\n", true, {}},
                      LongLineCase{"OneMoreIsListed", "a\r\n" + k224 + "\r\nb\r\n", true, {2}},
                      LongLineCase{"LastLineWithoutTerminator", "a\r\n" + k224, true, {2}},
                      LongLineCase{"BareLineFeedsEndLines", "a\nb\n" + k224 + "\n", true, {3}},
                      LongLineCase{"LoneCarriageReturnsEndLines", "a\r" + k224 + "\r", true, {2}},
                      LongLineCase{"EmptyLinesCount", "\r\n\r\n\r\n" + k224 + "\r\n", true, {4}},
                      LongLineCase{"LongestMeasurableLine", k1999 + "\r\n" + k224, true, {1, 2}},
                      LongLineCase{"TooLongToMeasure", k224 + "\r\n" + k2000 + "\r\n" + k224, false, {1}}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST_F(RunTest, LogListsTheLongLinesOfEachFile) {
  const std::string line230(230, 'L');
  tmp.Write("p/ONE.BAS", "' 1\r\n' 2\r\n' 3\r\n' 4\r\n" + line230 + "\r\n' " + std::string(221, 'S') + "\r\n");
  tmp.Write("p/TWO.BAS", "Sub Two ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "ONE.BAS\r\nTWO.BAS\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);
  Run();
  std::string log;
  ASSERT_TRUE(ReadFileBytes(Styled() + "VBQUILL3.LOG", log));
  TLines lines = SplitLines(log);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], "+++ Processing file: ONE.BAS");
  EXPECT_EQ(lines[2], "Check Line #5-->" + line230);
  EXPECT_EQ(lines[3], "--- End of file: ONE.BAS");
  EXPECT_EQ(lines[4], "+++ Processing file: TWO.BAS");
  EXPECT_EQ(lines[5], "--- End of file: TWO.BAS");
}

TEST_F(RunTest, UnmeasurableLineEndsTheLogButNotTheRun) {
  tmp.Write("p/ONE.BAS", "' " + std::string(2100, 'L') + "\r\n");
  tmp.Write("p/TWO.BAS", "Sub Two ()\r\nEnd Sub\r\n");
  tmp.Write("p/P.MAK", "ONE.BAS\r\nTWO.BAS\r\n");
  Open(tmp.Dir() + "p/P.MAK");
  OnlyNewFiles();
  settings.SetBool(SettingKey::CreateLog, true);
  Run();
  prompts.ExpectMessage(TMsgKind::Error, "Error while creating log file.");
  EXPECT_EQ(Report().Outcome, TRunOutcome::Completed);
  EXPECT_TRUE(FileExists(Styled() + "ONE.BAS"));
  EXPECT_TRUE(FileExists(Styled() + "TWO.BAS"));
  std::string log;
  ASSERT_TRUE(ReadFileBytes(Styled() + "VBQUILL3.LOG", log));
  EXPECT_EQ(log.find("TWO.BAS"), std::string::npos) << "the log stops at the unmeasurable file";
}

TEST_F(RunTest, LogReplacesAnOlderOne) {
  OpenExample("vb3", "LEDGER.MAK");
  settings.SetBool(SettingKey::CreateLog, true);
  tmp.Write("vb3/STYLED/VBQUILL3.LOG", std::string(100000, 'o'));
  Run();
  std::string log;
  ASSERT_TRUE(ReadFileBytes(Styled() + "VBQUILL3.LOG", log));
  EXPECT_LT(log.size(), 1000u);
}

}  // namespace
}  // namespace qm
