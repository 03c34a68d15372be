// SPDX-License-Identifier: MIT
#pragma once

// Names for the rows of a parameterized suite, so that a test list shows what each case is rather
// than its position. The fourth argument of INSTANTIATE_TEST_SUITE_P is
//   qm::test::RowName(&Row::Name)                          a row's own name field, or
//   qm::test::RowName(&Row::Line)                          the row's text,
//   qm::test::RowName()                                    a string parameter itself, or
//   qm::test::RowName([](const Row& r) { return ...; })   text put together from several fields.
// Whatever the field holds is made a valid name; a name an earlier row of the same instantiation
// already has gets the row's index appended.

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>

namespace qm::test {

inline constexpr std::size_t kRowNameLength = 40;

// Letters and digits stay (ASCII only: a byte of a code page is no letter to the test runner),
// every run of anything else becomes one '_', none at either end, cut to kRowNameLength. Text that
// leaves nothing is named for what it was; digits alone get a letter in front, so that a value
// never reads as a row's index.
inline std::string NameFromText(std::string_view text) {
  const auto alnum = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  };
  std::string out;
  for (char c : text) {
    if (alnum(c))
      out += c;
    else if (!out.empty() && out.back() != '_')
      out += '_';
  }
  if (out.size() > kRowNameLength) out.resize(kRowNameLength);
  while (!out.empty() && out.back() == '_') out.pop_back();
  if (out.empty()) {
    if (text.empty()) return "Empty";
    return text.find_first_not_of(" \t") == std::string_view::npos ? "Blank" : "Symbols";
  }
  if (out.find_first_not_of("0123456789") == std::string::npos) out.insert(0, "N");
  return out;
}

// The names given so far in the instantiation being registered. The test runner names the rows of
// one instantiation in order from index 0, so a row with index 0 starts a new set.
template <typename Param>
std::string UniqueRowName(std::string name, std::size_t index) {
  static std::set<std::string> taken;
  if (index == 0) taken.clear();
  if (taken.insert(name).second) return name;
  for (std::size_t n = index;; ++n) {
    std::string numbered = name + "_" + std::to_string(n);
    if (taken.insert(numbered).second) return numbered;
  }
}

// Without an argument the parameter itself is the text (a suite over plain strings).
template <typename Text = std::identity>
auto RowName(Text text = {}) {
  return [text](const auto& info) {
    using Param = std::decay_t<decltype(info.param)>;
    return UniqueRowName<Param>(NameFromText(std::string_view(std::invoke(text, info.param))), info.index);
  };
}

}  // namespace qm::test
