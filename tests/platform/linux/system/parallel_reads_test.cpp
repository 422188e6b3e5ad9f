// Reading many computers at once on real threads: never more at a time than allowed, every
// read waited for, and one whose computer stops answering cancelled, or given up when even
// that does not end it, while the others go on.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <thread>

#include "computers/many_computers.h"
#include "computers/parallel_reads.h"
#include "fakes/fakes.h"
#include "platform/linux/system/std_threads.h"
#include "report/report_file.h"

namespace brask {
namespace {

using namespace std::chrono_literals;

TEST(ParallelReadsTest, AtMostSoManyAtOnceAndSilentOnesCancelledOrGivenUp) {
  StdThreads threads;
  constexpr std::size_t kCount = 20;
  constexpr std::size_t kEndsWhenCancelled = 3;  // answers once, then waits for its cancel
  constexpr std::size_t kNeverEnds = 7;          // answers a while, then ignores even its cancel
  struct Shared {
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> release{false};
  };
  const auto shared = std::make_shared<Shared>();
  std::map<std::size_t, ReadEnd> ends;
  std::vector<std::size_t> cancels;
  const auto started = std::chrono::steady_clock::now();

  readInParallel(
      threads, {4, 300ms, 200ms}, kCount,
      [shared](std::size_t i, const std::function<void()>& answered) {
        const int now = ++shared->running;
        for (int most = shared->most; now > most && !shared->most.compare_exchange_weak(most, now);) {
        }
        if (i == kEndsWhenCancelled) {
          answered();
          while (!shared->cancelled) std::this_thread::sleep_for(1ms);
        } else if (i == kNeverEnds) {
          // Answers keep it going well past one call's limit.
          for (int k = 0; k < 5; ++k) {
            std::this_thread::sleep_for(150ms);
            answered();
          }
          while (!shared->release) std::this_thread::sleep_for(1ms);
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(i % 5 * 10));
          answered();
        }
        --shared->running;
      },
      [&](std::size_t i) {
        cancels.push_back(i);
        if (i == kEndsWhenCancelled) shared->cancelled = true;
      },
      [&](std::size_t i, ReadEnd how) { EXPECT_TRUE(ends.emplace(i, how).second) << i; });

  ASSERT_EQ(ends.size(), kCount);
  for (std::size_t i = 0; i < kCount; ++i) {
    const ReadEnd expected = i == kEndsWhenCancelled ? ReadEnd::Cancelled
                             : i == kNeverEnds       ? ReadEnd::GivenUp
                                                     : ReadEnd::Ended;
    EXPECT_EQ(ends[i], expected) << i;
  }
  EXPECT_EQ(cancels, (std::vector<std::size_t>{kEndsWhenCancelled, kNeverEnds}));
  // The read that answered for 750 ms was not cancelled before its last answer's limit ran
  // out, and given up a grace later.
  EXPECT_GE(std::chrono::steady_clock::now() - started, 750ms + 300ms + 200ms);
  EXPECT_LE(shared->most, 4);
  EXPECT_GE(shared->most, 2);
  EXPECT_FALSE(threads.join(10ms)) << "the read given up still runs";
  shared->release = true;
  EXPECT_TRUE(threads.join(5s));
}

// A wait that the user ends (closing the window) cancels every read still running.
class ClosingThreads final : public Threads {
 public:
  void start(std::function<void()> work) override { real_.start(std::move(work)); }
  void wake() override { real_.wake(); }
  void wait(std::chrono::milliseconds) override { throw RunCancelled(); }
  bool join(std::chrono::milliseconds atMost) override { return real_.join(atMost); }

 private:
  StdThreads real_;
};

TEST(ParallelReadsTest, ClosingTheWindowCancelsTheReads) {
  ClosingThreads threads;
  const auto release = std::make_shared<std::atomic<bool>>(false);
  std::vector<std::size_t> cancels;
  EXPECT_THROW(readInParallel(
                   threads, {2, 60s, 5s}, 3,
                   [release](std::size_t, const std::function<void()>&) {
                     while (!*release) std::this_thread::sleep_for(1ms);
                   },
                   [&](std::size_t i) {
                     cancels.push_back(i);
                     *release = true;
                   },
                   [](std::size_t, ReadEnd) { ADD_FAILURE() << "no read ended"; }),
               RunCancelled);
  EXPECT_EQ(cancels, (std::vector<std::size_t>{0, 1}));
  EXPECT_TRUE(threads.join(5s));
}

// The report of many computers read on real threads, each at a pace of its own so that they
// end in any order, is the report that reads them one after another writes.
TEST(ParallelReadsTest, ManyComputersOnRealThreadsWriteWhatOneAtATimeWrites) {
  const std::vector<std::wstring> names{L"a", L"b", L"c", L"d", L"e", L"f"};
  const auto report = [&names](Threads& threads, bool paced) {
    fakes::FakeComputers computers;
    for (std::size_t i = 0; i < names.size(); ++i) {
      fakes::FakeEventLog& log = computers.logs[names[i]];
      for (int k = 0; k < 40; ++k) {
        wchar_t time[32];
        std::swprintf(time, 32, L"200908%02d120000.000000+060", 10 - k % 9);
        log.logs[L"'System'"].push_back({{L"Type", k % 3 ? L"Error" : L"Warning"},
                                         {L"TimeWritten", time},
                                         {L"Message", names[i] + L" event " + std::to_wstring(k)}});
      }
      // The first computer the slowest, the last the quickest: parts wait for their turn.
      if (paced) log.onStep = [delay = std::chrono::microseconds(300 * (names.size() - i))] {
        std::this_thread::sleep_for(delay);
      };
      if (i == 2) {
        log.computerError = ComputerError(L"Reading", 5, L"Access is denied.", Reach::EventLogApi);
        log.failAtStep = 7;
      }
    }
    fakes::MemoryFiles files;
    fakes::FakeLocale locale("dd/MM/yyyy");
    const auto replacement = files.replace(L"C:\\BRASK.txt", Encoding::SystemCodePage);
    const std::vector<std::wstring> unread =
        ManyComputers::of(computers, names)
            ->write({*replacement, [&files] { return files.spool(L"C:\\BRASK.txt"); }}, threads, locale,
                    {{L"'System'", L"Error"}, {L"'System'", L"Warning"}},
                    [](const Listing& listing, const Section& section) {
                      listLastEvents(listing, section.typeName, 20, section.logName);
                    },
                    {3, 60s, 5s}, [](std::size_t) {});
    EXPECT_EQ(unread.size(), 1u);
    replacement->commit();
    return std::pair(files.files[L"C:\\BRASK.txt"], files.spools.load());
  };
  fakes::InlineThreads inline_;
  StdThreads threads;
  const auto [expected, inlineSpools] = report(inline_, false);
  const auto [written, spools] = report(threads, true);
  EXPECT_EQ(written, expected);
  EXPECT_NE(expected.find(L"Computer c could not be read: Access is denied. (error 5)."), std::wstring::npos);
  EXPECT_GT(spools, 0) << "the quicker computers waited in spools";
  EXPECT_TRUE(threads.join(5s));
}

}  // namespace
}  // namespace brask
