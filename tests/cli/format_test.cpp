// SPDX-License-Identifier: MIT
// quillmate-cli format: one file (or standard input) restyled to standard output.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli.h"
#include "cli_run.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

using test::TempDir;

using TFormatResult = test::TCliRun;

TFormatResult Format(const TArgs& args, const std::string& stdinBytes = "") {
  return test::RunCaptured("format", args, stdinBytes);
}

constexpr std::string_view kSource = "Sub A ()\nIf x Then\ny = 1\nEnd If\nEnd Sub\n";

// Settings that leave every line alone.
constexpr std::string_view kNoChangeIni =
    "[General]\nOptionExplicitInsert=0\n[Indents]\nCodeIndentPerform=0\n";

TEST(CliFormat, RestylesStandardInputWithTheSavedSettings) {
  TempDir dir;  // an empty settings directory: the built-in defaults
  const TFormatResult r = Format({}, std::string(kSource));
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  // The inserted line's comment moves to the default in-line column in the second pass.
  // The source's LF line ends stay LF.
  EXPECT_EQ(r.Out,
            "Option Explicit                         'Force all variables to be declared before their use\n"
            "\n"
            "Sub A ()\n"
            "    If x Then\n"
            "        y = 1\n"
            "    End If\n"
            "End Sub\n");
  EXPECT_EQ(r.Err, "");
  // "-" names standard input too.
  EXPECT_EQ(Format({"-"}, std::string(kSource)).Out, r.Out);
}

TEST(CliFormat, SavedSettingsFileIsRead) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", kNoChangeIni);
  const TFormatResult r = Format({}, std::string(kSource));
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_EQ(r.Out, kSource);
}

TEST(CliFormat, SettingsOptionReplacesTheSavedSettings) {
  TempDir dir;
  const std::string ini = dir.Write("plain/my.ini", kNoChangeIni);
  for (const TArgs& args : {TArgs{"--settings", ini}, TArgs{"--settings=" + ini}}) {
    const TFormatResult r = Format(args, std::string(kSource));
    EXPECT_EQ(r.Code, kExitOk) << r.Err;
    EXPECT_EQ(r.Out, kSource);
  }
}

TEST(CliFormat, FileIsReadAndLeftAsItWas) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", kNoChangeIni);
  const std::string source = "Sub A ()\r\n\tx = \"Caf\xE9\"\r\nEnd Sub";
  const std::string path = dir.Write("src/MAIN.BAS", source);
  const TFormatResult r = Format({path});
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  // Tabs expanded, bytes above 127 as they were, the last line still without a line end.
  EXPECT_EQ(r.Out, "Sub A ()\r\n    x = \"Caf\xE9\"\r\nEnd Sub");
  EXPECT_EQ(dir.Read("src/MAIN.BAS"), source);
}

// A VB3 file that ends in the end-of-file byte (Ctrl-Z): the byte, and what follows it on its line,
// come out as read, with no line end added; the code before it is restyled; the check passes.
TEST(CliFormat, EndOfFileByteIsWrittenAsRead) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", "[General]\nOptionExplicitInsert=0\n[Indents]\nCodeIndentPerform=1\n");
  const std::string path = dir.Write("OLD.BAS", "Sub A ()\r\nx = 1\r\nEnd Sub\r\n\x1A");
  const TFormatResult r = Format({path});
  EXPECT_EQ(r.Code, kExitOk) << r.Err;
  EXPECT_EQ(r.Out, "Sub A ()\r\n    x = 1\r\nEnd Sub\r\n\x1A");
}

TEST(CliFormat, HelpGoesToStandardOutput) {
  const TFormatResult r = Format({"--help"});
  EXPECT_EQ(r.Code, kExitOk);
  EXPECT_NE(r.Out.find("usage: quillmate-cli format"), std::string::npos);
}

struct ErrorRow {
  const char* name;
  TArgs args;
  std::string errorPart;
};

class CliFormatErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(CliFormatErrors, ExitTwoWithAMessageAndNoOutput) {
  TempDir dir;
  dir.Write("sub/A.BAS", "x = 1\n");
  TArgs args;
  for (const std::string& a : GetParam().args) {
    std::string arg = a;
    if (const auto at = arg.find("<dir>"); at != std::string::npos) arg.replace(at, 5, dir.Dir());
    args.push_back(arg);
  }
  const TFormatResult r = Format(args, "x = 1\n");
  EXPECT_EQ(r.Code, kExitError);
  EXPECT_EQ(r.Out, "");
  EXPECT_NE(r.Err.find(GetParam().errorPart), std::string::npos) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(
    CliFormat, CliFormatErrors,
    ::testing::Values(ErrorRow{"MissingFile", {"<dir>none.bas"}, "cannot read"},
                      ErrorRow{"Directory", {"<dir>sub"}, "is a directory"},
                      ErrorRow{"TwoFiles", {"<dir>sub/A.BAS", "<dir>sub/A.BAS"}, "at most one source file"},
                      ErrorRow{"UnknownOption", {"--fast"}, "unknown option --fast"},
                      ErrorRow{"UnknownKind", {"--kind", "report"}, "unknown kind report"},
                      ErrorRow{"KindWithoutValue", {"--kind"}, "needs a value"},
                      ErrorRow{"MissingSettings", {"--settings", "<dir>none.ini"}, "settings file"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm::cli
