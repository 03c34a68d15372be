// SPDX-License-Identifier: MIT
#pragma once

// What the subcommands' option parsers share: options with a value, the one file a subcommand
// takes, and the message for an option none of them knows.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm::cli {

// An argument that reads as an option ("-" alone is standard input, a file).
inline bool IsOptionLike(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// Whether args[i] is the option NAME, given as "NAME VALUE" (i moves on to the value) or as
// "NAME=VALUE"; the value goes into `into`. NAME without a value is the option too, with the
// problem set.
inline bool IsValueOption(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                          std::string& into, std::string& problem) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 < args.size()) {
      into = args[++i];
    } else {
      problem = "option " + std::string(name) + " needs a value";
    }
    return true;
  }
  if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
    into = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

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
