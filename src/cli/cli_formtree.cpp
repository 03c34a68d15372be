// SPDX-License-Identifier: MIT
// quillmate-cli formtree: the control description of one form as the form tree window shows it,
// as JSON.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/formtree.h"
#include "cli.h"
#include "cli_args.h"
#include "cli_encoding.h"
#include "cli_settings.h"
#include "messages.h"
#include "platform/linefile.h"
#include "platform/paths.h"

namespace qm::cli {

namespace {

constexpr std::string_view kFormTreeUsage =
    "usage: quillmate-cli formtree [--project NAME] [--encoding NAME] FILE\n"
    "\n"
    "Prints the controls of a Visual Basic form (.FRM) and their properties as a JSON tree:\n"
    "each node {\"caption\", \"image\", \"children\"}, and first among a node's children a\n"
    "{\"caption\": \"Properties\", \"image\": 4, \"properties\": [[NAME, VALUE], ...]} node\n"
    "when it has properties. The root is captioned \"Form: \" and NAME, by default the\n"
    "file's name without its extension. The root also carries \"schemaVersion\": 1.\n"
    "\n"
    "  --project NAME   the name the root's caption gives the form\n"
    "  --encoding NAME  the code page of the form's text (any name iconv knows, as\n"
    "                   shift_jis or windows-1251, or auto: UTF-8 when the text is valid\n"
    "                   UTF-8, a code page the detector is sure of, else the fallback); by\n"
    "                   default the Encoding choice of the nearest VBQUILL3.INI or the saved\n"
    "                   settings (auto falling back to Windows-1252 without one)\n"
    "  --help           print this help\n";

struct TFormTreeOptions {
  std::string Project;
  bool HaveProject = false;
  std::string File;
  std::string Encoding;
  bool Help = false;
};

bool ParseFormTreeOptions(const TArgs& args, TFormTreeOptions& options, std::string& problem) {
  bool noMoreOptions = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!noMoreOptions && (arg == "--help" || arg == "-h")) {
      options.Help = true;
    } else if (!noMoreOptions && IsValueOption(args, i, "--project", options.Project, problem)) {
      if (!problem.empty()) return false;
      options.HaveProject = true;
    } else if (!noMoreOptions && IsValueOption(args, i, "--encoding", options.Encoding, problem)) {
      if (!problem.empty()) return false;
    } else if (!noMoreOptions && arg == "--") {
      noMoreOptions = true;
    } else if (!noMoreOptions && IsOptionLike(arg)) {
      return UnknownOption(arg, problem);
    } else if (!TakeTheFile(arg, options.File, "form", problem)) {
      return false;
    }
  }
  return HasTheFile(options.File, options.Help, "form", problem);
}

std::string JsonText(const TCliEncoding& encoding, std::string_view bytes) {
  return nlohmann::json(encoding.ToUtf8(bytes)).dump();
}

// Written as a stream rather than built as one JSON value, so that a file nested a hundred
// thousand blocks deep is written without recursion.
void WriteFormTreeJson(std::ostream& out, const TFormTree& tree, const TCliEncoding& encoding) {
  const std::vector<TFormTreeRow> rows = FormTreeRows(tree);
  struct Open {
    int Row;
    bool HasChildren;
  };
  std::vector<Open> open;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TFormTreeRow& row = rows[i];
    while (!open.empty() && open.back().Row != row.Parent) {
      out << "]}";
      open.pop_back();
    }
    if (!open.empty()) {
      if (open.back().HasChildren) out << ',';
      open.back().HasChildren = true;
    }
    out << (i == 0 ? "{\"schemaVersion\":1,\"caption\":" : "{\"caption\":") << JsonText(encoding, row.Caption) << ",\"image\":" << row.Image;
    if (const std::vector<RFormProp>* props = PropertiesOfRow(tree, row)) {
      nlohmann::json list = nlohmann::json::array();
      for (const RFormProp& prop : *props) list.push_back({encoding.ToUtf8(prop.Name), encoding.ToUtf8(prop.Value)});
      out << ",\"properties\":" << list.dump() << '}';
    } else {
      out << ",\"children\":[";
      open.push_back({static_cast<int>(i), false});
    }
  }
  for (; !open.empty(); open.pop_back()) out << "]}";
  out << '\n';
}

}  // namespace

int CmdFormTree(const TArgs& args, std::ostream& out, std::ostream& err) {
  TFormTreeOptions options;
  std::string problem;
  const bool parsed = ParseFormTreeOptions(args, options, problem);
  if (const auto done = AfterParsing(parsed, problem, options.Help, "formtree", kFormTreeUsage, out, err)) return *done;
  if (std::error_code ec; std::filesystem::is_directory(options.File, ec)) {
    err << "quillmate-cli: error: " << options.File << " is a directory\n";
    return kExitError;
  }
  TCliEncoding encoding;
  if (!encoding.Choose(options.Encoding, FindCliSettings("", ExtractFilePath(Absolute(options.File))), problem)) {
    err << "quillmate-cli: " << problem << '\n';
    return kExitError;
  }
  TLines lines;
  if (std::string why; !ReadLineFile(options.File, lines, &why)) {
    err << "quillmate-cli: error: cannot read " << options.File << (why.empty() ? "" : ": " + why) << '\n';
    return kExitError;
  }
  encoding.Resolve(lines);
  const std::string itemName = ExtractFileName(options.File);
  const std::string project = options.HaveProject ? options.Project : ChangeFileExt(itemName, "");
  const TFormTree tree = BuildFormModel(project, itemName, lines);
  if (tree.Binary) {
    err << "quillmate-cli: error: " << msg::Format(msg::BinaryForm, itemName) << '\n';
    return kExitError;
  }
  WriteFormTreeJson(out, tree, encoding);
  out.flush();
  if (!out) {
    err << "quillmate-cli: error: cannot write to standard output\n";
    return kExitError;
  }
  return kExitOk;
}

}  // namespace qm::cli
