// SPDX-License-Identifier: MIT
// Whole runs with spelling on over files that hold headers written from the templates: what the
// user corrects is saved, and the template's own words are never offered.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/formatter.h"
#include "engine/run.h"
#include "fake_ui.h"
#include "platform/linefile.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "temp_dir.h"
#include "ui/spelling.h"

namespace qm {
namespace {

using K = SettingKey;

// The spelling dialog of a user who replaces each word of the map wherever it is offered.
class ReplacingSpellCheck final : public ISpellCheck {
 public:
  std::map<std::string, std::string> Replace;
  std::vector<std::string> Texts;

  bool BeginSpellRun(std::string*) override { return true; }
  void RunSpellCheck(const std::string&, std::string& text, const TSpellTarget&, bool& cancelled,
                     bool& changed) override {
    Texts.push_back(text);
    cancelled = changed = false;
    for (const auto& [from, to] : Replace) {
      for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        changed = true;
      }
    }
  }
};

class SpellingRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.SetBool(K::PreviewBeforeSaving, false);
    settings.SetBool(K::BackupOnlyNewFiles, true);
    settings.SetBool(K::SubLevelCommentsPerform, true);
    settings.SetBool(K::FunctionLevelCommentsPerform, true);
    settings.SetText(K::UserName, "Ann");
  }

  // Restyles the project and returns the restyled module (empty when it was not written).
  std::string Run(const std::string& projectFile, ISpellCheck* spelling, const std::string& name = "MAIN.BAS") {
    TSourceMgt project;
    EXPECT_EQ(project.ReadProjectFile(projectFile, prompts), TReadOutcome::Read);
    TProcessingRun(TEngineServices{settings, prompts, processing, copying, nullptr, nullptr, spelling}, &project).Process();
    std::string bytes;
    ReadFileBytes(project.ProjectDir + "STYLED/" + name, bytes);
    return bytes;
  }

  test::TempDir tmp;
  TSettings settings;
  test::FakePrompts prompts;
  test::FakeProgress processing, copying;
};

// The first run writes the headers; the second, with spelling on, reads them as the user's file
// would hold them. The user replaces every word the dictionary would not know ("Params" among
// them, if it were offered) and the file is saved with the correction in the Purpose text.
TEST_F(SpellingRunTest, FileWithHeadersAndSpellingOnIsSaved) {
  tmp.Write("first/MAIN.BAS",
            "Attribute VB_Name = \"Utils\"\r\n"
            "Sub Load (Path As String)\r\n"
            "End Sub\r\n"
            "Function Total (a As Integer) As Long\r\n"
            "Total = a ' teh sum\r\n"
            "End Function\r\n");
  tmp.Write("first/P.MAK", "MAIN.BAS\r\n");
  const std::string withHeaders = Run(tmp.Dir() + "first/P.MAK", nullptr);
  ASSERT_NE(withHeaders.find("'  Params :  Path As String"), std::string::npos) << withHeaders;

  // The user fills in a Purpose, misspelled, as people do.
  std::string edited = withHeaders;
  const std::string purpose = "'  Purpose:  ";
  const std::size_t at = edited.find(purpose);
  ASSERT_NE(at, std::string::npos);
  edited.insert(at + purpose.size(), "Reads teh file");
  tmp.Write("second/MAIN.BAS", edited);
  tmp.Write("second/P.MAK", "MAIN.BAS\r\n");

  settings.SetBool(K::SpellingPerform, true);
  settings.SetBool(K::SpellingLiterals, true);
  settings.SetBool(K::SpellingComments, true);
  ReplacingSpellCheck dialog;
  dialog.Replace = {{"Params", "Parameters"}, {"Purpose", "Porpoise"}, {"Utils", "Utile"}, {"teh", "the"}};
  const std::string saved = Run(tmp.Dir() + "second/P.MAK", &dialog);

  ASSERT_FALSE(saved.empty()) << "the file was refused";
  EXPECT_NE(saved.find("'  Purpose:  Reads the file"), std::string::npos) << saved;
  EXPECT_NE(saved.find("'the sum"), std::string::npos) << saved;
  EXPECT_NE(saved.find("'  Params :  Path As String"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Attribute VB_Name = \"Utils\""), std::string::npos) << saved;
  EXPECT_EQ(saved.find("Parameters"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("Porpoise"), std::string::npos) << saved;
  for (const std::string& text : dialog.Texts) {
    EXPECT_EQ(text.find("Params"), std::string::npos) << text;
    EXPECT_EQ(text.find("Utils"), std::string::npos) << text;
  }
}

// A form's control description and every Attribute line are the program's names and values: a
// "correction" there would rename a control or the module. Only the code's texts are offered.
TEST_F(SpellingRunTest, ControlDescriptionAndAttributesAreNeverOffered) {
  tmp.Write("p/MAIN.FRM",
            "VERSION 5.00\r\n"
            "Begin VB.Form frmUtils\r\n"
            "   Caption         =   \"Utils Formm\"\r\n"
            "   Begin VB.Label lblTeh\r\n"
            "      Caption         =   \"teh label\"   'teh\r\n"
            "   End\r\n"
            "End\r\n"
            "Attribute VB_Name = \"frmUtils\"\r\n"
            "Attribute VB_Description = \"teh form\"\r\n"
            "Sub Form_Load ()\r\n"
            "MsgBox \"teh end\" ' teh note\r\n"
            "End Sub\r\n");
  tmp.Write("p/P.MAK", "MAIN.FRM\r\n");
  settings.SetBool(K::SubLevelCommentsPerform, false);
  settings.SetBool(K::FunctionLevelCommentsPerform, false);
  settings.SetBool(K::SpellingPerform, true);
  settings.SetBool(K::SpellingLiterals, true);
  settings.SetBool(K::SpellingComments, true);
  ReplacingSpellCheck dialog;
  dialog.Replace = {{"teh", "the"}, {"Utils", "Utile"}};
  const std::string saved = Run(tmp.Dir() + "p/P.MAK", &dialog, "MAIN.FRM");
  EXPECT_EQ(dialog.Texts, (std::vector<std::string>{"teh end", " teh note"}));
  EXPECT_NE(saved.find("\"teh label\"   'teh\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Attribute VB_Description = \"teh form\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("MsgBox \"the end\""), std::string::npos) << saved;
}

}  // namespace
}  // namespace qm
