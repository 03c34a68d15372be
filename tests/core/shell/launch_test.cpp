// SPDX-License-Identifier: MIT
#include "shell/launch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

using A = TLaunch::TAction;

struct LaunchCase {
  const char* Name;
  std::vector<std::string> Args;
  A Action;
  std::string Project;
  A Early;  // what the look before the toolkit starts finds
};

class LaunchArgsTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(LaunchArgsTest, ParsesTheCommandLine) {
  const LaunchCase& c = GetParam();
  const TLaunch launch = ParseLaunchArgs(c.Args);
  EXPECT_EQ(launch.Action, c.Action);
  EXPECT_EQ(launch.Project, c.Project);
  EXPECT_EQ(launch.Action == A::Error, !launch.Problem.empty());
  EXPECT_EQ(EarlyLaunchAction(c.Args), c.Early);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LaunchArgsTest,
    ::testing::Values(
        LaunchCase{"NoArguments", {}, A::Run, "", A::Run},
        LaunchCase{"OneProject", {"/home/u/Inventory.vbp"}, A::Run, "/home/u/Inventory.vbp", A::Run},
        LaunchCase{"Help", {"--help"}, A::Help, "", A::Help},
        LaunchCase{"ShortHelp", {"-h"}, A::Help, "", A::Help},
        LaunchCase{"Version", {"--version"}, A::Version, "", A::Version},
        LaunchCase{"HelpAfterProject", {"P.MAK", "--help"}, A::Help, "", A::Help},
        LaunchCase{"DashNameAfterDoubleDash", {"--", "-odd.vbp"}, A::Run, "-odd.vbp", A::Run},
        LaunchCase{"HelpAfterDoubleDashIsAFile", {"--", "--help"}, A::Run, "--help", A::Run},
        LaunchCase{"LoneDashIsAFileName", {"-"}, A::Run, "-", A::Run},
        LaunchCase{"UnknownOption", {"--frobnicate"}, A::Error, "", A::Run},
        LaunchCase{"TwoProjects", {"A.VBP", "B.VBP"}, A::Error, "", A::Run},
        LaunchCase{"EmptyName", {""}, A::Error, "", A::Run}),
    [](const auto& info) { return std::string(info.param.Name); });

struct DropCase {
  const char* Name;
  std::vector<std::string> Paths;
  std::string Project;
};

class DroppedProjectTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(DroppedProjectTest, PicksTheFirstProjectFile) {
  EXPECT_EQ(DroppedProject(GetParam().Paths), GetParam().Project);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DroppedProjectTest,
    ::testing::Values(DropCase{"Nothing", {}, ""},
                      DropCase{"VbpLowerCase", {"/p/inventory.vbp"}, "/p/inventory.vbp"},
                      DropCase{"MakUpperCase", {"/p/LEDGER.MAK"}, "/p/LEDGER.MAK"},
                      DropCase{"MixedCase", {"/p/Ledger.Mak"}, "/p/Ledger.Mak"},
                      DropCase{"SourcesOnly", {"/p/MAIN.FRM", "/p/UTIL.BAS"}, ""},
                      DropCase{"ProjectAmongSources", {"/p/MAIN.FRM", "/p/A.VBP", "/p/B.VBP"}, "/p/A.VBP"},
                      DropCase{"ExtensionInDirectoryOnly", {"/p/x.vbp/README"}, ""},
                      DropCase{"NoExtension", {"/p/vbp"}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm
