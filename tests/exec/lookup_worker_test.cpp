#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

#include "exec/lookup_worker.h"

using velora::exec::LookupWorker;

namespace {

// Collects what the worker delivers, as a UI thread's queue would.
class Inbox {
 public:
  LookupWorker::Sink Sink() {
    return [this](std::string text) {
      std::lock_guard lock(mutex_);
      text_ = std::move(text);
      thread_ = std::this_thread::get_id();
      arrived_.notify_all();
    };
  }
  std::optional<std::string> Wait() {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::seconds(5), [this] { return text_.has_value(); });
    std::optional<std::string> text = std::move(text_);
    text_.reset();
    return text;
  }
  std::thread::id thread() {
    std::lock_guard lock(mutex_);
    return thread_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::optional<std::string> text_;
  std::thread::id thread_;
};

}  // namespace

TEST(LookupWorker, RunsOffTheCallingThreadAndDeliversTheText) {
  LookupWorker worker;
  Inbox inbox;
  ASSERT_TRUE(worker.Start([] { return std::string("203.0.113.7\n"); }, inbox.Sink()));
  EXPECT_EQ(inbox.Wait(), "203.0.113.7\n");
  EXPECT_NE(inbox.thread(), std::this_thread::get_id());
}

TEST(LookupWorker, OneAtATimeThenFreeAgain) {
  LookupWorker worker;
  Inbox inbox;
  std::mutex gate;
  std::unique_lock hold(gate);
  ASSERT_TRUE(worker.Start(
      [&] {
        std::lock_guard wait_for_gate(gate);
        return std::string("first");
      },
      inbox.Sink()));
  EXPECT_TRUE(worker.Busy());
  EXPECT_FALSE(worker.Start([] { return std::string("second"); }, inbox.Sink()));
  hold.unlock();
  EXPECT_EQ(inbox.Wait(), "first");
  for (int i = 0; i < 200 && worker.Busy(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(worker.Start([] { return std::string("third"); }, inbox.Sink()));
  EXPECT_EQ(inbox.Wait(), "third");
}

TEST(LookupWorker, ThrowingLookupDeliversEmptyTextAndThrowingSinkIsContained) {
  LookupWorker worker;
  Inbox inbox;
  ASSERT_TRUE(worker.Start([]() -> std::string { throw std::runtime_error("resolver gone"); }, inbox.Sink()));
  EXPECT_EQ(inbox.Wait(), "");
  for (int i = 0; i < 200 && worker.Busy(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(
      worker.Start([] { return std::string("x"); }, [](std::string) { throw std::runtime_error("sink"); }));
  for (int i = 0; i < 200 && worker.Busy(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(worker.Busy());
}
