// SPDX-License-Identifier: MIT
// quillmate-cli lsp: the language server over standard input and output.

#include <istream>
#include <ostream>

#include "cli.h"
#include "cli_args.h"
#include "lsp/server.h"

namespace qm::cli {

namespace {

constexpr std::string_view kLspUsage =
    "usage: quillmate-cli lsp\n"
    "\n"
    "Runs a language server for Visual Basic sources (.bas, .cls, .frm, .ctl, .pag, .dob,\n"
    ".dsr) on standard input and output, for editors that speak the Language Server\n"
    "Protocol: restyle a document or the procedures of a selection, the lines a restyle\n"
    "would change and misspelled words as diagnostics, procedures, Types, Enums and a form's\n"
    "controls as symbols, and the code actions \"Insert procedure header\" and \"Restyle this\n"
    "procedure\". A document takes the settings of the VBQUILL3.INI nearest to its folder, up\n"
    "to the repository's root; else (and for a buffer that is no file) the saved settings.\n"
    "The editor starts the server; docs/editors.md shows how. Notes go to standard error.\n"
    "\n"
    "  --help  print this help\n"
    "\n"
    "Exit status: 0 after shutdown and exit, 1 when the input ended or exit came first,\n"
    "2 error.\n";

}  // namespace

int CmdLsp(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << kLspUsage;
      return kExitOk;
    }
    err << "quillmate-cli: unknown " << (IsOptionLike(arg) ? "option " : "argument ") << arg
        << "\nTry 'quillmate-cli lsp --help'.\n";
    return kExitError;
  }
  return lsp::RunLspServer(in, out, err);
}

}  // namespace qm::cli
