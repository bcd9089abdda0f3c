// Frame animations on window timers, pumped the way the program's message loop pumps them.
#include "toolkit/animation.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "test_window.h"

namespace velora::toolkit {
namespace {

using testing::PumpUntil;

struct Seen {
  AnimationEvent event;
  int frame;
  double value;
};

TEST(Animator, ReportsBeginEveryStepAndEndWithTheValuesBetween) {
  const auto animator = Animator::Create();
  ASSERT_NE(animator, nullptr);
  std::vector<Seen> seen;
  unsigned reported_id = 0;
  const unsigned id = animator->Start({10, 110, 4, 5}, [&](const AnimationFrame& f) {
    seen.push_back({f.event, f.frame, f.value});
    reported_id = f.id;
    EXPECT_EQ(f.frames, 4);
    EXPECT_EQ(f.from, 10);
    EXPECT_EQ(f.to, 110);
  });
  ASSERT_NE(id, 0u);
  EXPECT_TRUE(animator->Running(id));
  EXPECT_TRUE(seen.empty());  // nothing runs before the message loop does
  ASSERT_TRUE(PumpUntil([&] { return !animator->Running(id); }, 3000));
  EXPECT_EQ(reported_id, id);
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0].event, AnimationEvent::kBegin);
  EXPECT_EQ(seen[0].value, 10);
  const double steps[] = {35, 60, 85, 110};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(seen[1 + i].event, AnimationEvent::kStep);
    EXPECT_EQ(seen[1 + i].frame, i + 1);
    EXPECT_DOUBLE_EQ(seen[1 + i].value, steps[i]);
  }
  EXPECT_EQ(seen[5].event, AnimationEvent::kEnd);
  EXPECT_EQ(seen[5].value, 110);
}

TEST(Animator, NoFramesBeginsAndEndsAtOnce) {
  const auto animator = Animator::Create();
  ASSERT_NE(animator, nullptr);
  std::vector<Seen> seen;
  const unsigned id = animator->Start({1, 0, 0, 5}, [&](const AnimationFrame& f) {
    seen.push_back({f.event, f.frame, f.value});
  });
  ASSERT_TRUE(PumpUntil([&] { return !animator->Running(id); }, 3000));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].event, AnimationEvent::kBegin);
  EXPECT_EQ(seen[1].event, AnimationEvent::kEnd);
  EXPECT_EQ(seen[1].value, 0);
}

TEST(Animator, SeveralRunTogetherAndCancellingOneLeavesTheOthers) {
  const auto animator = Animator::Create();
  ASSERT_NE(animator, nullptr);
  int self_cancelled_steps = 0, thrower_calls = 0, victim_calls = 0;
  bool self_cancelled_ended = false, survivor_ended = false;
  unsigned self_cancelling = 0, victim = 0;
  self_cancelling = animator->Start({0, 1, 10, 5}, [&](const AnimationFrame& f) {
    if (f.event == AnimationEvent::kStep && ++self_cancelled_steps == 2) animator->Cancel(f.id);
    if (f.event == AnimationEvent::kEnd) self_cancelled_ended = true;
  });
  victim = animator->Start({0, 1, 10, 5}, [&](const AnimationFrame&) { ++victim_calls; });
  const unsigned thrower = animator->Start({0, 1, 10, 5}, [&](const AnimationFrame&) {
    ++thrower_calls;
    throw std::runtime_error("a failing frame");
  });
  const unsigned survivor = animator->Start({0, 1, 6, 5}, [&](const AnimationFrame& f) {
    if (f.event == AnimationEvent::kBegin) animator->Cancel(victim);  // another one, from a callback
    if (f.event == AnimationEvent::kEnd) survivor_ended = true;
  });
  EXPECT_EQ(animator->running_count(), 4u);
  EXPECT_NE(self_cancelling, victim);
  ASSERT_TRUE(PumpUntil([&] { return animator->running_count() == 0; }, 3000));
  EXPECT_TRUE(survivor_ended);
  EXPECT_FALSE(animator->Running(survivor));
  EXPECT_EQ(self_cancelled_steps, 2);
  EXPECT_FALSE(self_cancelled_ended);
  EXPECT_EQ(thrower_calls, 1);
  EXPECT_FALSE(animator->Running(thrower));
  EXPECT_LE(victim_calls, 2);  // at most its first tick, if it came before the survivor's
  animator->Cancel(survivor);  // already over: nothing happens
}

TEST(Animator, TheEndCallbackMayStartTheNextAnimation) {
  const auto animator = Animator::Create();
  ASSERT_NE(animator, nullptr);
  bool second_ended = false;
  const unsigned first = animator->Start({0, 1, 2, 5}, [&](const AnimationFrame& f) {
    if (f.event != AnimationEvent::kEnd) return;
    EXPECT_FALSE(animator->Running(f.id));
    EXPECT_NE(
        animator->Start({1, 0, 2, 5},
                        [&](const AnimationFrame& g) { second_ended |= g.event == AnimationEvent::kEnd; }),
        0u);
  });
  ASSERT_NE(first, 0u);
  EXPECT_TRUE(PumpUntil([&] { return second_ended; }, 3000));
}

}  // namespace
}  // namespace velora::toolkit
