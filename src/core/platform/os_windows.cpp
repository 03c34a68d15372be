// SPDX-License-Identifier: MIT
// The Windows side of the operating-system layer (platform/os.h). Paths arrive in UTF-8 and go to
// the wide (UTF-16) functions of the system, so every file name works whatever the code page.

#include "platform/os.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
// windows.h names ReplaceFileW so; this file defines os::ReplaceFile.
#undef ReplaceFile

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace qm::os {

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string Narrow(const wchar_t* text, std::size_t length) {
  if (length == 0) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
  return out;
}

std::string Narrow(const std::wstring& text) { return Narrow(text.data(), text.size()); }

// The system's error as the C library's errno, for strerror in messages.
void SetErrnoFromLastError() {
  switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: errno = ENOENT; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: errno = EACCES; break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: errno = EEXIST; break;
    case ERROR_DISK_FULL: errno = ENOSPC; break;
    case ERROR_DIRECTORY: errno = ENOTDIR; break;
    default: errno = EIO; break;
  }
}

void Describe(const BY_HANDLE_FILE_INFORMATION& data, TFileInfo& info) {
  const DWORD attributes = data.dwFileAttributes;
  info.Kind = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? TFileKind::Link
              : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? TFileKind::Directory
              : (attributes & FILE_ATTRIBUTE_DEVICE)      ? TFileKind::Other
                                                          : TFileKind::Regular;
  info.Size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.Mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  info.Id = {data.dwVolumeSerialNumber,
             (static_cast<std::uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow};
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

}  // namespace

bool GetFileInfo(const std::string& native, TFileInfo& info, bool followLinks) {
  // Opening for no access at all reads the attributes of files that others hold open, and the
  // backup flag lets a directory be opened.
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  HANDLE handle = ::CreateFileW(Wide(native).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    SetErrnoFromLastError();
    return false;
  }
  BY_HANDLE_FILE_INFORMATION data{};
  const bool ok = ::GetFileInformationByHandle(handle, &data) != 0;
  if (!ok) SetErrnoFromLastError();
  const bool device = ::GetFileType(handle) != FILE_TYPE_DISK;
  ::CloseHandle(handle);
  if (ok) {
    Describe(data, info);
    if (device) info.Kind = TFileKind::Other;
  }
  return ok;
}

bool GetFileInfo(int fd, TFileInfo& info) {
  HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return false;
  }
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    info = TFileInfo{};
    info.Kind = TFileKind::Other;
    return true;
  }
  BY_HANDLE_FILE_INFORMATION data{};
  if (!::GetFileInformationByHandle(handle, &data)) {
    SetErrnoFromLastError();
    return false;
  }
  Describe(data, info);
  return true;
}

int OpenForReading(const std::string& native, bool) {
  // A directory cannot be opened as a file here; say so as Linux's read would.
  TFileInfo info;
  if (GetFileInfo(native, info) && info.Kind == TFileKind::Directory) {
    errno = EISDIR;
    return -1;
  }
  return ::_wopen(Wide(native).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool MakeBlocking(int) { return true; }

int CreateExclusive(const std::string& native) {
  return ::_wopen(Wide(native).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

std::ptrdiff_t Read(int fd, void* buffer, std::size_t size) {
  const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
  return ::_read(fd, buffer, chunk);
}

std::ptrdiff_t Write(int fd, const void* buffer, std::size_t size) {
  const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
  return ::_write(fd, buffer, chunk);
}

bool Close(int fd) { return ::_close(fd) == 0; }

bool SetMode(int, unsigned) { return true; }

bool SetMode(const std::string& native, unsigned mode) {
  return ::_wchmod(Wide(native).c_str(), (mode & 0200) ? (_S_IREAD | _S_IWRITE) : _S_IREAD) == 0;
}

bool CopyTimes(int from, int to) {
  FILETIME access{}, write{};
  if (!::GetFileTime(HandleOf(from), nullptr, &access, &write) ||
      !::SetFileTime(HandleOf(to), nullptr, &access, &write)) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
  if (!::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

bool RemoveFile(const std::string& native) {
  const std::wstring wide = Wide(native);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    ::SetFileAttributesW(wide.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
  if (!::DeleteFileW(wide.c_str())) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

std::string RealPath(const std::string& native) {
  HANDLE handle = ::CreateFileW(Wide(native).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  wchar_t buffer[32768];
  const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer, 32768, FILE_NAME_NORMALIZED);
  ::CloseHandle(handle);
  if (length == 0 || length >= 32768) return {};
  std::wstring path(buffer, length);
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    path = L"\\\\" + path.substr(8);
  } else if (path.rfind(L"\\\\?\\", 0) == 0) {
    path = path.substr(4);
  }
  std::string out = Narrow(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

int ProcessId() { return static_cast<int>(::GetCurrentProcessId()); }

bool ListDirectory(const std::string& native, std::vector<TDirectoryEntry>& entries) {
  std::string pattern = native.empty() ? std::string(".") : native;
  if (pattern.back() != '/' && pattern.back() != '\\') pattern += '/';
  pattern += '*';
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW(Wide(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    SetErrnoFromLastError();
    return false;
  }
  do {
    std::string name = Narrow(std::wstring(data.cFileName));
    if (name == "." || name == "..") continue;
    const DWORD attributes = data.dwFileAttributes;
    const TFileKind kind = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? TFileKind::Other
                           : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? TFileKind::Directory
                                                                       : TFileKind::Regular;
    entries.push_back({std::move(name), kind});
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return true;
}


int OpenLocked(const std::string& native) {
  HANDLE handle = ::CreateFileW(Wide(native).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    SetErrnoFromLastError();
    return -1;
  }
  // The lock covers one byte far past the content, so that another process can still read the
  // holder's id from the file; the system releases it when the handle is closed or the process
  // ends.
  OVERLAPPED where{};
  where.OffsetHigh = 0x7FFFFFFF;
  if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where)) {
    const DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    errno = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? EWOULDBLOCK : EACCES;
    return -1;
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(handle);
    errno = EIO;
  }
  return fd;
}

bool Rewrite(int fd, const std::string& text) {
  if (::_chsize_s(fd, 0) != 0 || ::_lseeki64(fd, 0, SEEK_SET) != 0) return false;
  return Write(fd, text.data(), text.size()) == static_cast<std::ptrdiff_t>(text.size());
}

// Windows does not keep anyone from creating files in a folder marked read-only; an existing
// folder will do.
bool CanCreateIn(const std::string& native) {
  TFileInfo info;
  if (!GetFileInfo(native, info)) return false;
  if (info.Kind != TFileKind::Directory) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

bool NamesIgnoreCase() { return true; }
bool DrivePathsExist() { return true; }

std::string StoredSpelling(const std::string& native) {
  const std::size_t slash = native.find_last_of("/\\");
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  if (start >= native.size() || native.find_first_of("*?", start) != std::string::npos) return native;
  const std::string_view last = std::string_view(native).substr(start);
  if (last == "." || last == ".." || (last.size() == 2 && last[1] == ':')) return native;
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW(Wide(native).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return native;
  ::FindClose(find);
  return native.substr(0, start) + Narrow(std::wstring(data.cFileName));
}
// No file name may hold '|': nothing below this can be opened, listed or created.
const char* NowhereRoot() { return "//./|nowhere|"; }

std::string ConfigDirectory() {
  std::string base;
  if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && appData[0] != L'\0') {
    base = Narrow(std::wstring(appData));
  } else if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile && profile[0] != L'\0') {
    base = Narrow(std::wstring(profile)) + "/AppData/Roaming";
  }
  for (char& c : base) {
    if (c == '\\') c = '/';
  }
  if (base.empty()) return "quillmate/";
  if (base.back() != '/') base += '/';
  return base + "quillmate/";
}

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  ::localtime_s(&local, &t);
  return local;
}

namespace {

void (*gInterruptHandler)() = nullptr;
std::atomic<bool> gInterrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  // A second Ctrl+C is left to the system, which ends the program.
  if (gInterrupted.exchange(true) || !gInterruptHandler) return FALSE;
  gInterruptHandler();
  return TRUE;
}

}  // namespace

TInterruptScope::TInterruptScope(void (*onInterrupt)()) {
  gInterruptHandler = onInterrupt;
  gInterrupted.store(false);
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

TInterruptScope::~TInterruptScope() {
  ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  gInterruptHandler = nullptr;
}

std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(std::wstring(wide[i])));
  ::LocalFree(wide);
  return args;
}

void UseBinaryStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  // Messages are UTF-8; a console shows them as such.
  ::SetConsoleOutputCP(CP_UTF8);
}

namespace {

// The code page of an encoding's name: letter case, '-' and '_' do not count.
unsigned CodePageOfName(const std::string& encoding) {
  std::string key;
  for (char c : encoding) {
    if (c == '-' || c == '_') continue;
    key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  static const struct {
    const char* Name;
    unsigned Page;
  } names[] = {
      {"shiftjis", 932}, {"sjis", 932},    {"windows31j", 932}, {"ms932", 932},  {"gbk", 936},
      {"gb2312", 936},   {"big5", 950},    {"uhc", 949},        {"euckr", 949},  {"utf8", CP_UTF8},
      {"ascii", 20127},  {"usascii", 20127}, {"latin1", 28591}, {"iso88591", 28591},
  };
  for (const auto& name : names) {
    if (key == name.Name) return name.Page;
  }
  for (const char* prefix : {"windows", "cp", "ms"}) {
    const std::string p(prefix);
    if (key.size() > p.size() && key.compare(0, p.size(), p) == 0 &&
        key.find_first_not_of("0123456789", p.size()) == std::string::npos && key.size() - p.size() <= 5) {
      const unsigned page = static_cast<unsigned>(std::strtoul(key.c_str() + p.size(), nullptr, 10));
      if (::IsValidCodePage(page)) return page;
    }
  }
  return 0;
}

}  // namespace

TTextDecoder::TTextDecoder(const std::string& encoding) : codePage_(CodePageOfName(encoding)) {
  ok_ = codePage_ != 0 && ::IsValidCodePage(codePage_);
}

TTextDecoder::~TTextDecoder() = default;

std::string TTextDecoder::ToUtf8(std::string_view bytes) const {
  if (!ok_ || bytes.empty()) return {};
  // Without MB_ERR_INVALID_CHARS a sequence that does not decode becomes U+FFFD (or the code
  // page's default character) and the rest is still converted.
  const int size = ::MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
  return Narrow(wide);
}

}  // namespace qm::os
