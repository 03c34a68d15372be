// SPDX-License-Identifier: MIT
#include "settings/charsetdetector.h"

#include <uchardet/uchardet.h>

#include <memory>

namespace qm {

bool CharsetDetectionAvailable() { return true; }

std::string DetectCharsetName(std::string_view bytes) {
  const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(), &uchardet_delete);
  if (!detector) return {};
  if (uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0) return {};
  uchardet_data_end(detector.get());
  const char* name = uchardet_get_charset(detector.get());
  return name ? std::string(name) : std::string();
}

}  // namespace qm
