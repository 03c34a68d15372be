// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "fake_ui.h"
#include "messages.h"
#include "platform/linefile.h"
#include "platform/profile.h"
#include "settings/catalogue.h"
#include "engine/run.h"
#include "project/sourcemgt.h"
#include "shell/optionsdialog.h"
#include "shell/optionspages.h"
#include "shell/optionspreview.h"
#include "temp_dir.h"
#include "ui/templatefiles.h"

namespace qm {
namespace {

using test::FakePrompts;
using test::TempDir;

// ---- Pages, captions and help contexts

struct PageRow {
  const char* Name;
  TOptionsPage Page;
  TCommentsTab Tab;
  const char* Caption;
  int HelpContext;
};

class OptionsPageTest : public ::testing::TestWithParam<PageRow> {};

TEST_P(OptionsPageTest, ShowsCaptionAndHelpContext) {
  const PageRow& row = GetParam();
  EXPECT_EQ(OptionsCaption(row.Page), row.Caption);
  EXPECT_EQ(OptionsHelpContext(row.Page, row.Tab), row.HelpContext);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, OptionsPageTest,
    ::testing::Values(
        PageRow{"General", TOptionsPage::General, TCommentsTab::SingleLine, "Options - General", 11},
        PageRow{"Indents", TOptionsPage::Indents, TCommentsTab::SingleLine, "Options - Indents", 12},
        PageRow{"CommentsSingleLine", TOptionsPage::Comments, TCommentsTab::SingleLine, "Options - Comments", 13},
        PageRow{"CommentsInLine", TOptionsPage::Comments, TCommentsTab::InLine, "Options - Comments", 14},
        PageRow{"CommentsSubroutines", TOptionsPage::Comments, TCommentsTab::Subroutines, "Options - Comments", 29},
        PageRow{"CommentsFunctions", TOptionsPage::Comments, TCommentsTab::Functions, "Options - Comments", 30},
        PageRow{"BlankLines", TOptionsPage::BlankLines, TCommentsTab::SingleLine, "Options - Blank Lines", 15},
        PageRow{"SpellCheck", TOptionsPage::SpellCheck, TCommentsTab::Functions, "Options - Spell Check", 16},
        PageRow{"Save", TOptionsPage::Save, TCommentsTab::SingleLine, "Options - Save", 17},
        PageRow{"User", TOptionsPage::User, TCommentsTab::SingleLine, "Options - User", 71}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OptionsLayoutTest, ShowsEverySettingExactlyOnceOnThePageOfItsSection) {
  static const std::map<std::string_view, TOptionsPage> pageOfSection = {
      {"General", TOptionsPage::General},        {"Indents", TOptionsPage::Indents},
      {"SingleLineComments", TOptionsPage::Comments}, {"InLineComments", TOptionsPage::Comments},
      {"SubComments", TOptionsPage::Comments},   {"FunctionComments", TOptionsPage::Comments},
      {"BlankLines", TOptionsPage::BlankLines},  {"SpellCheck", TOptionsPage::SpellCheck},
      {"BackupInformation", TOptionsPage::Save}, {"UserInformation", TOptionsPage::User}};
  std::map<SettingKey, int> shown;
  for (const TOptionsGroup& group : OptionsLayout()) {
    EXPECT_EQ(group.Tab != kNoTab, group.Page == TOptionsPage::Comments) << group.Caption;
    for (SettingKey key : group.Keys) {
      ++shown[key];
      EXPECT_EQ(pageOfSection.at(SettingDef(key).Section), group.Page) << SettingDef(key).Name;
      for (const TItemCompanion& companion : CompanionsOf(key)) {
        ++shown[companion.Spin];
        EXPECT_EQ(SettingDef(companion.Spin).Kind, TSettingKind::SpinEdit);
        EXPECT_LT(companion.Item, static_cast<int>(SettingDef(key).Items.size()));
      }
    }
  }
  EXPECT_EQ(shown.size(), static_cast<std::size_t>(kSettingCount));
  for (const auto& [key, count] : shown) EXPECT_EQ(count, 1) << SettingDef(key).Name;
}

// The fixed-column settings count what stands before the apostrophe: the dialog names the column
// it lands in, as an editor counts columns from 1; other spin edits say nothing.
TEST(OptionsLayoutTest, FixedColumnsNameTheApostrophesColumn) {
  EXPECT_EQ(ApostropheColumnHint(SettingKey::InLineCommentsFixedColumn, 40), "characters: apostrophe in column 41");
  EXPECT_EQ(ApostropheColumnHint(SettingKey::SingleLineCommentColumn, 4), "characters: apostrophe in column 5");
  EXPECT_EQ(ApostropheColumnHint(SettingKey::SingleLineCommentColumn, 1), "characters: apostrophe in column 2");
  EXPECT_EQ(ApostropheColumnHint(SettingKey::InLineCommentsIndent, 4), "");
}

TEST(OptionsLayoutTest, BeforeAfterRowsPairTheCountsOfOneStatement) {
  for (const TOptionsGroup& group : OptionsLayout()) {
    if (group.Style != TGroupStyle::BeforeAfterGrid) continue;
    ASSERT_EQ(group.Keys.size() % 2, 0u);
    for (std::size_t i = 0; i < group.Keys.size(); i += 2) {
      const TSettingDef& before = SettingDef(group.Keys[i]);
      const TSettingDef& after = SettingDef(group.Keys[i + 1]);
      EXPECT_EQ(before.Label, after.Label);
      EXPECT_TRUE(before.Name.ends_with("Before")) << before.Name;
      EXPECT_TRUE(after.Name.ends_with("After")) << after.Name;
    }
  }
}

// ---- The output directory text

struct SeparatorRow {
  const char* Name;
  const char* Text;
  const char* Expected;
};

class TrailingSeparatorTest : public ::testing::TestWithParam<SeparatorRow> {};

TEST_P(TrailingSeparatorTest, EndsInASeparator) {
  EXPECT_EQ(WithTrailingSeparator(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrailingSeparatorTest,
    ::testing::Values(SeparatorRow{"DriveDirectory", "C:\\OUT", "C:\\OUT\\"},
                      SeparatorRow{"AlreadyEnded", "C:\\OUT\\", "C:\\OUT\\"},
                      SeparatorRow{"Default", ".\\STYLED\\", ".\\STYLED\\"},
                      SeparatorRow{"BareName", "OUT", "OUT\\"},
                      SeparatorRow{"NativePath", "/home/ann/out", "/home/ann/out/"},
                      SeparatorRow{"NativeEnded", "/home/ann/out/", "/home/ann/out/"},
                      SeparatorRow{"MixedTakesBackslash", "C:\\work/out", "C:\\work/out\\"},
                      SeparatorRow{"EmptyStaysEmpty", "", ""},
                      SeparatorRow{"BlanksStay", "  ", "  "}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ChooserStartRow {
  const char* Name;
  const char* Text;      // below the temporary directory unless absolute
  bool WithProject;
  const char* Expected;  // relative to the temporary directory; "" for none
};

class DirectoryChooserStartTest : public ::testing::TestWithParam<ChooserStartRow> {};

TEST_P(DirectoryChooserStartTest, StartsAtTheNearestExistingDirectory) {
  TempDir dir;
  std::filesystem::create_directories(dir / "proj/STYLED");
  const ChooserStartRow& row = GetParam();
  const std::string text = row.Text[0] == '@' ? dir.Dir() + (row.Text + 1) : row.Text;
  const std::string start = DirectoryChooserStart(text, row.WithProject ? dir / "proj" : "");
  const std::string expected = row.Expected[0] ? (std::filesystem::path(dir.Dir()) / row.Expected).lexically_normal().string() : "";
  EXPECT_EQ(start, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DirectoryChooserStartTest,
    ::testing::Values(ChooserStartRow{"RelativeToProject", ".\\STYLED\\", true, "proj/STYLED"},
                      ChooserStartRow{"MissingGoesUp", ".\\NEW\\DEEP\\", true, "proj"},
                      ChooserStartRow{"RelativeWithoutProject", ".\\STYLED\\", false, ""},
                      ChooserStartRow{"AbsoluteNative", "@proj", false, "proj"},
                      ChooserStartRow{"DriveLetterHasNoDirectoryHere", "C:\\OUT\\", false, ""},
                      ChooserStartRow{"Empty", "", true, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DependentControlsTest, FallbackGroupOnlyWithFixedColumnAndSpellingBoxesWithSpelling) {
  const std::vector<std::pair<int, bool>> rows = {{-1, false}, {0, false}, {1, true}, {2, false}, {3, false}};
  for (const auto& [index, visible] : rows) EXPECT_EQ(FixedColumnFallbackVisible(index), visible) << index;
  EXPECT_TRUE(SpellingBoxesEnabled(true));
  EXPECT_FALSE(SpellingBoxesEnabled(false));
}

// ---- Save or load a template

class FakeTemplateDialogs : public ITemplateFileDialogs {
 public:
  TSaveOrLoad Answer = TSaveOrLoad::Cancel;
  std::string Chosen;  // empty: the file dialog is cancelled
  std::vector<std::string> Shown;

  TSaveOrLoad AskSaveOrLoad() override {
    Shown.push_back("question");
    return Answer;
  }
  std::string ChooseSaveFile(const std::string& start) override {
    Shown.push_back("save:" + start);
    return Chosen;
  }
  std::string ChooseOpenFile(const std::string& start) override {
    Shown.push_back("open:" + start);
    return Chosen;
  }
};

struct TemplateRow {
  const char* Name;
  TSaveOrLoad Answer;
  const char* Chosen;  // "@name": that file in the temporary directory
  bool Changed;
  const char* Message;  // error shown, "%s" for the chosen path; "" for none
  const char* EditorAfter;
  const char* FileAfter;  // what the chosen file holds afterwards; "" when it does not exist
};

class SaveOrLoadTemplateTest : public ::testing::TestWithParam<TemplateRow> {};

TEST_P(SaveOrLoadTemplateTest, AsksThenSavesOrLoads) {
  const TemplateRow& row = GetParam();
  TempDir dir;
  dir.Write("other.txt", "' loaded line\r\n' second\r\n");
  std::filesystem::create_directories(dir / "folder.txt");
  FakeTemplateDialogs dialogs;
  dialogs.Answer = row.Answer;
  const std::string chosen = row.Chosen[0] == '@' ? dir / (row.Chosen + 1) : std::string(row.Chosen);
  dialogs.Chosen = chosen;
  TLines editor = {"' editor line"};
  std::string fileName = "old.txt";
  FakePrompts prompts;

  EXPECT_EQ(SaveOrLoadTemplate(editor, fileName, dialogs, prompts), row.Changed);

  if (row.Message[0]) prompts.ExpectMessage(TMsgKind::Error, msg::Format(row.Message, chosen));
  std::string joined;
  for (const std::string& line : editor) joined += line + "|";
  EXPECT_EQ(joined, row.EditorAfter);
  EXPECT_EQ(fileName, row.Changed ? chosen : "old.txt");
  std::string bytes;
  if (!chosen.empty() && std::filesystem::is_regular_file(chosen)) ReadFileBytes(chosen, bytes);
  EXPECT_EQ(bytes, row.FileAfter);
  EXPECT_EQ(dialogs.Shown.front(), "question");
  if (row.Answer != TSaveOrLoad::Cancel) {
    EXPECT_EQ(dialogs.Shown.at(1).substr(dialogs.Shown[1].find(':') + 1), "old.txt");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Flows, SaveOrLoadTemplateTest,
    ::testing::Values(
        TemplateRow{"QuestionCancelled", TSaveOrLoad::Cancel, "@new.txt", false, "", "' editor line|", ""},
        TemplateRow{"SaveDialogCancelled", TSaveOrLoad::Save, "", false, "", "' editor line|", ""},
        TemplateRow{"OpenDialogCancelled", TSaveOrLoad::Load, "", false, "", "' editor line|", ""},
        TemplateRow{"SaveWritesTheEditor", TSaveOrLoad::Save, "@new.txt", true, "", "' editor line|",
                    "' editor line\r\n"},
        TemplateRow{"LoadFillsTheEditor", TSaveOrLoad::Load, "@other.txt", true, "", "' loaded line|' second|",
                    "' loaded line\r\n' second\r\n"},
        TemplateRow{"UnreadableFileChangesNothing", TSaveOrLoad::Load, "@folder.txt", false,
                    "Unable to read from %s", "' editor line|", ""},
        TemplateRow{"UnwritableFileChangesNothing", TSaveOrLoad::Save, "@folder.txt", false,
                    "Unable to write to %s", "' editor line|", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- One showing of the dialog

class OptionsSessionTest : public ::testing::Test {
 protected:
  std::string SettingsFile() const { return ResolveProfilePath(kSettingsFileName); }
  bool SettingsFileExists() const { return std::filesystem::exists(SettingsFile()); }

  TempDir dir_;
  TSettings settings_;
  TCommentTemplates templates_;
  TOptionsSession session_{settings_, templates_};
  FakePrompts prompts_;
};

TEST_F(OptionsSessionTest, ShowingLoadsTheFileAndTheTemplateItNames) {
  const std::string templateFile = dir_.Write("sub.txt", "' custom %n\r\n");
  dir_.Write("VBQUILL3.INI", "[Indents]\r\nIfThenElseIndent=2\r\n[SubComments]\r\nSubLevelCommentsFile=" +
                                 templateFile + "\r\n");
  session_.Begin(prompts_);
  EXPECT_EQ(settings_.Int(SettingKey::IfThenElseIndent), 2);
  EXPECT_EQ(templates_.Sub, TLines{"' custom %n"});
  EXPECT_TRUE(session_.Active());
}

TEST_F(OptionsSessionTest, CancelRestoresTheValuesInForceAndWritesNothing) {
  settings_.SetInt(SettingKey::DoLoopIndent, 6);  // in force, e.g. loaded with the project
  dir_.Write("VBQUILL3.INI", "[Indents]\r\nDoLoopIndent=3\r\n");
  const std::string before = [&] { std::string b; ReadFileBytes(SettingsFile(), b); return b; }();
  session_.Begin(prompts_);
  EXPECT_EQ(settings_.Int(SettingKey::DoLoopIndent), 3);
  settings_.SetInt(SettingKey::IfThenElseIndent, 1);
  settings_.SetText(SettingKey::SubLevelCommentsFile, dir_ / "loaded.txt");
  templates_.Sub = {"' edited"};

  session_.Cancel();

  EXPECT_EQ(settings_.Int(SettingKey::DoLoopIndent), 6);
  EXPECT_EQ(settings_.Int(SettingKey::IfThenElseIndent), 4);
  EXPECT_EQ(settings_.Text(SettingKey::SubLevelCommentsFile), "");
  EXPECT_EQ(templates_.Sub, DefaultSubTemplate());
  std::string after;
  ReadFileBytes(SettingsFile(), after);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(session_.Active());
}

TEST_F(OptionsSessionTest, OkWritesEverySettingInItsSection) {
  session_.Begin(prompts_);
  ASSERT_TRUE(session_.Accept(prompts_));
  std::set<std::string_view> sections;
  for (const TSettingDef& def : SettingsCatalogue()) {
    EXPECT_EQ(GetPrivateProfileString(def.Section, def.Name, "<missing>", kSettingsFileName),
              settings_.Text(def.Key))
        << def.Name;
    sections.insert(def.Section);
  }
  EXPECT_EQ(sections.size(), 10u);
  EXPECT_FALSE(session_.Active());
}

TEST_F(OptionsSessionTest, OkAppliesTheSeparatorRuleToAFieldStillFocused) {
  session_.Begin(prompts_);
  settings_.SetText(SettingKey::BackupNewCodeDirectory, "C:\\OUT");
  ASSERT_TRUE(session_.Accept(prompts_));
  EXPECT_EQ(settings_.Text(SettingKey::BackupNewCodeDirectory), "C:\\OUT\\");
  EXPECT_EQ(GetPrivateProfileString("BackupInformation", "BackupNewCodeDirectory", "", kSettingsFileName),
            "C:\\OUT\\");
}

TEST_F(OptionsSessionTest, OkRefusesAnEmptyOutputDirectoryAndStaysOpen) {
  session_.Begin(prompts_);
  settings_.SetText(SettingKey::BackupNewCodeDirectory, " ");
  EXPECT_FALSE(session_.Accept(prompts_));
  prompts_.ExpectMessage(TMsgKind::Error, std::string(msg::OutputDirectoryEmpty));
  EXPECT_TRUE(session_.Active());
  EXPECT_FALSE(SettingsFileExists());
}

TEST_F(OptionsSessionTest, AWriteFailureIsReportedAndTheDialogStaysOpen) {
  std::filesystem::create_directories(SettingsFile());  // a directory where the file should be
  session_.Begin(prompts_);
  EXPECT_FALSE(session_.Accept(prompts_));
  prompts_.ExpectMessage(TMsgKind::Error, "Unable to write to VBQUILL3.INI");
  EXPECT_TRUE(session_.Active());
  settings_.SetInt(SettingKey::ForNextIndent, 7);
  session_.Cancel();
  EXPECT_EQ(settings_.Int(SettingKey::ForNextIndent), 4);
}

// ---- The preview

std::size_t IndentOf(const TMarkedList& lines, std::string_view text) {
  for (const TMarkedLine& line : lines) {
    const std::size_t at = line.Text.find_first_not_of(' ');
    if (at != std::string::npos && line.Text.substr(at) == text) return at;
  }
  ADD_FAILURE() << "no line " << text;
  return 0;
}

TEST(OptionsPreviewTest, FollowsTheValuesInTheDialog) {
  TSettings settings;
  TCommentTemplates templates;
  const TLines& sample = PreviewSample(TOptionsPage::Indents);
  const std::size_t wide = IndentOf(FormatPreview(settings, templates, sample), "Message = \"Ready\"");
  settings.SetInt(SettingKey::IfThenElseIndent, 2);
  const std::size_t narrow = IndentOf(FormatPreview(settings, templates, sample), "Message = \"Ready\"");
  EXPECT_EQ(wide - narrow, 2u);
}

TEST(OptionsPreviewTest, MarksChangedLinesAndUsesTheTemplatesInTheEditors) {
  TSettings settings;
  settings.SetBool(SettingKey::SubLevelCommentsPerform, true);
  settings.SetText(SettingKey::UserName, "Ann");
  TCommentTemplates templates;
  templates.Sub = {"' by %a: %n(%p)"};
  const TMarkedList out = FormatPreview(settings, templates, PreviewSample(TOptionsPage::Comments, TCommentsTab::Subroutines));
  auto header = std::find_if(out.begin(), out.end(), [](const TMarkedLine& l) { return l.Text.starts_with("' by"); });
  ASSERT_NE(header, out.end());
  EXPECT_EQ(header->Text, "' by Ann: PrintReport(ByVal Title As String, ByVal Copies As Integer)");
  EXPECT_TRUE(header->Mark.IsChanged());
  EXPECT_FALSE(out.front().Mark.IsChanged());  // "Option Explicit" passes through
}

TEST(OptionsPreviewTest, EveryPageHasASampleThatSurvivesAPendingCancelAndWritesNothing) {
  TempDir dir;
  TSettings settings;
  settings.SetBool(SettingKey::SpellingPerform, true);
  settings.SetBool(SettingKey::CreateLog, true);
  TCommentTemplates templates;
  // A run cancelled and still open beside the dialog does not cut the samples short.
  TSourceMgt project;
  TNullProgress window;
  FakePrompts prompts;
  TProcessingRun run(TEngineServices{settings, prompts, window, window}, &project);
  run.Cancel().Request();
  for (const TOptionsPageDef& page : OptionsPages()) {
    for (int tab = 0; tab < (page.Page == TOptionsPage::Comments ? kCommentsTabCount : 1); ++tab) {
      const TLines& sample = PreviewSample(page.Page, static_cast<TCommentsTab>(tab));
      EXPECT_GE(FormatPreview(settings, templates, sample).size(), sample.size() - 2) << page.Caption << tab;
    }
  }
  EXPECT_TRUE(run.Cancel().Requested());
  EXPECT_TRUE(std::filesystem::is_empty(dir.Dir()));
}

}  // namespace
}  // namespace qm
