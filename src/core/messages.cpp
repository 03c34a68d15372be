// SPDX-License-Identifier: MIT
#include "messages.h"

namespace qm::msg {

std::string Format(std::string_view text, std::string_view name) {
  const std::size_t at = text.find("%s");
  if (at == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() + name.size());
  out.append(text.substr(0, at)).append(name).append(text.substr(at + 2));
  return out;
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  std::size_t from = 0;
  for (std::string_view value : values) {
    const std::size_t at = text.find("%s", from);
    if (at == std::string_view::npos) break;
    out.append(text.substr(from, at - from)).append(value);
    from = at + 2;
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace qm::msg
