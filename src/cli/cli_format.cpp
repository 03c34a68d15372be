// quillmate-cli format: restyles one source file to standard output, as a processing run restyles
// a project's file, with the saved settings.

#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>
#include <string>

#include "cli.h"
#include "cli_settings.h"
#include "engine/formatter.h"
#include "engine/programcheck.h"
#include "globals.h"
#include "messages.h"
#include "platform/linefile.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "settings/profile_entries.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm::cli {

namespace {

constexpr std::string_view kFormatUsage =
    "usage: quillmate-cli format [--settings FILE] [--kind form|module|class] [FILE|-]\n"
    "\n"
    "Restyles one Visual Basic source file and writes it to standard output with CRLF line\n"
    "ends. Without FILE, or with -, the source is read from standard input.\n"
    "\n"
    "  --settings FILE  settings file to use instead of the saved settings\n"
    "  --kind KIND      form, module or class; by default the kind that the file's\n"
    "                   extension gives (FRM, BAS, CLS), and module for standard input\n";

struct TFormatOptions {
  std::string Settings;
  std::string Kind;
  std::string File;  // empty or "-": standard input
  bool Help = false;
};

bool ParseFormatOptions(const TArgs& args, TFormatOptions& options, std::string& problem) {
  bool haveFile = false;
  const auto takeFile = [&](const std::string& file) {
    if (haveFile) {
      problem = "give at most one source file";
      return false;
    }
    haveFile = true;
    options.File = file;
    return true;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        problem = "option " + arg + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--settings") {
      if (!value(options.Settings)) return false;
    } else if (arg.starts_with("--settings=")) {
      options.Settings = arg.substr(11);
    } else if (arg == "--kind") {
      if (!value(options.Kind)) return false;
    } else if (arg.starts_with("--kind=")) {
      options.Kind = arg.substr(7);
    } else if (arg == "--") {
      for (++i; i < args.size(); ++i) {
        if (!takeFile(args[i])) return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      problem = "unknown option " + arg;
      return false;
    } else if (!takeFile(arg)) {
      return false;
    }
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

}  // namespace

int CmdFormat(const TArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
  TFormatOptions options;
  if (std::string problem; !ParseFormatOptions(args, options, problem)) {
    return Fail(err, problem + "\nTry 'quillmate-cli format --help'.");
  }
  if (options.Help) {
    out << kFormatUsage;
    return kExitOk;
  }

  const bool fromStdin = options.File.empty() || options.File == "-";
  std::uint8_t kind = rkModule;
  if (!options.Kind.empty()) {
    if (!KindByName(options.Kind, kind)) return Fail(err, "unknown kind " + options.Kind + " (form, module or class)");
  } else if (!fromStdin) {
    kind = KindOfExt(UpperCase(ExtractFileExt(options.File)));
  }

  std::string bytes;
  if (fromStdin) {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return Fail(err, "error: cannot read standard input");
  } else {
    if (std::error_code ec; std::filesystem::is_directory(options.File, ec)) {
      return Fail(err, "error: " + options.File + " is a directory");
    }
    if (std::string why; !ReadFileBytes(options.File, bytes, &why)) {
      return Fail(err, "error: cannot read " + options.File + (why.empty() ? "" : ": " + why));
    }
  }

  TSettings settings;
  TCommentTemplates templates;
  TFormatPrompts prompts(err);
  if (std::string problem; !LoadCliSettings(options.Settings, settings, templates, prompts, problem)) {
    return Fail(err, "error: " + problem);
  }

  TNullProgress processing, copying;
  TVBSrcFormatter formatter(TEngineServices{settings, prompts, processing, copying, nullptr, &templates});
  formatter.FFileName = fromStdin ? std::string("-") : ExtractFileName(options.File);
  formatter.FFileKind = kind;
  CancelRequested = false;
  const TLines lines = SplitLines(bytes);
  if (!formatter.FormatPasses(lines)) return Fail(err, "cancelled");
  if (const auto line = ProgramMismatchLine(lines, formatter.FOutput, ProgramCheckOptionsFor(settings, &templates))) {
    std::string text(msg::NotSavedProgramChange);
    const std::size_t name = text.find("%s");
    text.replace(name, 2, formatter.FFileName);
    text.replace(text.find("%s", name + formatter.FFileName.size()), 2, std::to_string(*line));
    return Fail(err, "error: " + text);
  }

  std::string text;
  for (const TMarkedLine& line : formatter.FOutput) {
    text += line.Text;
    text += "\r\n";
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  if (!out) return Fail(err, "error: cannot write to standard output");
  return kExitOk;
}

}  // namespace qm::cli
