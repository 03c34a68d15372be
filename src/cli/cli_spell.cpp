// SPDX-License-Identifier: MIT
// quillmate-cli spell: lists the words of comments and string literals that are not in the
// dictionary, file by file, and writes nothing.

#include "cli_spell.h"

#include <algorithm>
#include <ostream>

#include "cli.h"
#include "cli_args.h"
#include "cli_encoding.h"
#include "cli_settings.h"
#include "engine/linefuncs.h"
#include "messages.h"
#include "platform/paths.h"
#include "project/sourcemgt.h"
#include "spelling/dictionary.h"
#include "settings/profile_entries.h"
#include "ui/prompts.h"

namespace qm::cli {

namespace {

constexpr std::string_view kSpellUsage =
    "usage: quillmate-cli spell [--settings FILE] [--encoding NAME] [--literals] [--comments]\n"
    "                           PROJECT|FILE...\n"
    "\n"
    "Lists every word of the string literals and comments of the code that is not in the\n"
    "dictionary, one per line, as PATH:LINE:COLUMN: WORD (suggestions: ...). A project (.MAK,\n"
    ".VBP) stands for its forms, modules and classes. Nothing is written.\n"
    "\n"
    "  --settings FILE  settings file to use (its SpellChecker section chooses the\n"
    "                   dictionary); by default the VBQUILL3.INI nearest to the first\n"
    "                   PROJECT or FILE, up to the repository's root; else the saved settings\n"
    "  --encoding NAME  the code page of the sources (any name iconv knows, or auto):\n"
    "                   words are split on its characters, so that in a double-byte code\n"
    "                   page only ASCII letters make words; by default the Encoding choice\n"
    "                   of the settings file (auto falling back to Windows-1252 without one)\n"
    "  --literals       check string literals\n"
    "  --comments       check comments (neither option: both)\n"
    "  --help           print this help\n"
    "\n"
    "Exit status: 0 no word found, 1 words were listed, 2 error.\n";

constexpr std::size_t kMaxListedSuggestions = 5;

// The column in the line as read for a column in the line with tabs expanded.
int RawColumn(std::string_view raw, int expandedColumn, int tabWidth) {
  if (raw.find('\t') == std::string_view::npos) return expandedColumn;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (static_cast<int>(ExpandTabs(raw.substr(0, i), tabWidth).size()) >= expandedColumn - 1) return static_cast<int>(i) + 1;
  }
  return static_cast<int>(raw.size()) + 1;
}

bool IsProjectFile(const std::string& path) {
  const std::string ext = UpperCase(ExtractFileExt(path));
  return ext == ".MAK" || ext == ".VBP";
}

// Messages go to standard error; a question gets the answer that changes nothing.
class TSpellPrompts final : public IPrompts {
 public:
  explicit TSpellPrompts(std::ostream& err) : err_(err) {}
  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    err_ << "quillmate-cli: " << (kind == TMsgKind::Error ? "error: " : kind == TMsgKind::Warning ? "warning: " : "")
         << text << '\n';
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::No : TAnswer::Ok;
  }

 private:
  std::ostream& err_;
};

}  // namespace

TSpellLister::TSpellLister(std::ostream& out, IPrompts& prompts, std::string_view settingsFile)
    : out_(out), dialog_(speller_, prompts) {
  TSpellerOptions options;
  options.Load(settingsFile);
  speller_.SetOptions(options);
  // The answer "I&gnore" to every word: listed, and left as it stands.
  dialog_.ShowModal = [this] {
    List();
    dialog_.IgnoreButtonClick();
  };
}

void TSpellLister::SetFile(std::string displayPath, const TLines* lines) {
  path_ = std::move(displayPath);
  lines_ = lines;
}

void TSpellLister::FollowProject(const TSourceMgt* project, std::string projectArg) {
  project_ = project;
  projectArg_ = std::move(projectArg);
}

void TSpellLister::List() {
  if (project_ && project_->CurrentFile) {
    path_ = ItemDisplayPath(*project_, project_->CurrentFile->Path, projectArg_);
    lines_ = &project_->CurrentFile->Lines;
  }
  const int expanded = dialog_.WordColumn();
  const bool known = lines_ && line_ >= 0 && static_cast<std::size_t>(line_) < lines_->size();
  const int column = known ? RawColumn((*lines_)[static_cast<std::size_t>(line_)], expanded, tabWidth_) : expanded;
  out_ << path_ << ':' << line_ + 1 << ':' << column << ": " << dialog_.State.Misspell;
  if (dialog_.State.SuggestEnabled && !dialog_.State.SuggestList.empty()) {
    out_ << " (suggestions: ";
    const std::size_t n = std::min(kMaxListedSuggestions, dialog_.State.SuggestList.size());
    for (std::size_t i = 0; i < n; ++i) out_ << (i ? ", " : "") << dialog_.State.SuggestList[i];
    out_ << ')';
  }
  out_ << '\n';
  ++listed_;
}

std::string ItemDisplayPath(const TSourceMgt& project, const std::string& itemPath, const std::string& projectArg) {
  if (itemPath.rfind(project.ProjectDir, 0) != 0) return NativePath(itemPath);
  return NativePath(ExtractFilePath(projectArg) + itemPath.substr(project.ProjectDir.size()));
}

int CmdSpell(const TArgs& args, std::ostream& out, std::ostream& err) {
  std::string settingsFile, encodingName;
  bool literals = false, comments = false, help = false;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (std::string problem; IsValueOption(args, i, "--settings", settingsFile, problem) ||
                                    IsValueOption(args, i, "--encoding", encodingName, problem)) {
      if (!problem.empty()) {
        err << "quillmate-cli: " << problem << '\n';
        return kExitError;
      }
    } else if (arg == "--literals") {
      literals = true;
    } else if (arg == "--comments") {
      comments = true;
    } else if (arg == "--") {
      files.insert(files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (IsOptionLike(arg)) {
      err << "quillmate-cli: unknown option " << arg << "\nTry 'quillmate-cli spell --help'.\n";
      return kExitError;
    } else {
      files.push_back(arg);
    }
  }
  if (help) {
    out << kSpellUsage;
    return kExitOk;
  }
  if (!SpellCheckerAvailable()) {
    err << "quillmate-cli: this build has no spell checker\n";
    return kExitError;
  }
  if (files.empty()) {
    err << "quillmate-cli: no project or source file given\nTry 'quillmate-cli spell --help'.\n";
    return kExitError;
  }
  if (!literals && !comments) literals = comments = true;

  settingsFile = FindCliSettings(settingsFile, ExtractFilePath(Absolute(files.front())));
  TSettings settings;
  TCommentTemplates templates;
  TSpellPrompts prompts(err);
  if (std::string problem; !LoadCliSettings(settingsFile, settings, templates, prompts, problem)) {
    err << "quillmate-cli: error: " << problem << '\n';
    return kExitError;
  }
  settings.SetBool(SettingKey::SpellingPerform, true);
  settings.SetBool(SettingKey::SpellingLiterals, literals);
  settings.SetBool(SettingKey::SpellingComments, comments);

  TCliEncoding encoding;
  if (std::string problem; !encoding.Choose(encodingName, settingsFile.empty() ? std::string() : Absolute(settingsFile),
                                            problem)) {
    err << "quillmate-cli: " << problem << '\n';
    return kExitError;
  }
  TSpellLister lister(out, prompts, settingsFile.empty() ? std::string(kSettingsFileName) : Absolute(settingsFile));
  lister.SetTabWidth(settings.TabWidth());
  lister.Speller().CodePageSource = [&encoding] { return encoding.WordsPage(); };
  if (std::string problem; !lister.Dialog().BeginSpellRun(&problem)) {
    err << "quillmate-cli: error: " << msg::Format(msg::NoSpellingDictionary, problem) << '\n';
    return kExitError;
  }

  TNullProgress copying;
  TVBSrcFormatter formatter(TEngineServices{settings, prompts, lister, copying, nullptr, &templates, &lister.Dialog()});
  bool failed = false;
  // Only the first pass checks spelling, and only what it reports is kept.
  const auto check = [&](const std::string& displayPath, const std::string& path, std::uint8_t kind) {
    TLines lines;
    std::string why;
    if (!ReadLineFile(NativePath(path), lines, &why)) {
      err << "quillmate-cli: error: cannot read " << displayPath << (why.empty() ? "" : ": " + why) << '\n';
      failed = true;
      return;
    }
    if (encoding.IsAuto()) {
      // Auto decides per file; the speller splits words in the code page decided.
      encoding.Resolve(lines);
      TSpellerOptions options = lister.Speller().Options();
      options.Rules.CodePage = encoding.WordsPage();
      lister.Speller().SetOptions(options);
    }
    lister.SetFile(displayPath, &lines);
    formatter.FFileName = ExtractFileName(path);
    formatter.FFileKind = kind;
    formatter.FOutput.clear();
    formatter.FormatFile(lines, kPass1);
  };

  for (const std::string& file : files) {
    if (!IsProjectFile(file)) {
      check(file, file, KindOfExt(UpperCase(ExtractFileExt(file))));
      continue;
    }
    TSourceMgt project;
    if (project.ReadProjectFile(Absolute(file), prompts) != TReadOutcome::Read) {
      failed = true;
      continue;
    }
    for (const RFile* item : project.Items()) check(ItemDisplayPath(project, item->Path, file), item->Path, item->Kind);
  }
  if (failed) return kExitError;
  return lister.Listed() > 0 ? kExitFindings : kExitOk;
}

}  // namespace qm::cli
