// SPDX-License-Identifier: MIT
#pragma once

// quillmate-cli: the core without a window, for scripts, editors and CI.

#include <iosfwd>
#include <string>
#include <vector>

namespace qm::cli {

using TArgs = std::vector<std::string>;

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;  // --check found files that would change; spell found words
inline constexpr int kExitError = 2;

// Dispatches on the first argument: "format", "diff", "spell", "formtree", "stats", "lsp", or a
// project run.
int RunCli(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err);

// Subcommands; args exclude the subcommand's own name.
int CmdProcess(const TArgs& args, std::ostream& out, std::ostream& err);
int CmdFormat(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err);
int CmdDiff(const TArgs& args, std::ostream& out, std::ostream& err);
int CmdSpell(const TArgs& args, std::ostream& out, std::ostream& err);
int CmdFormTree(const TArgs& args, std::ostream& out, std::ostream& err);
int CmdStats(const TArgs& args, std::ostream& out, std::ostream& err);
int CmdLsp(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace qm::cli
