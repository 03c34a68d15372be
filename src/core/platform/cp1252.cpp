// SPDX-License-Identifier: MIT
#include "platform/cp1252.h"

namespace qm {

std::string UpperCaseCp1252(std::string_view bytes) {
  std::string upper(bytes);
  for (char& c : upper) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
      c = static_cast<char>(b - 0x20);
    } else if (b == 0x9A || b == 0x9C || b == 0x9E) {  // s caron, oe, z caron
      c = static_cast<char>(b - 0x10);
    } else if (b == 0xFF) {  // y diaeresis
      c = static_cast<char>(0x9F);
    }
  }
  return upper;
}

}  // namespace qm
