// SPDX-License-Identifier: MIT
#include "cli.h"

#include <algorithm>
#include <ostream>

namespace qm::cli {

namespace {

void PrintUsage(std::ostream& out) {
  out << "Usage: quillmate-cli [--settings FILE] [--output DIR|--in-place] [--check] [--diff]\n"
         "                     [--force] [--quiet] [--verbose] [--report json [--encoding NAME]]\n"
         "                     PROJECT\n"
         "       quillmate-cli format [--write|--check|--diff] [--settings FILE]\n"
         "                     [--kind form|module|class]\n"
         "                     [--stdin-filename NAME] [FILE...|-]\n"
         "       quillmate-cli diff LEFT RIGHT\n"
         "       quillmate-cli spell [--settings FILE] [--encoding NAME] [--literals] [--comments]\n"
         "                     PROJECT|FILE...\n"
         "       quillmate-cli formtree [--project NAME] [--encoding NAME] FILE\n"
         "       quillmate-cli stats [--json] [--encoding NAME] PROJECT\n"
         "       quillmate-cli lsp\n"
         "\n"
         "Restyles the forms, modules and classes of a Visual Basic project (.MAK or .VBP) into\n"
         "the output directory, by the settings of VBQUILL3.INI. The input files are never written,\n"
         "but with --in-place.\n"
         "\n"
         "  --settings FILE  read the settings from FILE; by default the nearest VBQUILL3.INI:\n"
         "                   in the project's directory or a parent, up to the repository's\n"
         "                   root (.git, .hg, .svn); else the saved settings\n"
         "  --output DIR     write the output into DIR (relative to the working directory)\n"
         "  --in-place       restyle the project's selected sources themselves, each file that\n"
         "                   changes replaced in one step; no output directory, and nothing else\n"
         "                   of the project is written (a file the safety check refuses is\n"
         "                   named and kept; exit 2)\n"
         "  --check          write nothing; exit with 1 when any file would change\n"
         "  --diff           write nothing; print a patch of every source file that would change\n"
         "                   (--- a/FILE, +++ b/FILE relative to the working directory, for git\n"
         "                   apply or patch -p1; the lines per file go to standard error)\n"
         "  --force          replace output files changed since quillmate last wrote them\n"
         "                   (by default such a file is kept and the run exits with 2)\n"
         "  --quiet          print no line per file\n"
         "  --verbose        say on standard error which settings file is used\n"
         "  --report json    print one JSON object describing the run and every item instead\n"
         "                   of the lines per file (docs/json.md)\n"
         "  --encoding NAME  the code page of the names in the report (any name iconv knows,\n"
         "                   or auto); by default the settings' Encoding choice\n"
         "  --help           print this help\n"
         "  --version        print the version\n"
         "\n"
         "Each subcommand lists its options with --help (quillmate-cli format --help).\n"
         "Exit status: 0 done, 1 --check found files that would change, 2 error or cancelled.\n";
}

bool Has(const TArgs& args, std::string_view option) {
  return std::find(args.begin(), args.end(), option) != args.end();
}

}  // namespace

int RunCli(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "format") return CmdFormat(TArgs(args.begin() + 1, args.end()), in, out, err);
  if (!args.empty() && args[0] == "spell") return CmdSpell(TArgs(args.begin() + 1, args.end()), out, err);
  if (!args.empty() && args[0] == "diff") return CmdDiff(TArgs(args.begin() + 1, args.end()), out, err);
  if (!args.empty() && args[0] == "formtree") return CmdFormTree(TArgs(args.begin() + 1, args.end()), out, err);
  if (!args.empty() && args[0] == "lsp") return CmdLsp(TArgs(args.begin() + 1, args.end()), in, out, err);
  if (!args.empty() && args[0] == "stats") return CmdStats(TArgs(args.begin() + 1, args.end()), out, err);
  if (Has(args, "--help") || Has(args, "-h")) {
    PrintUsage(out);
    return kExitOk;
  }
  if (Has(args, "--version")) {
    out << "quillmate-cli " << QUILLMATE_VERSION << '\n';
    return kExitOk;
  }
  if (args.empty()) {
    PrintUsage(err);
    return kExitError;
  }
  return CmdProcess(args, out, err);
}

}  // namespace qm::cli
