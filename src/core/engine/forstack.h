// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace qm {

// Variable names of the open For loops, innermost on top.
class TForStack {
 public:
  void Clear() { names_.clear(); }
  void Push(std::string name) { names_.push_back(std::move(name)); }
  // The top name, or the empty string when the stack is empty.
  const std::string& Top() const;
  // Removes and returns the top name; wasEmpty tells that there was none.
  std::string Pop(bool* wasEmpty = nullptr);
  bool Empty() const { return names_.empty(); }
  std::size_t Size() const { return names_.size(); }

 private:
  std::vector<std::string> names_;
};

}  // namespace qm
