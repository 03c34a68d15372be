// SPDX-License-Identifier: MIT
// The Hunspell dictionaries installed on the machine, behind ISpellDictionary.

#include <hunspell.hxx>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>

#include "platform/paths.h"
#include "spelling/dictionary.h"

namespace qm {

namespace {

std::vector<std::string>& DirectoryOverride() {
  static std::vector<std::string> directories;
  return directories;
}

bool Readable(const std::string& path) { return std::ifstream(path, std::ios::binary).good(); }

// The names Hunspell's SET line uses, as the C library's converter knows them.
std::string ConverterName(const std::string& dictionaryEncoding) {
  std::string name = dictionaryEncoding.empty() ? std::string("ISO8859-1") : dictionaryEncoding;
  if (name.rfind("microsoft-cp", 0) == 0) return "CP" + name.substr(12);
  if (name == "TIS620-2533") return "TIS-620";
  return name;
}

// One direction of conversion; bytes the target cannot hold make the whole word unconvertible.
class TConverter {
 public:
  TConverter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~TConverter() {
    if (Valid()) iconv_close(cd_);
  }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::optional<std::string> operator()(std::string_view in) const {
    if (!Valid()) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
  }

 private:
  iconv_t cd_;
};

// The characters of the affix file's TRY line (the letters the dictionary suggests with, its
// alphabet), in the dictionary's encoding; empty when it has none.
std::string TryCharacters(const std::string& affPath) {
  std::ifstream aff(affPath, std::ios::binary);
  std::string line;
  while (std::getline(aff, line)) {
    if (line.rfind("TRY", 0) != 0 || line.size() < 4 || (line[3] != ' ' && line[3] != '\t')) continue;
    std::size_t start = line.find_first_not_of(" \t", 3);
    if (start == std::string::npos) return {};
    const std::size_t end = line.find_first_of(" \t\r", start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }
  return {};
}

// Code points of UTF-32LE bytes.
std::set<char32_t> CodePoints(const std::string& utf32) {
  std::set<char32_t> points;
  for (std::size_t i = 0; i + 4 <= utf32.size(); i += 4) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(utf32[i + k])); };
    points.insert(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
  }
  return points;
}

// A letter of an alphabet: marks such as the hyphen, the apostrophe and the full stop that TRY
// lines carry make no word of the script.
bool IsAlphabetLetter(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

class THunspellDictionary final : public ISpellDictionary {
 public:
  THunspellDictionary(const TDictionaryInfo& info)
      : hunspell_(info.AffPath.c_str(), info.DicPath.c_str()),
        toDictionary_(ConverterName(hunspell_.get_dict_encoding()), "CP1252"),
        fromDictionary_("CP1252", ConverterName(hunspell_.get_dict_encoding())),
        toCodePoints_("UTF-32LE", "CP1252") {
    const TConverter tryToCodePoints("UTF-32LE", ConverterName(hunspell_.get_dict_encoding()));
    if (const std::optional<std::string> points = tryToCodePoints(TryCharacters(info.AffPath))) {
      for (const char32_t c : CodePoints(*points)) {
        if (IsAlphabetLetter(c)) alphabet_.insert(c);
      }
    }
    // A Latin alphabet has every ASCII letter, also those its TRY line leaves out as rare.
    if (std::any_of(alphabet_.begin(), alphabet_.end(), [](char32_t c) { return c < 0x80; })) {
      for (char32_t c = 'a'; c <= 'z'; ++c) {
        alphabet_.insert(c);
        alphabet_.insert(static_cast<char32_t>(c - U'a' + U'A'));
      }
    }
  }

  bool HasLetterOfAlphabet(std::string_view word) override {
    if (alphabet_.empty()) return true;
    const std::optional<std::string> points = toCodePoints_(word);
    if (!points) return true;
    for (const char32_t c : CodePoints(*points)) {
      if (alphabet_.count(c) > 0) return true;
    }
    return false;
  }

  bool Usable() const { return toDictionary_.Valid() && fromDictionary_.Valid(); }

  // A word the dictionary's encoding cannot hold cannot be judged by it, and is not reported.
  bool Check(std::string_view word) override {
    const std::optional<std::string> w = toDictionary_(word);
    return !w || hunspell_.spell(*w);
  }

  std::vector<std::string> Suggest(std::string_view word) override {
    std::vector<std::string> out;
    const std::optional<std::string> w = toDictionary_(word);
    if (!w) return out;
    for (const std::string& s : hunspell_.suggest(*w)) {
      if (std::optional<std::string> back = fromDictionary_(s)) out.push_back(std::move(*back));
    }
    return out;
  }

  void Add(std::string_view word) override {
    if (const std::optional<std::string> w = toDictionary_(word)) hunspell_.add(*w);
  }

 private:
  Hunspell hunspell_;
  TConverter toDictionary_;
  TConverter fromDictionary_;
  TConverter toCodePoints_;
  std::set<char32_t> alphabet_;
};

}  // namespace

bool SpellCheckerAvailable() { return true; }

std::vector<std::string> DictionaryDirectories() {
  if (!DirectoryOverride().empty()) return DirectoryOverride();
  std::vector<std::string> dirs;
  if (const char* env = std::getenv("DICPATH")) {
    std::string_view rest(env);
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      if (colon != 0) dirs.emplace_back(rest.substr(0, colon));
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  for (const char* d : {"/usr/share/hunspell", "/usr/local/share/hunspell", "/usr/share/myspell",
                        "/usr/share/myspell/dicts"}) {
    dirs.emplace_back(d);
  }
  return dirs;
}

void SetDictionaryDirectories(std::vector<std::string> directories) { DirectoryOverride() = std::move(directories); }

std::vector<TDictionaryInfo> FindDictionaries() {
  std::vector<TDictionaryInfo> found;
  std::set<std::string> names;
  for (const std::string& dir : DictionaryDirectories()) {
    const std::string base = IncludeTrailingSeparator(dir);
    for (const std::string& file : ListFiles(dir)) {
      if (file.size() <= 4 || file.compare(file.size() - 4, 4, ".dic") != 0) continue;
      const std::string name = file.substr(0, file.size() - 4);
      // hyph_*.dic files are hyphenation patterns, not word lists.
      if (name.rfind("hyph_", 0) == 0 || !FileExists(base + name + ".aff")) continue;
      if (names.insert(name).second) found.push_back({name, base + name + ".aff", base + file});
    }
  }
  std::sort(found.begin(), found.end(), [](const TDictionaryInfo& a, const TDictionaryInfo& b) { return a.Name < b.Name; });
  return found;
}

std::unique_ptr<ISpellDictionary> OpenHunspellDictionary(std::string_view name, std::string* problem) {
  const auto fail = [&](std::string why) -> std::unique_ptr<ISpellDictionary> {
    if (problem) *problem = std::move(why);
    return nullptr;
  };
  std::string looked;
  for (const std::string& dir : DictionaryDirectories()) looked += (looked.empty() ? "" : ", ") + dir;
  for (const TDictionaryInfo& info : FindDictionaries()) {
    if (info.Name != name) continue;
    if (!Readable(info.AffPath) || !Readable(info.DicPath)) {
      return fail("the dictionary " + info.Name + " (" + info.DicPath + ") cannot be read");
    }
    auto dictionary = std::make_unique<THunspellDictionary>(info);
    if (!dictionary->Usable()) return fail("the encoding of the dictionary " + info.Name + " is not known");
    return dictionary;
  }
  return fail("no dictionary " + std::string(name) + " in " + looked);
}

}  // namespace qm
