// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>

namespace qm {

// The cancel request of one processing run (or of one preview or one editor request): cleared when
// the run starts, set by a Cancel button, a preview's Cancel or Ctrl+C, tested once per source line.
// Each run has its own, so that cancelling one leaves any other run in the process going.
class TCancelToken {
 public:
  TCancelToken() = default;
  TCancelToken(const TCancelToken&) = delete;
  TCancelToken& operator=(const TCancelToken&) = delete;

  // Safe from a signal handler: the flag is a lock-free atomic.
  void Request() { requested_.store(true, std::memory_order_relaxed); }
  void Clear() { requested_.store(false, std::memory_order_relaxed); }
  bool Requested() const { return requested_.load(std::memory_order_relaxed); }

 private:
  static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");
  std::atomic<bool> requested_{false};
};

}  // namespace qm
