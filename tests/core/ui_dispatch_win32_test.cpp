// The road back to the UI thread and the work queue, end to end on a real message queue: order,
// the thread things run on, what is freed unrun, superseded results and an end that never hangs.
#include <windows.h>
// After windows.h, whose types it uses.
#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/ui_dispatcher_win32.h"
#include "core/work_queue_win32.h"
#include "support/message_pump_win32.h"

namespace velora::core {
namespace {

using Strings = std::vector<std::string>;

std::shared_ptr<void> ManualEvent() { return {CreateEventW(nullptr, TRUE, FALSE, nullptr), CloseHandle}; }

TEST(UiDispatcher, RunsInOrderOnItsThreadAndFreesWhatItCannotRun) {
  std::unique_ptr<UiDispatcher> ui = UiDispatcher::Create();
  ASSERT_TRUE(ui);
  const UiPoster poster = ui->Poster();
  std::vector<int> ran;
  std::vector<DWORD> threads;
  std::thread([&] {
    for (int i = 0; i < 50; ++i) {
      ASSERT_TRUE(poster.Post([&ran, &threads, i] {
        ran.push_back(i);
        threads.push_back(GetCurrentThreadId());
      }));
    }
    (void)poster.Post([] { throw std::runtime_error("contained"); });
  }).join();
  EXPECT_TRUE(ran.empty()) << "nothing runs before the UI thread pumps";
  ASSERT_TRUE(testing::PumpUntil([&] { return ran.size() == 50; }, 5000));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(ran[i], i);
  EXPECT_EQ(threads, std::vector<DWORD>(50, GetCurrentThreadId()));

  // One still queued when the dispatcher ends and one posted after: both freed, neither run.
  const auto held = std::make_shared<int>();
  bool late_ran = false;
  EXPECT_TRUE(poster.Post([held, &late_ran] { late_ran = true; }));
  ui.reset();
  EXPECT_FALSE(poster.Post([held, &late_ran] { late_ran = true; }));
  EXPECT_FALSE(UiPoster().Post([held] {}));
  testing::PumpFor(100);
  EXPECT_FALSE(late_ran);
  EXPECT_EQ(held.use_count(), 1);
}

TEST(WorkQueue, HandsResultsBackDropsSupersededOnesAndNeverHoldsTheEnd) {
  const std::unique_ptr<UiDispatcher> ui = UiDispatcher::Create();
  ASSERT_TRUE(ui);
  Strings got;
  std::vector<DWORD> threads;
  const auto record = [&](std::string text) {
    got.push_back(std::move(text));
    threads.push_back(GetCurrentThreadId());
  };
  const auto fallback = [] { return std::string("fallback"); };
  const auto arrived = [&](std::size_t count) {
    return testing::PumpUntil([&] { return got.size() >= count; }, 5000);
  };
  {
    WorkQueue queue(ui->Poster(), {"test queue", true});
    const std::shared_ptr<void> gate = ManualEvent();
    ASSERT_TRUE(queue.Post(
        [gate] {
          WaitForSingleObject(gate.get(), 5000);
          return std::string("first");
        },
        record, fallback));
    ASSERT_TRUE(queue.Post([]() -> std::string { throw std::runtime_error("job"); }, record, fallback));
    ASSERT_TRUE(queue.Post([] { return std::string("x"); },
                           [](std::string) { throw std::runtime_error("done"); }, fallback));
    ASSERT_TRUE(queue.Post(
        [] {
          // Already in the single-threaded apartment the queue was asked for.
          const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
          if (SUCCEEDED(result)) CoUninitialize();
          return std::string(result == S_FALSE ? "apartment" : "no apartment");
        },
        record, fallback));
    EXPECT_TRUE(queue.Busy());
    SetEvent(gate.get());
    ASSERT_TRUE(arrived(3));
    EXPECT_EQ(got, (Strings{"first", "fallback", "apartment"}));
    EXPECT_EQ(threads, std::vector<DWORD>(3, GetCurrentThreadId()));
    EXPECT_FALSE(queue.Busy());

    // A newer job supersedes: the one in hand is told and its result dropped, a queued one never runs.
    got.clear();
    const std::shared_ptr<void> started = ManualEvent();
    std::atomic<bool> told{false};
    std::atomic<bool> queued_ran{false};
    ASSERT_TRUE(queue.Replace(
        [started, &told](const WorkTicket& ticket) {
          SetEvent(started.get());
          for (int i = 0; i < 500 && ticket.Current(); ++i) Sleep(10);
          told = !ticket.Current();
          return std::string("superseded");
        },
        record, fallback));
    ASSERT_TRUE(queue.Post(
        [&queued_ran] {
          queued_ran = true;
          return std::string("queued");
        },
        record, fallback));
    ASSERT_EQ(WaitForSingleObject(started.get(), 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(queue.Replace([] { return std::string("newest"); }, record, fallback));
    ASSERT_TRUE(arrived(1));
    testing::PumpFor(100);
    EXPECT_EQ(got, Strings{"newest"});
    EXPECT_TRUE(told);
    EXPECT_FALSE(queued_ran);

    // A result already on its way to the UI thread is dropped when a newer job supersedes it.
    got.clear();
    ASSERT_TRUE(queue.Replace([] { return std::string("on its way"); }, record, fallback));
    ASSERT_TRUE(queue.WaitUntilIdle(5000));
    ASSERT_TRUE(queue.Replace([] { return std::string("latest"); }, record, fallback));
    ASSERT_TRUE(arrived(1));
    testing::PumpFor(100);
    EXPECT_EQ(got, Strings{"latest"});
  }

  // A job stuck in a system call: the end waits no longer than it was set to, and neither that
  // job's result nor one queued behind it ever arrives.
  got.clear();
  const std::shared_ptr<void> stuck = ManualEvent();
  const auto start = std::chrono::steady_clock::now();
  {
    WorkQueue queue(ui->Poster(), {"stuck queue", false, 200, 300});
    ASSERT_TRUE(queue.Post(
        [stuck] {
          WaitForSingleObject(stuck.get(), 10000);
          return std::string("stuck");
        },
        record, fallback));
    ASSERT_TRUE(queue.Post([] { return std::string("behind"); }, record, fallback));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  SetEvent(stuck.get());
  testing::PumpFor(300);
  EXPECT_TRUE(got.empty());
}

}  // namespace
}  // namespace velora::core
