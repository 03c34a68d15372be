// SPDX-License-Identifier: MIT
// quillmate-cli format: restyles one source file to standard output, as a processing run restyles
// a project's file, restyles any number of them in place (--write), or checks them (--check,
// --diff) as formatters do in CI.

#include <algorithm>
#include <filesystem>
#include <istream>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_args.h"
#include "cli_settings.h"
#include "editor/restyle.h"
#include "engine/formatter.h"
#include "engine/outputtext.h"
#include "engine/programcheck.h"
#include "messages.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "settings/profile_entries.h"
#include "ui/progress.h"
#include "ui/prompts.h"
#include "unified_diff.h"

namespace qm::cli {

namespace {

constexpr std::string_view kFormatUsage =
    "usage: quillmate-cli format [OPTION]... [FILE|-]\n"
    "       quillmate-cli format (--write|--check|--diff) [OPTION]... FILE...\n"
    "\n"
    "Restyles one Visual Basic source file and writes it to standard output. Without FILE, or\n"
    "with -, the source is read from standard input. With --write any number of files are\n"
    "restyled in place; with --check or --diff they are looked at and nothing is written but\n"
    "the report. Lines the restyle leaves alone keep their bytes and line ends; changed and new\n"
    "lines take the line end most lines of the file have (CRLF when it has none).\n"
    "\n"
    "  -i, --write            restyle each FILE in place: a file that changes is replaced in\n"
    "                         one step (a new file beside it, then renamed over it, with its\n"
    "                         permissions); a file the safety check refuses is named and kept\n"
    "                         as it is, and the others are still written (exit 2)\n"
    "  --check                list the files that would change; exit with 1 when any would\n"
    "  --diff                 print a patch of every file that would change: --- a/FILE and\n"
    "                         +++ b/FILE name it relative to the working directory, and the\n"
    "                         patch (for git apply, or patch -p1) gives the restyled bytes\n"
    "  --settings FILE        settings file to use; by default the nearest VBQUILL3.INI:\n"
    "                         in the source's directory or a parent, up to the repository's\n"
    "                         root (.git, .hg, .svn); else the saved settings\n"
    "  --kind KIND            form, module or class; by default the kind that the file's\n"
    "                         extension gives (FRM, BAS, CLS), and module for standard input\n"
    "  --stdin-filename NAME  the name of the source read from standard input: its extension\n"
    "                         gives the kind and its directory the settings file\n"
    "  --verbose              say on standard error which settings file is used, and with\n"
    "                         --write which files were restyled\n"
    "  --help                 print this help\n"
    "\n"
    "A file changes when its restyled lines differ from its lines. --check and --diff with\n"
    "--write report and write nothing.\n"
    "Exit status: 0 done, 1 --check found files that would change, 2 error.\n";

struct TFormatOptions {
  std::string Settings;
  std::string Kind;
  std::string StdinFilename;
  std::vector<std::string> Files;  // none, or "-": standard input
  bool Write = false;
  bool Check = false;
  bool Diff = false;
  bool Verbose = false;
  bool Help = false;
};

bool ParseFormatOptions(const TArgs& args, TFormatOptions& options, std::string& problem) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--write" || arg == "-i") {
      options.Write = true;
    } else if (arg == "--check") {
      options.Check = true;
    } else if (arg == "--diff") {
      options.Diff = true;
    } else if (arg == "--verbose" || arg == "-v") {
      options.Verbose = true;
    } else if (IsValueOption(args, i, "--settings", options.Settings, problem) ||
               IsValueOption(args, i, "--kind", options.Kind, problem) ||
               IsValueOption(args, i, "--stdin-filename", options.StdinFilename, problem)) {
      if (!problem.empty()) return false;
    } else if (arg == "--") {
      options.Files.insert(options.Files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (IsOptionLike(arg)) {
      return UnknownOption(arg, problem);
    } else {
      options.Files.push_back(arg);
    }
  }
  if (options.Files.size() > 1 && !options.Write && !options.Check && !options.Diff) {
    problem = "give at most one source file, or take several with --write or --check or --diff";
    return false;
  }
  if (options.Write && (options.Files.empty() || std::count(options.Files.begin(), options.Files.end(), "-") > 0)) {
    problem = "--write restyles files in place: give their names (standard input has no file to write)";
    return false;
  }
  if (std::count(options.Files.begin(), options.Files.end(), "-") > 1) {
    problem = "standard input (-) can be read only once";
    return false;
  }
  return true;
}

bool KindByName(const std::string& name, std::uint8_t& kind) {
  if (name == "form") {
    kind = rkForm;
  } else if (name == "module") {
    kind = rkModule;
  } else if (name == "class") {
    kind = rkClass;
  } else {
    return false;
  }
  return true;
}

// Messages of the engine go to standard error; questions get the first button's answer.
class TFormatPrompts final : public IPrompts {
 public:
  explicit TFormatPrompts(std::ostream& err) : err_(err) {}

  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    err_ << "quillmate-cli: " << (kind == TMsgKind::Error ? "error: " : kind == TMsgKind::Warning ? "warning: " : "")
         << text << '\n';
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::Yes : TAnswer::Ok;
  }

 private:
  std::ostream& err_;
};

int Fail(std::ostream& err, const std::string& problem) {
  err << "quillmate-cli: " << problem << '\n';
  return kExitError;
}

// The settings of one settings file with its header comment templates, loaded once however many
// sources use them.
struct TLoadedSettings {
  TSettings Settings;
  TCommentTemplates Templates;
};

class TSettingsCache {
 public:
  TSettingsCache(const TFormatOptions& options, IPrompts& prompts, std::ostream& err)
      : options_(options), prompts_(prompts), err_(err) {}

  // The settings for a source in directory; null (with the reason told) when they cannot be read.
  TLoadedSettings* For(const std::string& directory) {
    const std::string file = FindCliSettings(options_.Settings, directory);
    auto found = loaded_.find(file);
    if (found != loaded_.end()) return found->second.get();
    auto settings = std::make_unique<TLoadedSettings>();
    if (std::string problem; !LoadCliSettings(file, settings->Settings, settings->Templates, prompts_, problem)) {
      Fail(err_, "error: " + problem);
      return nullptr;
    }
    if (options_.Verbose) err_ << "quillmate-cli: " << DescribeCliSettings(file) << '\n';
    return loaded_.emplace(file, std::move(settings)).first->second.get();
  }

 private:
  const TFormatOptions& options_;
  IPrompts& prompts_;
  std::ostream& err_;
  std::map<std::string, std::unique_ptr<TLoadedSettings>> loaded_;
};

// One source to restyle: where its bytes come from and the name it goes by.
struct TSource {
  bool FromStdin = false;
  std::string File;         // the path given; empty for standard input
  std::string DisplayName;  // the path given, the --stdin-filename, or "-"
  std::string KindName;     // the name whose extension gives the kind; empty for none
  std::string Directory;    // where a settings file beside the source is looked for
};

TSource SourceOf(const std::string& file, const TFormatOptions& options) {
  TSource source;
  source.FromStdin = file.empty() || file == "-";
  if (source.FromStdin) {
    source.DisplayName = options.StdinFilename.empty() ? std::string("-") : options.StdinFilename;
    source.KindName = options.StdinFilename;
  } else {
    source.File = source.DisplayName = source.KindName = file;
  }
  if (!source.KindName.empty()) {
    source.Directory = std::filesystem::path(Absolute(source.KindName)).parent_path().string();
  }
  return source;
}

bool ReadSource(const TSource& source, std::istream& in, std::string& bytes, std::ostream& err) {
  if (source.FromStdin) {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return Fail(err, "error: cannot read standard input"), false;
    return true;
  }
  if (std::error_code ec; std::filesystem::is_directory(source.File, ec)) {
    return Fail(err, "error: " + source.File + " is a directory"), false;
  }
  if (std::string why; !ReadFileBytes(source.File, bytes, &why)) {
    return Fail(err, "error: cannot read " + source.File + (why.empty() ? "" : ": " + why)), false;
  }
  return true;
}

// What came of one source: kExitOk (unchanged, or written out), kExitFindings (it would change),
// or kExitError (told on err).
int FormatSource(const TSource& source, std::uint8_t kind, std::istream& in, std::ostream& out, std::ostream& err,
                 const TFormatOptions& options, TSettingsCache& cache, IPrompts& prompts) {
  std::string bytes;
  if (!ReadSource(source, in, bytes, err)) return kExitError;
  TLoadedSettings* loaded = cache.For(source.Directory);
  if (!loaded) return kExitError;

  const TLines before = SplitLines(bytes);
  const std::string fileName = source.KindName.empty() ? std::string("-") : ExtractFileName(source.KindName);
  const TRestyled restyled =
      RestyleSource(before, TRestyleRequest{loaded->Settings, &loaded->Templates, prompts, kind, fileName});
  if (!restyled.Done) return Fail(err, "cancelled");
  // Nothing is written (nor reported as a change) when the restyled text would read as another
  // program.
  if (restyled.MismatchLine) {
    return Fail(err, "error: " + msg::Fill(msg::NotSavedProgramChange, {fileName, std::to_string(*restyled.MismatchLine)}));
  }

  // The same bytes go to standard output, into the file with --write, and into the patch.
  const std::string text = RestyledBytes(bytes, restyled.Output);
  if (!options.Write && !options.Check && !options.Diff) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) return Fail(err, "error: cannot write to standard output");
    return kExitOk;
  }
  // Unchanged lines keep their bytes, so equal lines give the file's own bytes.
  if (text == bytes) return kExitOk;
  if (options.Diff) {
    // A patch of the source that gives, applied, the bytes --write writes.
    const std::string name = source.FromStdin && source.KindName.empty() ? std::string("-") : PatchName(source.DisplayName);
    WriteUnifiedPatch(out, "a/" + name, "b/" + name, bytes, text);
  } else if (options.Check) {
    out << source.DisplayName << '\n';
  } else {
    if (std::string why; !RewriteFileBytes(source.File, bytes, text, &why)) {
      return Fail(err, "error: cannot write " + source.File + ": " + why);
    }
    if (options.Verbose) err << "quillmate-cli: restyled " << source.DisplayName << '\n';
    return kExitOk;
  }
  return kExitFindings;
}

}  // namespace

int CmdFormat(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
  TFormatOptions options;
  std::string problem;
  const bool parsed = ParseFormatOptions(args, options, problem);
  if (const auto done = AfterParsing(parsed, problem, options.Help, "format", kFormatUsage, out, err)) return *done;
  std::uint8_t forcedKind = rkModule;
  if (!options.Kind.empty() && !KindByName(options.Kind, forcedKind)) {
    return Fail(err, "unknown kind " + options.Kind + " (form, module or class)");
  }
  if (options.Files.empty()) options.Files.push_back("-");

  TFormatPrompts prompts(err);
  TSettingsCache cache(options, prompts, err);
  bool failed = false;
  bool wouldChange = false;
  for (const std::string& file : options.Files) {
    const TSource source = SourceOf(file, options);
    std::uint8_t kind = forcedKind;
    if (options.Kind.empty()) {
      kind = source.KindName.empty() ? std::uint8_t{rkModule} : KindOfExt(UpperCase(ExtractFileExt(source.KindName)));
    }
    const int result = FormatSource(source, kind, in, out, err, options, cache, prompts);
    failed = failed || result == kExitError;
    wouldChange = wouldChange || result == kExitFindings;
  }
  if (failed) return kExitError;
  return options.Check && wouldChange ? kExitFindings : kExitOk;
}

}  // namespace qm::cli
