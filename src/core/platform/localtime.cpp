#include "platform/localtime.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace qm {

std::string FormatLocalNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream out;
  try {
    out.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // The classic locale's formats stand in.
  }
  out << std::put_time(&local, format);
  return out.str();
}

}  // namespace qm
