// Reading many computers at once on real threads: never more at a time than allowed, every
// read waited for, and one that does not answer in time given up while the others go on.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "computers/parallel_reads.h"
#include "platform/linux/system/std_threads.h"

namespace brask {
namespace {

using namespace std::chrono_literals;

TEST(ParallelReadsTest, AtMostSoManyAtOnceAndASilentOneGivenUp) {
  StdThreads threads;
  constexpr std::size_t kCount = 20;
  constexpr std::size_t kSilent = 3;  // never answers until the test lets it end
  struct Shared {
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::atomic<bool> release{false};
  };
  const auto shared = std::make_shared<Shared>();
  std::vector<std::size_t> done;

  const std::vector<bool> ended = readInParallel(
      threads, {4, 300ms}, kCount,
      [shared](std::size_t i, const std::function<void()>& answered) {
        const int now = ++shared->running;
        for (int most = shared->most; now > most && !shared->most.compare_exchange_weak(most, now);) {
        }
        if (i == kSilent) {
          while (!shared->release) std::this_thread::sleep_for(1ms);
        } else {
          answered();
          std::this_thread::sleep_for(std::chrono::milliseconds(i % 5 * 10));
        }
        --shared->running;
      },
      [&done](std::size_t n) { done.push_back(n); });

  for (std::size_t i = 0; i < kCount; ++i) EXPECT_EQ(ended[i], i != kSilent) << i;
  EXPECT_LE(shared->most, 4);
  EXPECT_GE(shared->most, 2);
  ASSERT_FALSE(done.empty());
  EXPECT_EQ(done.back(), kCount);
  EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
  shared->release = true;
  while (shared->running > 0) std::this_thread::sleep_for(1ms);
}

}  // namespace
}  // namespace brask
