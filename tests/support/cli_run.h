// SPDX-License-Identifier: MIT
#pragma once

// Runs the command-line driver in process, with standard input given and its exit code, standard
// output and standard error captured.

#include <sstream>
#include <string>

#include "cli.h"

namespace qm::test {

struct TCliRun {
  int Code;
  std::string Out;
  std::string Err;
};

inline TCliRun RunCaptured(const cli::TArgs& args, const std::string& stdinBytes = "") {
  std::istringstream in(stdinBytes);
  std::ostringstream out, err;
  const int code = cli::RunCli(args, in, out, err);
  return {code, out.str(), err.str()};
}

// The same for a subcommand ("format", "diff", ...) followed by args.
inline TCliRun RunCaptured(const char* subcommand, const cli::TArgs& args, const std::string& stdinBytes = "") {
  cli::TArgs all{subcommand};
  all.insert(all.end(), args.begin(), args.end());
  return RunCaptured(all, stdinBytes);
}

}  // namespace qm::test
