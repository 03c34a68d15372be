// SPDX-License-Identifier: MIT
#pragma once

// What the subcommands' option parsers share: the one file a subcommand takes, and the message
// for an option none of them knows.

#include <string>
#include <string_view>

namespace qm::cli {

// An argument that reads as an option ("-" alone is standard input, a file).
inline bool IsOptionLike(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

inline bool UnknownOption(const std::string& arg, std::string& problem) {
  problem = "unknown option " + arg;
  return false;
}

// Takes the subcommand's one file ("project", "form"); false, with the problem, for a second one.
inline bool TakeTheFile(const std::string& arg, std::string& file, std::string_view what, std::string& problem) {
  if (file.empty()) {
    file = arg;
    return true;
  }
  problem = "give exactly one " + std::string(what) + " file";
  return false;
}

// After the arguments: false, with the problem, when the file was not given (help asks for none).
inline bool HasTheFile(const std::string& file, bool help, std::string_view what, std::string& problem) {
  if (!file.empty() || help) return true;
  problem = "no " + std::string(what) + " file given";
  return false;
}

}  // namespace qm::cli
