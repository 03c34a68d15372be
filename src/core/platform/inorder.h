// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>

namespace qm {

// Runs work(index, worker) for every index of [0, count) on `workers` threads of their own, and
// report(index) on the calling thread in index order, each as soon as its work and the work of
// every index before it is done. worker numbers the thread (0 to workers - 1), so that each can
// own the state it works with. A thread takes a new index only while fewer than `window` indexes
// are taken or done and not yet reported, which bounds what the results hold at once.
//
// work returns false to stop the whole run: no new index is taken, and reporting ends before the
// first index whose work stopped or did not run. report returns false to stop it after that index.
// An exception from work or report ends the run the same way and is rethrown here once every
// thread has ended. With one worker (or none), everything runs on the calling thread, one index
// after the other.
void RunInOrder(std::size_t count, unsigned workers, std::size_t window,
                const std::function<bool(std::size_t index, unsigned worker)>& work,
                const std::function<bool(std::size_t index)>& report);

// The number of threads worth giving such a run on this machine: one per core, at most four
// (beyond that the disk, not the processor, sets the pace of a project's files).
unsigned WorkerThreads();

}  // namespace qm
