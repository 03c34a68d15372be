// SPDX-License-Identifier: MIT
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "temp_dir.h"

namespace qm {
namespace {

// One foreign settings file, read by many rows.
const char* const kForeignIni =
    "; written by hand\r\n"
    "[General]\r\n"
    "IfThenSplit=1\r\n"
    "  AlignDimAsGroupQty  =   7   \r\n"
    "Quoted=\"  padded  \"\r\n"
    "Single='x'\r\n"
    "Mismatched=\"x'\r\n"
    "LoneQuote=\"\r\n"
    "TwoPairs=\"\"a\"\"\r\n"
    "Empty=\r\n"
    "Equals=a=b\r\n"
    "Inline=5 ; not a comment\r\n"
    ";Commented=1\r\n"
    "  ;Indented=1\r\n"
    "NoEquals\r\n"
    "Tabbed\t=\tt\t\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "[ Indents ]\r\n"
    "ifthenelseindent=3\r\n"
    "[general]\r\n"
    "Late=1\r\n"
    "[Visual Basic]\n"
    "TabStops=8";

struct ReadRow {
  const char* name;
  const char* section;
  const char* key;
  const char* expected;  // "<def>" when the default must come back
};

class ProfileReadTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ProfileReadTest, ReadsLikeTheWindowsProfileFunctions) {
  test::TempDir dir;
  dir.Write("VBQUILL3.INI", kForeignIni);
  const ReadRow& row = GetParam();
  EXPECT_EQ(GetPrivateProfileString(row.section, row.key, "<def>", "VBQUILL3.INI"), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileReadTest,
    ::testing::Values(
        ReadRow{"Plain", "General", "IfThenSplit", "1"},
        ReadRow{"SectionAndKeyIgnoreCase", "GENERAL", "ifthensplit", "1"},
        ReadRow{"BlanksAroundKeyAndValue", "General", "AlignDimAsGroupQty", "7"},
        ReadRow{"DoubleQuotesDropped", "General", "Quoted", "  padded  "},
        ReadRow{"SingleQuotesDropped", "General", "Single", "x"},
        ReadRow{"MismatchedQuotesKept", "General", "Mismatched", "\"x'"},
        ReadRow{"LoneQuoteKept", "General", "LoneQuote", "\""},
        ReadRow{"OnePairOnly", "General", "TwoPairs", "\"a\""},
        ReadRow{"EmptyValueIsNoDefault", "General", "Empty", ""},
        ReadRow{"FirstEqualsSplits", "General", "Equals", "a=b"},
        ReadRow{"SemicolonInsideValueKept", "General", "Inline", "5 ; not a comment"},
        ReadRow{"CommentLineIsNoKey", "General", ";Commented", "<def>"},
        ReadRow{"IndentedCommentIsNoKey", "General", ";Indented", "<def>"},
        ReadRow{"LineWithoutEquals", "General", "NoEquals", "<def>"},
        ReadRow{"TabsAreBlanks", "General", "Tabbed", "t"},
        ReadRow{"FirstDuplicateWins", "General", "Dup", "first"},
        ReadRow{"BlanksInsideBrackets", "Indents", "IfThenElseIndent", "3"},
        ReadRow{"KeyOfOtherSection", "Indents", "IfThenSplit", "<def>"},
        ReadRow{"FirstOfDuplicateSections", "General", "Late", "<def>"},
        ReadRow{"SectionWithBlankLfEndingNoFinalBreak", "visual basic", "TABSTOPS", "8"},
        ReadRow{"MissingSection", "SpellCheck", "SpellingPerform", "<def>"},
        ReadRow{"MissingKey", "General", "MultiVarSplit", "<def>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileTest, MissingFileGivesDefault) {
  test::TempDir dir;
  EXPECT_EQ(GetPrivateProfileString("General", "IfThenSplit", "0", "VBQUILL3.INI"), "0");
  EXPECT_EQ(GetPrivateProfileString("General", "IfThenSplit", "", dir / "none/x.ini"), "");
}

TEST(ProfileTest, ValueLimitedTo1023Characters) {
  test::TempDir dir;
  std::string value(1023, 'v');
  dir.Write("a.ini", "[S]\nExact=" + value + "\nLong=" + value + "XYZ\nQuoted=\"" + value + "Q\"\n");
  EXPECT_EQ(GetPrivateProfileString("S", "Exact", "", "a.ini"), value);
  EXPECT_EQ(GetPrivateProfileString("S", "Long", "", "a.ini"), value);
  EXPECT_EQ(GetPrivateProfileString("S", "Quoted", "", "a.ini"), value);
}

TEST(ProfileTest, HighBytesPassThrough) {
  test::TempDir dir;
  ASSERT_TRUE(WritePrivateProfileString("UserInformation", "UserName", "Ren\xE9 M\xFCller", "a.ini"));
  EXPECT_EQ(GetPrivateProfileString("UserInformation", "UserName", "", "a.ini"), "Ren\xE9 M\xFCller");
}

TEST(ProfileTest, BareNameFindsFileWhateverItsCase) {
  test::TempDir dir;
  dir.Write("vb.ini", "[Visual Basic]\r\nTabStops=2\r\n");
  EXPECT_EQ(GetPrivateProfileString("Visual Basic", "TabStops", "4", "VB.INI"), "2");
  EXPECT_EQ(ResolveProfilePath("VB.INI"), dir / "vb.ini");
  // A name with a directory is a path of its own, found whatever its case.
  dir.Write("Sub/My.ini", "[S]\r\nK=v\r\n");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", dir.Dir() + "sub\\MY.INI"), "v");
}

TEST(ProfileTest, WriteCreatesFileInWindowsFormat) {
  test::TempDir dir;
  ASSERT_TRUE(WritePrivateProfileString("General", "IfThenSplit", "1", "VBQUILL3.INI"));
  ASSERT_TRUE(WritePrivateProfileString("General", "AlignDimAsGroupQty", "2", "VBQUILL3.INI"));
  ASSERT_TRUE(WritePrivateProfileString("Indents", "ForNextIndent", "4", "VBQUILL3.INI"));
  ASSERT_TRUE(WritePrivateProfileString("general", "IFTHENSPLIT", "0", "VBQUILL3.INI"));
  EXPECT_EQ(dir.Read("VBQUILL3.INI"),
            "[General]\r\nIfThenSplit=0\r\nAlignDimAsGroupQty=2\r\n\r\n"
            "[Indents]\r\nForNextIndent=4\r\n");
}

TEST(ProfileTest, WriteKeepsForeignFileAsItWas) {
  test::TempDir dir;
  dir.Write("VBQUILL3.INI",
            "; my settings\n"
            "[General]\n"
            "IfThenSplit = 1\n"
            "; keep this\n"
            "Unknown=42\n"
            "\n"
            "[Other]\r\n"
            "x=y\r\n");
  ASSERT_TRUE(WritePrivateProfileString("General", "IfThenSplit", "0", "VBQUILL3.INI"));
  ASSERT_TRUE(WritePrivateProfileString("General", "MultiVarSplit", "1", "VBQUILL3.INI"));
  ASSERT_TRUE(WritePrivateProfileString("Other", "New", "v", "VBQUILL3.INI"));
  ASSERT_TRUE(WritePrivateProfileString("RecentFiles", "Item1", "/p/a.mak", "VBQUILL3.INI"));
  EXPECT_EQ(dir.Read("VBQUILL3.INI"),
            "; my settings\n"
            "[General]\n"
            "IfThenSplit = 0\n"
            "; keep this\n"
            "Unknown=42\n"
            "MultiVarSplit=1\n"
            "\n"
            "[Other]\r\n"
            "x=y\r\n"
            "New=v\n"
            "\n"
            "[RecentFiles]\n"
            "Item1=/p/a.mak\n");
}

struct InsertRow {
  const char* name;
  const char* before;
  const char* after;  // after writing K=v to section S
};

class ProfileInsertTest : public ::testing::TestWithParam<InsertRow> {};

TEST_P(ProfileInsertTest, PlacesNewEntry) {
  test::TempDir dir;
  dir.Write("a.ini", GetParam().before);
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "v", "a.ini"));
  EXPECT_EQ(dir.Read("a.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileInsertTest,
    ::testing::Values(
        InsertRow{"EmptyFile", "", "[S]\r\nK=v\r\n"},
        InsertRow{"EmptySection", "[S]\n[T]\n", "[S]\nK=v\n[T]\n"},
        InsertRow{"BeforeClosingBlankLines", "[S]\na=1\n\n\n[T]\n", "[S]\na=1\nK=v\n\n\n[T]\n"},
        InsertRow{"AfterLastEntryNotTrailingComment", "[S]\na=1\n; about T\n[T]\n",
                  "[S]\na=1\nK=v\n; about T\n[T]\n"},
        InsertRow{"LastLineWithoutBreak", "[S]\na=1", "[S]\na=1\nK=v\n"},
        InsertRow{"NewSectionAfterUnterminatedLine", "[T]\nb=2", "[T]\nb=2\n\n[S]\nK=v\n"},
        InsertRow{"NewSectionAfterBlankLine", "[T]\r\n\r\n", "[T]\r\n\r\n[S]\r\nK=v\r\n"},
        InsertRow{"ReplacesValueKeepsSpelling", "[s]\n  k =  old  \nz=1\n", "[s]\n  k =  v\nz=1\n"},
        InsertRow{"ReplacesOnlyFirstDuplicate", "[S]\nK=1\nK=2\n", "[S]\nK=v\nK=2\n"},
        InsertRow{"LoneCrFile", "[S]\ra=1\r", "[S]\ra=1\rK=v\r"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileTest, WriteCreatesSettingsDirectory) {
  test::TempDir dir;
  SetSettingsDirectory(dir / "deeper/quillmate");
  EXPECT_EQ(SettingsDirectory(), dir / "deeper/quillmate/");
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "v", "VBQUILL3.INI"));
  EXPECT_EQ(dir.Read("deeper/quillmate/VBQUILL3.INI"), "[S]\r\nK=v\r\n");
}

TEST(ProfileTest, RefusedWriteReturnsFalseAndLeavesNothing) {
  test::TempDir dir;
  dir.Write("blocker", "plain file");
  EXPECT_FALSE(WritePrivateProfileString("S", "K", "v", dir / "blocker/x.ini"));
  SetSettingsDirectory(dir / "blocker/settings");
  EXPECT_FALSE(WritePrivateProfileString("S", "K", "v", "VBQUILL3.INI"));
  EXPECT_EQ(dir.Read("blocker"), "plain file");
}

TEST(ProfileTest, RefusesEntriesThatWouldBreakTheFile) {
  test::TempDir dir;
  dir.Write("a.ini", "[S]\r\nK=1\r\n");
  EXPECT_FALSE(WritePrivateProfileString("S", "K", "two\r\n[Evil]", "a.ini"));
  EXPECT_FALSE(WritePrivateProfileString("S", "", "v", "a.ini"));
  EXPECT_FALSE(WritePrivateProfileString("", "K", "v", "a.ini"));
  EXPECT_FALSE(WritePrivateProfileString("S\n", "K", "v", "a.ini"));
  EXPECT_EQ(dir.Read("a.ini"), "[S]\r\nK=1\r\n");
}

class SettingsDirectoryEnvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSettingsDirectory("");
    Save("XDG_CONFIG_HOME", xdg_);
    Save("HOME", home_);
  }
  void TearDown() override {
    Restore("XDG_CONFIG_HOME", xdg_);
    Restore("HOME", home_);
  }
  static void Save(const char* name, std::optional<std::string>& slot) {
    if (const char* v = std::getenv(name)) slot = v;
  }
  static void Restore(const char* name, const std::optional<std::string>& slot) {
    if (slot) ::setenv(name, slot->c_str(), 1);
    else ::unsetenv(name);
  }
  std::optional<std::string> xdg_, home_;
};

TEST_F(SettingsDirectoryEnvTest, FollowsXdgThenHome) {
  ::setenv("XDG_CONFIG_HOME", "/xdg/conf", 1);
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(SettingsDirectory(), "/xdg/conf/quillmate/");
  ::setenv("XDG_CONFIG_HOME", "relative/conf", 1);  // relative values are ignored
  EXPECT_EQ(SettingsDirectory(), "/home/u/.config/quillmate/");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsDirectory(), "/home/u/.config/quillmate/");
  SetSettingsDirectory("/elsewhere");
  EXPECT_EQ(SettingsDirectory(), "/elsewhere/");
  SetSettingsDirectory("");
  EXPECT_EQ(SettingsDirectory(), "/home/u/.config/quillmate/");
}

}  // namespace
}  // namespace qm
