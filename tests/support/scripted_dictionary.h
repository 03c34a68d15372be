// SPDX-License-Identifier: MIT
#pragma once

// A dictionary for tests: a fixed word list and fixed suggestions, counting its look-ups.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "spelling/dictionary.h"
#include "spelling/vcspeller.h"

namespace qm::test {

struct ScriptedWords {
  std::set<std::string> Known;
  std::map<std::string, std::vector<std::string>> Suggestions;
  int Checks = 0;  // look-ups made, over every dictionary opened from these words
};

class ScriptedDictionary final : public ISpellDictionary {
 public:
  explicit ScriptedDictionary(ScriptedWords& words) : words_(words) {}
  bool Check(std::string_view word) override {
    ++words_.Checks;
    return words_.Known.count(std::string(word)) > 0;
  }
  std::vector<std::string> Suggest(std::string_view word) override {
    const auto it = words_.Suggestions.find(std::string(word));
    return it == words_.Suggestions.end() ? std::vector<std::string>{} : it->second;
  }
  void Add(std::string_view word) override { words_.Known.insert(std::string(word)); }

 private:
  ScriptedWords& words_;
};

// An opener for TVCSpeller over the words (which must outlive the speller).
inline TVCSpeller::TOpener ScriptedOpener(ScriptedWords& words) {
  return [&words](std::string_view, std::string*) -> std::unique_ptr<ISpellDictionary> {
    return std::make_unique<ScriptedDictionary>(words);
  };
}

// An opener that finds no dictionary.
inline TVCSpeller::TOpener MissingOpener() {
  return [](std::string_view name, std::string* problem) -> std::unique_ptr<ISpellDictionary> {
    if (problem) *problem = "no dictionary " + std::string(name) + " in /nowhere";
    return nullptr;
  };
}

}  // namespace qm::test
