// SPDX-License-Identifier: MIT
#pragma once

// What the subcommands' option parsers share: options with a value, the one file a subcommand
// takes, the message for an option none of them knows, and what follows the parse.

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli.h"

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

// After a subcommand's options are parsed: a problem is told with a pointer to the subcommand's
// --help (exit 2), --help prints its usage (exit 0); empty when the subcommand goes on.
inline std::optional<int> AfterParsing(bool parsed, const std::string& problem, bool help, std::string_view command,
                                       std::string_view usage, std::ostream& out, std::ostream& err) {
  if (!parsed) {
    err << "quillmate-cli: " << problem << "\nTry 'quillmate-cli " << command << " --help'.\n";
    return kExitError;
  }
  if (help) {
    out << usage;
    return kExitOk;
  }
  return std::nullopt;
}

}  // namespace qm::cli
