// SPDX-License-Identifier: MIT
#include "platform/inorder.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace qm {

void RunInOrder(std::size_t count, unsigned workers, std::size_t window,
                const std::function<bool(std::size_t index, unsigned worker)>& work,
                const std::function<bool(std::size_t index)>& report) {
  if (workers <= 1) {
    for (std::size_t index = 0; index < count; ++index) {
      if (!work(index, 0) || !report(index)) return;
    }
    return;
  }
  window = std::max<std::size_t>(window, workers);

  enum class TState : unsigned char { Pending, Done, Stopped };
  std::vector<TState> states(count, TState::Pending);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;      // the next index a thread takes
  std::size_t reported = 0;  // every index before this one is reported
  bool stop = false;
  std::exception_ptr error;

  const auto fail = [&](std::exception_ptr caught) {
    std::lock_guard lock(mutex);
    if (!error) error = std::move(caught);
    stop = true;
  };
  const auto run = [&](unsigned worker) {
    for (;;) {
      std::size_t index = 0;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return stop || next >= count || next < reported + window; });
        if (stop || next >= count) return;
        index = next++;
      }
      bool done = false;
      try {
        done = work(index, worker);
      } catch (...) {
        fail(std::current_exception());
      }
      {
        std::lock_guard lock(mutex);
        states[index] = done ? TState::Done : TState::Stopped;
        if (!done) stop = true;
      }
      changed.notify_all();
    }
  };

  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (unsigned worker = 0; worker < workers; ++worker) threads.emplace_back(run, worker);

  try {
    for (;;) {
      std::unique_lock lock(mutex);
      // Once the run stops, an index no thread has taken never will be.
      changed.wait(lock, [&] {
        return reported >= count || states[reported] != TState::Pending || (stop && reported >= next);
      });
      if (reported >= count || states[reported] != TState::Done) break;
      lock.unlock();
      const bool more = report(reported);
      lock.lock();
      ++reported;
      lock.unlock();
      changed.notify_all();
      if (!more) break;
    }
  } catch (...) {
    fail(std::current_exception());
  }
  {
    std::lock_guard lock(mutex);
    stop = true;
  }
  changed.notify_all();
  for (std::thread& thread : threads) thread.join();
  if (error) std::rethrow_exception(error);
}

unsigned WorkerThreads() { return std::clamp(std::thread::hardware_concurrency(), 1U, 4U); }

}  // namespace qm
