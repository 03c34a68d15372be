// SPDX-License-Identifier: MIT
#include "platform/localtime.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "platform/os.h"

namespace qm {

namespace {

// The user's locale, loaded once: loading it reads the locale files from disk, and a run may
// stamp thousands of header comments.
const std::locale& UserLocale() {
  static const std::locale locale = [] {
    try {
      return std::locale("");
    } catch (const std::runtime_error&) {
      return std::locale::classic();  // the environment names a locale this system lacks
    }
  }();
  return locale;
}

}  // namespace

std::string FormatLocalNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  const std::tm local = os::LocalTime(now);
  std::ostringstream out;
  out.imbue(UserLocale());
  out << std::put_time(&local, format);
  return out.str();
}

}  // namespace qm
