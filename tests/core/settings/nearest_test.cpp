// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/nearest.h"
#include "temp_dir.h"

namespace qm {
namespace {

struct NearestCase {
  const char* Name;
  std::vector<std::string> Files;  // created below the temporary folder ("x/" makes a folder)
  std::string Start;               // the folder asked about
  std::string Expected;            // the file found, relative; empty for none
};

class NearestSettings : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestSettings, FindsTheFileThatGovernsAFolder) {
  const NearestCase& c = GetParam();
  test::TempDir tmp;
  for (const std::string& file : c.Files) {
    if (file.ends_with('/')) {
      std::filesystem::create_directories(tmp / file);
    } else {
      tmp.Write(file, "[Options]\r\n");
    }
  }
  std::filesystem::create_directories(tmp / c.Start);
  EXPECT_EQ(NearestSettingsFile(tmp / c.Start), c.Expected.empty() ? "" : tmp / c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, NearestSettings,
    ::testing::Values(
        NearestCase{"BesideTheSource", {"repo/.git/", "repo/VBQUILL3.INI", "repo/src/VBQUILL3.INI"},
                    "repo/src", "repo/src/VBQUILL3.INI"},
        NearestCase{"TwoFoldersUp", {"repo/.git/", "repo/VBQUILL3.INI"}, "repo/src/forms", "repo/VBQUILL3.INI"},
        NearestCase{"AnyLetterCase", {"repo/.hg/", "repo/vbquill3.ini"}, "repo/a/b", "repo/vbquill3.ini"},
        NearestCase{"StopsAtTheRepositoryRoot", {"VBQUILL3.INI", "repo/.git/"}, "repo/src", ""},
        NearestCase{"GitFileOfAWorktreeIsARoot", {"VBQUILL3.INI", "wt/.git"}, "wt/src", ""},
        NearestCase{"SubversionRoot", {"VBQUILL3.INI", "co/.svn/"}, "co", ""},
        NearestCase{"RootItselfIsSearched", {"repo/.git/", "repo/VBQUILL3.INI"}, "repo", "repo/VBQUILL3.INI"},
        NearestCase{"OutsideARepositoryUpToTheTop", {"VBQUILL3.INI"}, "a/b/c", "VBQUILL3.INI"},
        NearestCase{"AFolderNamedLikeTheFileIsNone", {"repo/.git/", "repo/VBQUILL3.INI/"}, "repo/src", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ParentCase {
  const char* Name;
  const char* Folder;
  const char* Parent;
};

class ParentFolderOf : public ::testing::TestWithParam<ParentCase> {};

TEST_P(ParentFolderOf, StepsOneFolderUp) {
  EXPECT_EQ(ParentFolder(GetParam().Folder), GetParam().Parent);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ParentFolderOf,
    ::testing::Values(ParentCase{"WithSeparator", "/a/b/", "/a/"}, ParentCase{"WithoutSeparator", "/a/b", "/a/"},
                      ParentCase{"BelowRoot", "/a/", "/"}, ParentCase{"Root", "/", ""},
                      ParentCase{"WindowsFolder", "C:\\vb\\src\\", "C:\\vb\\"},
                      ParentCase{"WindowsDriveRoot", "C:\\", ""}, ParentCase{"BareName", "src", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm
