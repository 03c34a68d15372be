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

}  // namespace qm::msg
