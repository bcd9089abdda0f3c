#include <gtest/gtest.h>

#include "flipit/wake.h"

using velora::flipit::MoveGuard;

TEST(MoveGuard, TheMoveThatArrivesAtStartAndSmallNudgesKeepItRunning) {
  MoveGuard guard(96);
  guard.SetStart({500, 400});
  EXPECT_FALSE(guard.IsRealMove({500, 400}));
  EXPECT_FALSE(guard.IsRealMove({504, 396}));
  EXPECT_FALSE(guard.IsRealMove({497, 403}));
  EXPECT_FALSE(guard.IsRealMove({500, 400}));
}

TEST(MoveGuard, AMoveOfSeveralPixelsInAnyDirectionEndsIt) {
  for (const velora::core::Point to : {velora::core::Point{505, 400}, {495, 400}, {500, 405}, {500, 395}}) {
    MoveGuard guard(96);
    guard.SetStart({500, 400});
    EXPECT_TRUE(guard.IsRealMove(to)) << to.x << "," << to.y;
  }
}

TEST(MoveGuard, NudgesAreMeasuredFromTheStartNotFromTheLastMove) {
  MoveGuard guard(96);
  guard.SetStart({0, 0});
  EXPECT_FALSE(guard.IsRealMove({3, 0}));
  EXPECT_FALSE(guard.IsRealMove({4, 0}));
  EXPECT_TRUE(guard.IsRealMove({7, 0}));
}

TEST(MoveGuard, WithoutAStartTheFirstReportedPositionIsTheStart) {
  MoveGuard guard(96);
  EXPECT_FALSE(guard.IsRealMove({900, 900}));
  EXPECT_FALSE(guard.IsRealMove({902, 901}));
  EXPECT_TRUE(guard.IsRealMove({880, 900}));
}

TEST(MoveGuard, TheDistanceGrowsWithTheDisplayScale) {
  MoveGuard at_100(96), at_200(192);
  at_100.SetStart({0, 0});
  at_200.SetStart({0, 0});
  EXPECT_TRUE(at_100.IsRealMove({6, 0}));
  EXPECT_FALSE(at_200.IsRealMove({6, 0}));
  EXPECT_TRUE(at_200.IsRealMove({9, 0}));
}
