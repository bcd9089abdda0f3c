// Drop-queue entries, the refusal of a path too long to hold, and the queue's order and lock.
#include "acquire/drop_queue.h"

#include <gtest/gtest.h>

#include <thread>

#include "text/path_code.h"

namespace velora::acquire {
namespace {

TEST(DropEntry, IsTheUpperCaseHexOfThePathBuffer) {
  EXPECT_EQ(DropEntry("C:\\"), "43003A005C00" + std::string(1988, '0'));
  const std::string path = "D:\\资料\\Ab 1.txt";
  const std::optional<std::string> entry = DropEntry(path);
  ASSERT_TRUE(entry);
  ASSERT_EQ(entry->size(), text::kPathCodeDigits);
  EXPECT_EQ(entry->find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(text::PathFromCode(*entry), path);
}

TEST(DropEntry, APathTheBufferCannotHoldWholeIsRefused) {
  const std::string longest = "C:\\" + std::string(496, 'x');  // 499 units
  const std::optional<std::string> entry = DropEntry(longest);
  ASSERT_TRUE(entry);
  EXPECT_EQ(text::PathFromCode(*entry), longest);
  EXPECT_EQ(DropEntry(longest + "y"), std::nullopt);
  EXPECT_EQ(DropEntry(""), std::nullopt);
}

TEST(QueueDroppedPaths, QueuesInDropOrderAndCountsTheRefused) {
  DropQueue queue;
  const std::string too_long = "D:\\" + std::string(600, 'n') + ".txt";
  EXPECT_EQ(QueueDroppedPaths(queue, {"D:\\一.txt", too_long, "D:\\二", "", "D:\\三.exe"}), 1u);
  ASSERT_EQ(queue.Count(), 3u);
  // A file gives the same entry whether it is dropped alone or beside a long-named one.
  EXPECT_EQ(queue.Take(), DropEntry("D:\\一.txt"));
  EXPECT_EQ(text::PathFromCode(queue.Take().value_or("")), "D:\\二");
  EXPECT_EQ(text::PathFromCode(queue.Take().value_or("")), "D:\\三.exe");
  EXPECT_EQ(queue.Take(), std::nullopt);
  EXPECT_EQ(queue.Count(), 0u);
}

TEST(DropQueue, ProducersOnOtherThreadsLoseNothingAndKeepTheirOwnOrder) {
  DropQueue queue;
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::vector<std::thread> producers;
  for (int t = 0; t < kThreads; ++t) {
    producers.emplace_back([&queue, t] {
      for (int i = 0; i < kEach; ++i) queue.Push(std::to_string(t) + ":" + std::to_string(i));
    });
  }
  std::vector<int> next(kThreads, 0);
  int taken = 0;
  while (taken < kThreads * kEach) {
    const std::optional<std::string> entry = queue.Take();
    if (!entry) {
      std::this_thread::yield();
      continue;
    }
    const int thread = (*entry)[0] - '0';
    ASSERT_EQ(*entry, std::to_string(thread) + ":" + std::to_string(next[thread]));
    ++next[thread];
    ++taken;
  }
  for (auto& producer : producers) producer.join();
  EXPECT_EQ(queue.Count(), 0u);
}

}  // namespace
}  // namespace velora::acquire
