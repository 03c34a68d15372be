// SPDX-License-Identifier: MIT
// A real editor as the client: headless Neovim starts quillmate-cli lsp, restyles a module through
// it and writes it; the file must then hold exactly what quillmate-cli format writes. Skipped
// where nvim is not installed (scripts/install-deps.sh installs it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_dir.h"

namespace qm::cli {
namespace {

using test::TempDir;

bool HaveNvim() { return std::system("command -v nvim >/dev/null 2>&1") == 0; }

struct ModuleRow {
  const char* Name;
  const char* Example;  // below examples/
};

class NeovimClient : public ::testing::TestWithParam<ModuleRow> {};

TEST_P(NeovimClient, RestylesAModuleAsFormatDoes) {
  if (!HaveNvim()) GTEST_SKIP() << "nvim is not installed";
  TempDir dir;
  const std::filesystem::path example = std::filesystem::path(EXAMPLES_DIR) / GetParam().Example;
  const std::string name = example.filename().string();
  std::filesystem::copy_file(example, dir / name);
  // Both programs see the same empty settings directory and no settings file on the way up.
  const std::string env = "cd '" + dir.Dir() + "' && XDG_CONFIG_HOME='" + dir.Dir() + "config' XDG_DATA_HOME='" +
                          dir.Dir() + "data' XDG_STATE_HOME='" + dir.Dir() + "state' XDG_CACHE_HOME='" + dir.Dir() +
                          "cache' QUILLMATE_CLI='" QUILLMATE_CLI_BINARY "' ";
  const std::string format = env + "'" QUILLMATE_CLI_BINARY "' format '" + name + "' > expected 2> format.err";
  ASSERT_EQ(std::system(format.c_str()), 0) << dir.Read("format.err");
  const std::string nvim = env + "timeout 60 nvim --headless -n -i NONE -u '" TEST_DATA_DIR "/lsp/init.lua' '" + name +
                           "' > nvim.out 2> nvim.err";
  const int status = std::system(nvim.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << dir.Read("nvim.err") << dir.Read("nvim.out");
  const std::string expected = dir.Read("expected");
  EXPECT_EQ(dir.Read(name), expected);
  std::ifstream original(example, std::ios::binary);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(original), {}), expected) << "the example needs no restyle";
}

INSTANTIATE_TEST_SUITE_P(Examples, NeovimClient,
                         ::testing::Values(ModuleRow{"FormWithControls", "vb4/frmMain.frm"},
                                           ModuleRow{"CodeModule", "vb4/Stock.bas"},
                                           ModuleRow{"ClassModule", "vb4/CItem.cls"},
                                           ModuleRow{"Vb3Module", "vb3/REPORT.BAS"}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qm::cli
