// SPDX-License-Identifier: MIT
#pragma once

// What the speller asks of a dictionary: whether a word is in it, what it suggests instead, and
// words added for the rest of the session. Words go in and come out as Windows-1252 bytes; a
// dictionary that keeps another encoding converts at its own edge.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class ISpellDictionary {
 public:
  virtual ~ISpellDictionary() = default;
  virtual bool Check(std::string_view word) = 0;
  virtual std::vector<std::string> Suggest(std::string_view word) = 0;
  virtual void Add(std::string_view word) = 0;
  // Whether the word holds a letter of the dictionary's alphabet; a word that holds none is of
  // another script and is never reported. A dictionary that names no alphabet takes every word.
  virtual bool HasLetterOfAlphabet(std::string_view /*word*/) { return true; }
};

// An installed Hunspell dictionary: the pair NAME.aff and NAME.dic in one directory.
struct TDictionaryInfo {
  std::string Name;  // en_US, de_DE, ...
  std::string AffPath;
  std::string DicPath;
};

// The directories looked in, in order: those of $DICPATH, then the system's dictionary directories.
// False in a build without Hunspell: then no dictionary can be opened.
bool SpellCheckerAvailable();

std::vector<std::string> DictionaryDirectories();
// Looks in these directories instead (tests); empty restores the default.
void SetDictionaryDirectories(std::vector<std::string> directories);

// Every dictionary found, by name; a name found in two directories counts once, the first.
std::vector<TDictionaryInfo> FindDictionaries();

// Opens the Hunspell dictionary of that name; null, with the reason in problem, when none can be
// read.
std::unique_ptr<ISpellDictionary> OpenHunspellDictionary(std::string_view name, std::string* problem);

}  // namespace qm
