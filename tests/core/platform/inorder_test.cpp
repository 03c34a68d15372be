// SPDX-License-Identifier: MIT
// Work shared out among threads and reported in order: every index once, in order, with no more
// than the window taken ahead of the report, and a stop or a failure ends the report before it.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/inorder.h"
#include "row_name.h"

namespace qm {
namespace {

struct InOrderRow {
  const char* name;
  std::size_t count;
  unsigned workers;
  std::size_t window;
  std::size_t stopAt;   // work returns false here (count: never)
  std::size_t throwAt;  // work throws here (count: never)
  std::size_t reportStopsAt;  // report returns false here (count: never)
  std::size_t reported;  // how many indexes are reported
};

class RunInOrderTest : public ::testing::TestWithParam<InOrderRow> {};

TEST_P(RunInOrderTest, ReportsTheDonePrefixInOrderWithinTheWindow) {
  const InOrderRow& row = GetParam();
  std::vector<std::atomic<int>> runs(row.count);
  std::vector<std::size_t> reports;
  std::atomic<std::size_t> reported{0};
  std::atomic<std::size_t> taken{0};
  std::atomic<std::size_t> mostAhead{0};
  std::mutex workers;
  std::vector<unsigned> seenWorkers;
  const auto work = [&](std::size_t index, unsigned worker) {
    ++runs[index];
    const std::size_t ahead = ++taken - reported;
    for (std::size_t seen = mostAhead; ahead > seen && !mostAhead.compare_exchange_weak(seen, ahead);) {
    }
    {
      std::lock_guard lock(workers);
      seenWorkers.push_back(worker);
    }
    // Later indexes finish first, so that the report has to wait for the earlier ones.
    std::this_thread::sleep_for(std::chrono::microseconds(index % 3 == 0 ? 300 : 0));
    if (index == row.throwAt) throw std::runtime_error("broken");
    return index != row.stopAt;
  };
  const auto report = [&](std::size_t index) {
    reports.push_back(index);
    ++reported;
    return index != row.reportStopsAt;
  };

  if (row.throwAt < row.count) {
    EXPECT_THROW(RunInOrder(row.count, row.workers, row.window, work, report), std::runtime_error);
  } else {
    RunInOrder(row.count, row.workers, row.window, work, report);
  }

  ASSERT_EQ(reports.size(), row.reported);
  for (std::size_t i = 0; i < reports.size(); ++i) EXPECT_EQ(reports[i], i);
  for (std::size_t i = 0; i < row.count; ++i) EXPECT_LE(runs[i].load(), 1) << "index " << i;
  if (row.reported == row.count) {
    for (std::size_t i = 0; i < row.count; ++i) EXPECT_EQ(runs[i].load(), 1) << "index " << i;
  }
  if (row.workers > 1) {
    EXPECT_LE(mostAhead.load(), row.window);
  }
  for (const unsigned worker : seenWorkers) EXPECT_LT(worker, std::max(row.workers, 1U));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunInOrderTest,
    ::testing::Values(InOrderRow{"OneWorker", 20, 1, 2, 20, 20, 20, 20},
                      InOrderRow{"TwoWorkers", 200, 2, 4, 200, 200, 200, 200},
                      InOrderRow{"FourWorkersWindowOfFour", 200, 4, 4, 200, 200, 200, 200},
                      InOrderRow{"MoreWorkersThanIndexes", 3, 4, 8, 3, 3, 3, 3},
                      InOrderRow{"NothingToDo", 0, 2, 4, 0, 0, 0, 0},
                      InOrderRow{"StopEndsTheReportBeforeIt", 100, 2, 4, 37, 100, 100, 37},
                      InOrderRow{"StopAtTheFirstIndex", 100, 3, 6, 0, 100, 100, 0},
                      InOrderRow{"StopOnOneWorker", 100, 1, 2, 37, 100, 100, 37},
                      InOrderRow{"ReportStopsAfterItsIndex", 100, 2, 4, 100, 100, 41, 42},
                      InOrderRow{"ReportStopsOnOneWorker", 100, 1, 2, 100, 100, 41, 42},
                      InOrderRow{"FailureIsRethrownAfterTheThreadsEnd", 100, 2, 4, 100, 58, 100, 58}),
    test::RowName(&InOrderRow::name));

TEST(RunInOrder, OneWorkerRunsOnTheCallingThread) {
  const std::thread::id caller = std::this_thread::get_id();
  int elsewhere = 0;
  const auto work = [&](std::size_t, unsigned) {
    elsewhere += std::this_thread::get_id() != caller ? 1 : 0;
    return true;
  };
  RunInOrder(5, 1, 2, work, [](std::size_t) { return true; });
  EXPECT_EQ(elsewhere, 0);
}

TEST(RunInOrder, AFailingReportEndsTheRunAndIsRethrown) {
  std::atomic<int> runs{0};
  EXPECT_THROW(RunInOrder(
                   1000, 2, 4, [&](std::size_t, unsigned) { return ++runs, true; },
                   [](std::size_t index) {
                     if (index == 10) throw std::runtime_error("full disk");
                     return true;
                   }),
               std::runtime_error);
  EXPECT_LE(runs.load(), 10 + 1 + 4);
}

}  // namespace
}  // namespace qm
