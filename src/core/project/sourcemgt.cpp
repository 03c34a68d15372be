// SPDX-License-Identifier: MIT
#include "project/sourcemgt.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "messages.h"
#include "platform/inorder.h"
#include "platform/os.h"
#include "platform/paths.h"
#include "ui/prompts.h"

namespace qm {

namespace {

bool IsTextStartByte(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case ' ': case '\r': case '\n': case '!': case '#': case '\'': case '*': case '.': case '/': case '\\':
      return true;
    default:
      return false;
  }
}

// The directory of a native project path, absolute and ending in '/'.
std::string ProjectDirectoryOf(const std::string& nativePath) {
  std::string dir = ExtractFilePath(nativePath);
  if (dir.empty() || !IsAbsoluteEntry(dir)) {
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    if (!ec && !cwd.empty()) dir = IncludeTrailingSeparator(cwd) + dir;
  }
  return dir.empty() ? std::string("./") : dir;
}

// Keeps the busy cursor balanced whatever way the reader leaves.
class TBusyState {
 public:
  explicit TBusyState(IPrompts& prompts) : prompts_(prompts) {}
  ~TBusyState() { Off(); }
  TBusyState(const TBusyState&) = delete;
  TBusyState& operator=(const TBusyState&) = delete;
  void On() {
    if (!on_) prompts_.BeginBusy();
    on_ = true;
  }
  void Off() {
    if (on_) prompts_.EndBusy();
    on_ = false;
  }

 private:
  IPrompts& prompts_;
  bool on_ = false;
};

}  // namespace

std::string TrimBlanks(std::string_view text) {
  // Blanks are every byte up to the space, as the project files' own tools trim them.
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return std::string(text.substr(first, last - first));
}

std::string EntryFileName(std::string_view entry) {
  std::size_t slash = entry.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? entry : entry.substr(slash + 1));
}

std::string EntryExtension(std::string_view entry) {
  std::string name = EntryFileName(entry);
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : UpperCase(std::string_view(name).substr(dot));
}

namespace {

// The designer kinds of Visual Basic 5 and 6: project key, source and companion extension.
struct TDesignerKind {
  std::string_view Key;
  std::string_view Ext;
  std::string_view Companion;
  std::uint8_t Kind;
};
constexpr TDesignerKind kDesignerKinds[] = {
    {"UserControl", ".CTL", ".CTX", rkUserControl},
    {"PropertyPage", ".PAG", ".PGX", rkPropertyPage},
    {"UserDocument", ".DOB", ".DOX", rkUserDocument},
    {"Designer", ".DSR", ".DCA", rkDesigner},
};

}  // namespace

std::uint8_t KindOfExt(std::string_view upperExt) {
  if (upperExt == ".FRM") return rkForm;
  if (upperExt == ".VBX") return rkControl;
  if (upperExt == ".CLS") return rkClass;
  for (const TDesignerKind& designer : kDesignerKinds) {
    if (upperExt == designer.Ext) return designer.Kind;
  }
  return rkModule;
}

bool HasControlDescription(std::uint8_t kind) { return kind == rkForm || kind >= rkUserControl; }

std::string CompanionExt(std::string_view upperExt) {
  for (const TDesignerKind& designer : kDesignerKinds) {
    if (upperExt == designer.Ext) return std::string(designer.Companion);
  }
  return ".FRX";
}

bool IsTextFile(std::string_view path) {
  std::string native = NativePath(path);
  // Non-blocking so that a named pipe cannot hang the reader; only regular files count.
  int fd = os::OpenForReading(native, true);
  if (fd < 0) return false;
  os::TFileInfo info;
  unsigned char first = 0;
  bool text = os::GetFileInfo(fd, info) && info.Kind == os::TFileKind::Regular && os::Read(fd, &first, 1) == 1 &&
              IsTextStartByte(first);
  os::Close(fd);
  return text;
}

namespace {

// What the reader learns about an entry's file, from one opening of it: whether it passes the
// text test, its size, and its number of lines (0 when it cannot be read to its end).
// Why an entry is not added: its file is missing, cannot be read, or holds no text.
enum class TEntryProblem { None, Missing, Unreadable, NotText };

struct TEntryFacts {
  bool Text = false;
  TEntryProblem Problem = TEntryProblem::None;
  std::string Reason;  // for Unreadable
  double Size = -1;
  std::int32_t LineCount = 0;
};

TEntryFacts LookAtEntry(const std::string& native) {
  TEntryFacts facts;
  // Non-blocking so that a named pipe cannot hang the reader; only regular files count.
  int fd = os::OpenForReading(native, true);
  if (fd < 0) {
    facts.Problem = errno == ENOENT || errno == ENOTDIR ? TEntryProblem::Missing : TEntryProblem::Unreadable;
    facts.Reason = std::strerror(errno);
    return facts;
  }
  os::TFileInfo info;
  if (!os::GetFileInfo(fd, info) || info.Kind != os::TFileKind::Regular) {
    os::Close(fd);
    facts.Problem = TEntryProblem::Unreadable;
    facts.Reason = "not a file";
    return facts;
  }
  std::string bytes(static_cast<std::size_t>(info.Size) + 1, '\0');
  std::size_t used = 0;
  bool readAll = true;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const std::ptrdiff_t n = os::Read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) readAll = false;
    if (n <= 0) break;
    used += static_cast<std::size_t>(n);
  }
  os::Close(fd);
  bytes.resize(used);
  // An empty module is text (of no lines), not a binary file.
  facts.Text = bytes.empty() || IsTextStartByte(static_cast<unsigned char>(bytes[0]));
  if (!facts.Text) facts.Problem = TEntryProblem::NotText;
  facts.Size = static_cast<double>(info.Size);
  facts.LineCount = readAll ? CountLines(bytes) : 0;
  return facts;
}

}  // namespace

bool IsVBPNameAfterEquals(std::string_view line) {
  if (UpperCase(line.substr(0, 4)) == "FORM") return true;
  for (const TDesignerKind& designer : kDesignerKinds) {
    if (SameTextIgnoringCase(line.substr(0, designer.Key.size()), designer.Key)) return true;
  }
  return false;
}

std::string VBPEntryName(std::string_view line) {
  char separator = IsVBPNameAfterEquals(line) ? '=' : ';';
  std::size_t at = line.find(separator);
  if (at == std::string_view::npos) return std::string();
  return TrimBlanks(line.substr(at + 1));
}

bool IsMAKEntry(std::string_view line) {
  // A blank line names no file; asking the user about it would only puzzle.
  if (TrimBlanks(line).empty()) return false;
  if (line.find('=') != std::string_view::npos) return false;
  std::string ext = EntryExtension(line);
  return ext != ".DLL" && ext != ".VBX";
}

bool IsVBPEntry(std::string_view line) {
  if (line.starts_with("Form") || line.starts_with("Module") || line.starts_with("Class")) return true;
  for (const TDesignerKind& designer : kDesignerKinds) {
    if (line.starts_with(designer.Key)) return true;
  }
  return false;
}

std::string ResolveEntry(std::string_view projectDir, std::string_view entry) {
  if (IsAbsoluteEntry(entry)) return std::string(entry);
  std::string path(projectDir);
  path += entry;
  return path;
}

TSourceMgt::TSourceMgt() { Clear(); }

TSourceMgt::~TSourceMgt() { FreeAllLines(); }

std::vector<RFile*> TSourceMgt::Items() const {
  std::vector<RFile*> items;
  for (RFile* item = FirstFile; item && item->Next; item = item->Next) items.push_back(item);
  return items;
}

RFile* TSourceMgt::AppendEndItem() {
  auto item = std::make_unique<RFile>();
  RFile* end = item.get();
  if (!chain_.empty()) {
    RFile* last = chain_.back().get();
    last->Next = end;
    end->Prev = last;
  }
  chain_.push_back(std::move(item));
  CurrentFile = end;
  if (!FirstFile) FirstFile = end;
  return end;
}

void TSourceMgt::Clear() {
  chain_.clear();
  ProjectFile.clear();
  ProjectName.clear();
  ProjectDir.clear();
  FirstFile = nullptr;
  CurrentFile = nullptr;
  // An empty project is still a walkable chain: one end item.
  AppendEndItem();
}

TReadOutcome TSourceMgt::ReadProjectFile(std::string_view path, IPrompts& prompts,
                                         const std::function<void(int)>& progress) {
  // Each folder of the project is listed at most once while its entries are looked up.
  TDirectoryCacheScope listings;
  Clear();
  if (!IsTextFile(path)) {
    prompts.Show(TMsgKind::Error, std::string(msg::InvalidProjectFile));
    return TReadOutcome::NotText;
  }

  std::string native = NativePath(path);
  if (!ReadLineFile(native, ProjectFile)) {
    // It passed the text test a moment ago, so only a vanished or unreadable file gets here.
    Clear();
    prompts.Show(TMsgKind::Error, std::string(msg::InvalidProjectFile));
    return TReadOutcome::NotText;
  }
  ProjectName = EntryFileName(native);
  ProjectDir = ProjectDirectoryOf(native);

  TBusyState busy(prompts);
  busy.On();
  bool vbp = EntryExtension(ProjectName) == ".VBP";
  VBVersion = vbp ? 4 : 3;

  // The entries' files are opened and read (text test, size, lines) on several threads at once;
  // what the reader then does with each, asking about a file that is not text, is done here, in
  // the project's order. Their native paths are found here too: the folder listings are this
  // thread's.
  struct TEntry {
    std::size_t Line;
    std::string Name;
    std::string Resolved;
    std::string Native;
  };
  std::vector<TEntry> entries;
  for (std::size_t i = 0; i < ProjectFile.size(); ++i) {
    const std::string& line = ProjectFile[i];
    if (!(vbp ? IsVBPEntry(line) : IsMAKEntry(line))) continue;
    std::string entry = vbp ? VBPEntryName(line) : line;
    std::string resolved = ResolveEntry(ProjectDir, entry);
    std::string native = NativePath(resolved);
    entries.push_back({i, std::move(entry), std::move(resolved), std::move(native)});
  }
  std::vector<TEntryFacts> facts(entries.size());

  std::size_t examined = 0;
  const auto examine = [&](std::size_t upTo) {
    while (examined < upTo) {
      ++examined;
      if (progress) progress(static_cast<int>(examined));
    }
  };
  bool added = false;
  bool cancelled = false;
  const auto look = [&](std::size_t index, unsigned) {
    facts[index] = LookAtEntry(entries[index].Native);
    return true;
  };
  const auto take = [&](std::size_t index) {
    const TEntry& entry = entries[index];
    examine(entry.Line);
    const TEntryFacts& found = facts[index];
    if (!found.Text) {
      busy.Off();
      const std::string question =
          found.Problem == TEntryProblem::Missing      ? msg::Format(msg::EntryMissing, entry.Name)
          : found.Problem == TEntryProblem::Unreadable ? msg::Fill(msg::EntryUnreadable, {entry.Name, found.Reason})
                                                       : msg::Format(msg::NotAsciiFile, entry.Name);
      TAnswer answer = prompts.Ask(TMsgKind::Warning, TButtons::OkCancel, question);
      if (answer == TAnswer::Cancel) {
        cancelled = true;
        return false;
      }
      busy.On();
    } else {
      RFile& item = *CurrentFile;
      item.Path = entry.Resolved;
      item.Name = EntryFileName(entry.Name);
      item.Caption = item.Name;
      item.Ext = EntryExtension(entry.Name);
      item.Size = found.Size;
      item.LineCount = found.LineCount;
      item.Selected = true;
      item.Processed = false;
      item.OutputPath.clear();
      item.Loaded = false;
      item.Tag1 = item.Tag2 = item.Tag3 = 0;
      item.Flag = false;
      item.Kind = KindOfExt(item.Ext);
      AppendEndItem();
      added = true;
    }
    examine(entry.Line + 1);
    return true;
  };
  RunInOrder(entries.size(), WorkerThreads(), 4 * std::size_t{WorkerThreads()}, look, take);
  if (cancelled) {
    Clear();
    return TReadOutcome::Cancelled;
  }
  examine(ProjectFile.size());
  busy.Off();

  if (!added) {
    Clear();
    prompts.Show(TMsgKind::Warning, std::string(msg::ProjectFileEmpty));
    return TReadOutcome::Empty;
  }
  CurrentFile = FirstFile;
  return TReadOutcome::Read;
}

void TSourceMgt::LoadLines(RFile& item, std::string_view readFrom) {
  if (item.Loaded) return;
  item.Lines.clear();
  if (!ReadLineFile(readFrom.empty() ? std::string_view(item.Path) : readFrom, item.Lines)) {
    item.Lines.assign(1, std::string(msg::NotAvailable));
  }
  item.LineCount = static_cast<std::int32_t>(item.Lines.size());
  item.Loaded = true;
}

void TSourceMgt::FreeLines(RFile* item) {
  if (!item || !item->Loaded) return;
  TLines().swap(item->Lines);
  item->Loaded = false;
}

int TSourceMgt::CurrentLineCount() {
  if (!CurrentFile) return 0;
  LoadLines(*CurrentFile);
  CurrentFile->LineCount = static_cast<std::int32_t>(CurrentFile->Lines.size());
  return CurrentFile->LineCount;
}

void TSourceMgt::FreeCurrentLines() { FreeLines(CurrentFile); }

void TSourceMgt::FreeAllLines() {
  for (auto& item : chain_) FreeLines(item.get());
}

}  // namespace qm
