// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "settings/catalogue.h"
#include "settings/lastused.h"
#include "settings/profile_entries.h"
#include "temp_dir.h"

namespace qm {
namespace {

using K = SettingKey;
using test::TempDir;

// Sections and keys of a profile file in the order they appear, ignoring comment lines.
struct IniLayout {
  std::vector<std::string> Sections;
  std::map<std::string, std::vector<std::string>> Keys;
};

IniLayout ParseLayout(const std::string& text) {
  IniLayout layout;
  std::istringstream in(text);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      layout.Sections.push_back(section);
    } else if (auto eq = line.find('='); eq != std::string::npos) {
      layout.Keys[section].push_back(line.substr(0, eq));
    }
  }
  return layout;
}

struct LoadRow {
  std::string_view Name;  // for the test's name
  SettingKey Key;
  std::string_view Value;       // as it stands in the file
  std::optional<int> Before;    // set before loading, when given
  int Expected;
};

class LoadOneValue : public ::testing::TestWithParam<LoadRow> {};

TEST_P(LoadOneValue, ReadsClampsOrKeeps) {
  const LoadRow& row = GetParam();
  TempDir dir;
  const TSettingDef& def = SettingDef(row.Key);
  dir.Write(kSettingsFileName, "[" + std::string(def.Section) + "]\r\n" + std::string(def.Name) +
                                   "=" + std::string(row.Value) + "\r\n");
  TSettings s;
  if (row.Before) s.SetInt(row.Key, *row.Before);
  s.LoadINIControls();
  EXPECT_EQ(s.Int(row.Key), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoadOneValue,
    ::testing::Values(
        LoadRow{"GroupIndexPastLastIsLast", K::GrpSingleLineComments, "9", {}, 4},
        LoadRow{"GroupIndexBelowNoneIsNone", K::GrpSingleLineComments, "-3", {}, -1},
        LoadRow{"GroupIndexInRange", K::GrpSingleLineComments, "1", {}, 1},
        LoadRow{"SpinAboveMaxIsMax", K::IfThenElseIndent, "200", {}, 80},
        LoadRow{"SpinBelowMinIsMin", K::AlignDimAsGroupQty, "0", {}, 1},
        LoadRow{"SpinLettersKeepDefault", K::IfThenElseIndent, "abc", {}, 4},
        LoadRow{"SpinLettersKeepLoaded", K::IfThenElseIndent, "abc", 12, 12},
        LoadRow{"SpinHex", K::IfThenElseIndent, "0x0C", {}, 12},
        LoadRow{"SpinEmptyKeeps", K::IfThenElseIndent, "", 7, 7},
        LoadRow{"QuotedValue", K::IfThenElseIndent, "\"6\"", {}, 6},
        LoadRow{"BoolHexOneIsOn", K::CodeIndentPerform, "0x1", 0, 1},
        LoadRow{"BoolSevenIsOn", K::CodeIndentPerform, "7", 0, 1},
        LoadRow{"BoolNegativeIsOn", K::CodeIndentPerform, "-1", 0, 1},
        LoadRow{"BoolZeroIsOff", K::CodeIndentPerform, "0", 1, 0},
        LoadRow{"BoolYesKeepsOn", K::CodeIndentPerform, "yes", 1, 1},
        LoadRow{"BoolYesKeepsOff", K::CodeIndentPerform, "yes", 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LoadINIControls, MissingFileLeavesEverythingAndCreatesNothing) {
  TempDir dir;
  TSettings s;
  s.SetInt(K::DoLoopIndent, 2);
  s.LoadINIControls();
  EXPECT_EQ(s.Int(K::DoLoopIndent), 2);
  EXPECT_EQ(s.Text(K::UserName), "Unknown");
  EXPECT_FALSE(std::filesystem::exists(dir / kSettingsFileName));
}

TEST(LoadINIControls, KeysMatchWithoutRegardToCase) {
  TempDir dir;
  dir.Write(kSettingsFileName, "[indents]\nifthenelseindent=3\n");
  TSettings s;
  s.LoadINIControls();
  EXPECT_EQ(s.Int(K::IfThenElseIndent), 3);
}

struct RadioRow {
  std::string_view Name;
  std::vector<std::string_view> Values;  // per button in catalogue order; empty: key missing
  std::vector<bool> Expected;
};

class LoadRadioGroup : public ::testing::TestWithParam<RadioRow> {};

TEST_P(LoadRadioGroup, LastOnInCatalogueOrderWins) {
  const RadioRow& row = GetParam();
  const std::vector<SettingKey> keys = {K::BackupOnlyNewFiles, K::BackupMAKFiles,
                                        K::BackupAllFiles};
  std::string ini = "[BackupInformation]\n";
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (!row.Values[i].empty())
      ini += std::string(SettingDef(keys[i]).Name) + "=" + std::string(row.Values[i]) + "\n";
  TempDir dir;
  dir.Write(kSettingsFileName, ini);
  TSettings s;
  s.LoadINIControls();
  for (std::size_t i = 0; i < keys.size(); ++i)
    EXPECT_EQ(s.Bool(keys[i]), row.Expected[i]) << SettingDef(keys[i]).Name;
}

INSTANTIATE_TEST_SUITE_P(
    Backup, LoadRadioGroup,
    ::testing::Values(RadioRow{"AllOn", {"1", "1", "1"}, {false, false, true}},
                      RadioRow{"AllOff", {"0", "0", "0"}, {false, false, false}},
                      RadioRow{"FirstTwoOn", {"1", "1", "0"}, {false, true, false}},
                      RadioRow{"FirstOnOthersMissing", {"1", "", ""}, {true, false, false}},
                      RadioRow{"AllMissing", {"", "", ""}, {false, true, false}},
                      RadioRow{"OnlyLastOn", {"0", "0", "1"}, {false, false, true}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LoadINIControls, CommentPositionPairsAreExclusive) {
  TempDir dir;
  dir.Write(kSettingsFileName,
            "[SubComments]\nSubLevelCommentsBeforeProcedure=1\n"
            "[FunctionComments]\nFunctionLevelCommentsBeforeProcedure=1\n"
            "FunctionLevelCommentsAfterProcedure=1\n");
  TSettings s;
  s.LoadINIControls();
  EXPECT_TRUE(s.Bool(K::SubLevelCommentsBeforeProcedure));
  EXPECT_FALSE(s.Bool(K::SubLevelCommentsAfterProcedure));
  EXPECT_FALSE(s.Bool(K::FunctionLevelCommentsBeforeProcedure));
  EXPECT_TRUE(s.Bool(K::FunctionLevelCommentsAfterProcedure));
}

TEST(LoadINIControls, StringsAreUsedInFullAndByteForByte) {
  TempDir dir;
  const std::string blocks(300, '=');
  const std::string longest(kProfileValueMax, 'x');
  const std::string name = "Jos\xE9 M\xFCller";  // Windows-1252 bytes
  dir.Write(kSettingsFileName, "[SingleLineComments]\nSingleLineCommentBlockCharacters=" + blocks +
                                   "\n[UserInformation]\nUserName=" + name +
                                   "\nUserCompany=" + longest + "\n");
  TSettings s;
  s.LoadINIControls();
  EXPECT_EQ(s.Text(K::SingleLineCommentBlockCharacters), blocks);
  EXPECT_EQ(s.Text(K::UserName), name);
  EXPECT_EQ(s.Text(K::UserCompany), longest);
}

TEST(SaveINIControls, FreshFileHoldsAllKeysInTenSectionsInCatalogueOrder) {
  TempDir dir;
  TSettings s;
  std::string err;
  ASSERT_TRUE(s.SaveINIControls(kSettingsFileName, &err)) << err;
  EXPECT_TRUE(err.empty());

  IniLayout layout = ParseLayout(dir.Read(kSettingsFileName));
  std::vector<std::string> sections;
  std::vector<std::string> keys;
  for (const TSettingDef& def : SettingsCatalogue()) {
    if (sections.empty() || sections.back() != def.Section) sections.emplace_back(def.Section);
    keys.emplace_back(def.Name);
  }
  EXPECT_EQ(layout.Sections, sections);
  std::vector<std::string> written;
  for (const auto& section : layout.Sections)
    for (const auto& key : layout.Keys[section]) written.push_back(key);
  EXPECT_EQ(written, keys);
  EXPECT_EQ(written.size(), 75u);
}

TEST(SaveINIControls, WritesBooleansAsOneAndZeroAndNumbersInDecimal) {
  TempDir dir;
  TSettings s;
  s.SetBool(K::CreateLog, true);
  s.SetBool(K::CodeIndentPerform, false);
  s.SetInt(K::GrpSingleLineComments, -1);
  s.SetText(K::BackupNewCodeDirectory, "C:\\OUT\\");
  ASSERT_TRUE(s.SaveINIControls());
  EXPECT_EQ(GetPrivateProfileString("BackupInformation", "CreateLog", "?", kSettingsFileName), "1");
  EXPECT_EQ(GetPrivateProfileString("Indents", "CodeIndentPerform", "?", kSettingsFileName), "0");
  EXPECT_EQ(GetPrivateProfileString("SingleLineComments", "GrpSingleLineComments", "?",
                                    kSettingsFileName),
            "-1");
  EXPECT_EQ(GetPrivateProfileString("BackupInformation", "BackupNewCodeDirectory", "?",
                                    kSettingsFileName),
            "C:\\OUT\\");
}

TEST(SaveINIControls, RoundTripRestoresEveryValue) {
  TempDir dir;
  TSettings saved;
  saved.SetInt(K::AlignDimAsGroupQty, 17);
  saved.SetInt(K::GrpInLineComments, 3);
  saved.SetBool(K::BackupOnlyNewFiles, true);
  saved.SetBool(K::SubLevelCommentsBeforeProcedure, true);
  saved.SetBool(K::OptionExplicitInsert, false);
  saved.SetText(K::UserCompany, "Acme \xA9 Ltd");
  saved.SetText(K::SubLevelCommentsFile, "C:\\TEMPLATES\\SUB.TXT");
  ASSERT_TRUE(saved.SaveINIControls());

  TSettings loaded;
  loaded.LoadINIControls();
  for (const TSettingDef& def : SettingsCatalogue()) {
    EXPECT_EQ(loaded.Text(def.Key), saved.Text(def.Key)) << def.Name;
    EXPECT_EQ(loaded.Int(def.Key), saved.Int(def.Key)) << def.Name;
  }
}

TEST(SaveINIControls, ForeignFileKeepsCommentsAndUnknownKeys) {
  TempDir dir;
  dir.Write(kSettingsFileName,
            "; written by hand\r\n"
            "[Indents]\r\n"
            "IfThenElseIndent=2\r\n"
            "MyOwnKey=keep me\r\n"
            "[Elsewhere]\r\n"
            "Other=value\r\n");
  TSettings s;
  s.LoadINIControls();
  EXPECT_EQ(s.Int(K::IfThenElseIndent), 2);
  s.SetInt(K::IfThenElseIndent, 6);
  ASSERT_TRUE(s.SaveINIControls());

  std::string text = dir.Read(kSettingsFileName);
  EXPECT_NE(text.find("; written by hand"), std::string::npos);
  EXPECT_EQ(GetPrivateProfileString("Indents", "MyOwnKey", "", kSettingsFileName), "keep me");
  EXPECT_EQ(GetPrivateProfileString("Elsewhere", "Other", "", kSettingsFileName), "value");
  EXPECT_EQ(GetPrivateProfileString("Indents", "IfThenElseIndent", "", kSettingsFileName), "6");
  IniLayout layout = ParseLayout(text);
  EXPECT_EQ(layout.Keys["Indents"].size(), 11u);  // ten settings and the unknown key
}

TEST(SaveINIControls, RefusedWriteReportsTheFileName) {
  TempDir dir;
  // A directory where the file should be cannot be written as a file.
  std::filesystem::create_directories(dir / kSettingsFileName);
  TSettings s;
  std::string err;
  EXPECT_FALSE(s.SaveINIControls(kSettingsFileName, &err));
  EXPECT_EQ(err, "Unable to write to VBQUILL3.INI");
}

// The recent-files list as the program keeps it: section RecentFiles, at most six entries.
TLastUsedList RecentFiles() {
  TLastUsedList list;
  list.INISection = std::string(kRecentFilesSection);
  list.SetMaxItems(kRecentFilesMax);
  return list;
}

std::vector<std::string> LoadRecentFiles() {
  TLastUsedList list = RecentFiles();
  list.LoadFromINI();
  return list.Paths();
}

TEST(RecentFiles, MissingItemsAreSkipped) {
  TempDir dir;
  dir.Write(kSettingsFileName, "[RecentFiles]\nItem1=C:\\A\\ONE.MAK\nItem3=C:\\B\\THREE.VBP\n");
  EXPECT_EQ(LoadRecentFiles(),
            (std::vector<std::string>{"C:\\A\\ONE.MAK", "C:\\B\\THREE.VBP"}));
}

TEST(RecentFiles, SaveWritesAtMostSixAndEmptyWritesNothing) {
  TempDir dir;
  std::vector<std::string> files;
  for (int i = 1; i <= 8; ++i) files.push_back("C:\\P" + std::to_string(i) + ".MAK");
  TLastUsedList list = RecentFiles();
  // Opened last to first, so that P1 is the most recent.
  for (auto file = files.rbegin(); file != files.rend(); ++file) list.AddFile(*file);
  ASSERT_TRUE(list.SaveToINI());
  std::vector<std::string> loaded = LoadRecentFiles();
  EXPECT_EQ(loaded, std::vector<std::string>(files.begin(), files.begin() + 6));
  EXPECT_EQ(GetPrivateProfileString("RecentFiles", "Item7", "none", kSettingsFileName), "none");

  ASSERT_TRUE(RecentFiles().SaveToINI());
  EXPECT_EQ(LoadRecentFiles(), loaded);

  // A shorter list rewrites only its own keys; later keys already in the file stay.
  TLastUsedList shorter = RecentFiles();
  shorter.AddFile("C:\\NEW.VBP");
  ASSERT_TRUE(shorter.SaveToINI());
  loaded = LoadRecentFiles();
  ASSERT_EQ(loaded.size(), 6u);
  EXPECT_EQ(loaded[0], "C:\\NEW.VBP");
}

TEST(WindowPlacement, RoundTripAndMissingSection) {
  TempDir dir;
  TWindowPlacement none = LoadWindowPlacement();
  EXPECT_FALSE(none.Restorable());
  EXPECT_EQ(none.NormPosB, 0);

  TWindowPlacement p;
  p.Flags = 2;
  p.MinPosX = -1;
  p.MinPosY = -1;
  p.MaxPosX = -4;
  p.MaxPosY = -4;
  p.NormPosL = 10;
  p.NormPosT = 20;
  p.NormPosR = 630;
  p.NormPosB = 470;
  ASSERT_TRUE(SaveWindowPlacement(p));
  EXPECT_EQ(GetPrivateProfileString("frmMain", "PlaceNormPosR", "", kSettingsFileName), "630");
  TWindowPlacement q = LoadWindowPlacement();
  EXPECT_TRUE(q.Restorable());
  EXPECT_EQ(q.Flags, 2);
  EXPECT_EQ(q.MinPosX, -1);
  EXPECT_EQ(q.MaxPosY, -4);
  EXPECT_EQ(q.NormPosL, 10);
  EXPECT_EQ(q.NormPosT, 20);
  EXPECT_EQ(q.NormPosB, 470);
}

struct TabRow {
  std::string_view Name;
  std::optional<std::string_view> VBIni;  // nullopt: no VB.INI at all
  int Expected;
};

class VBTabStops : public ::testing::TestWithParam<TabRow> {};

TEST_P(VBTabStops, ReadIntoTabWidth) {
  TempDir dir;
  if (GetParam().VBIni) dir.Write("VB.INI", std::string(*GetParam().VBIni));
  EXPECT_EQ(ReadVBTabStops(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, VBTabStops,
    ::testing::Values(TabRow{"NoFile", std::nullopt, 4},
                      TabRow{"NoKey", "[Visual Basic]\nOther=1\n", 4},
                      TabRow{"Eight", "[Visual Basic]\nTabStops=8\n", 8},
                      TabRow{"Hex", "[visual basic]\ntabstops=0x2\n", 2},
                      TabRow{"Letters", "[Visual Basic]\nTabStops=wide\n", 4},
                      TabRow{"Zero", "[Visual Basic]\nTabStops=0\n", 4},
                      TabRow{"Huge", "[Visual Basic]\nTabStops=100000\n", 4}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm
