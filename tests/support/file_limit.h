// SPDX-License-Identifier: MIT
#pragma once

// Makes writes beyond a size fail for the length of a scope, as they fail on a full disk: the
// process's file-size limit is lowered and its signal ignored, so the write returns an error.

#include <signal.h>
#include <sys/resource.h>

namespace qm::test {

class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    old_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    struct rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, old_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  struct rlimit saved_ {};
  sighandler_t old_;
};

}  // namespace qm::test
