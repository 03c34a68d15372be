// SPDX-License-Identifier: MIT
// The dictionaries of a build without Hunspell (QUILLMATE_SPELLING=OFF): there are none, and
// opening one says that this build has no spell checker.

#include "spelling/dictionary.h"

namespace qm {

bool SpellCheckerAvailable() { return false; }

std::vector<std::string> DictionaryDirectories() { return {}; }

void SetDictionaryDirectories(std::vector<std::string>) {}

std::vector<TDictionaryInfo> FindDictionaries() { return {}; }

std::unique_ptr<ISpellDictionary> OpenHunspellDictionary(std::string_view, std::string* problem) {
  if (problem) *problem = "this build has no spell checker";
  return nullptr;
}

}  // namespace qm
