#include "ui/edge_docking.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velora::ui;

namespace {

const Rect kScreen{0, 0, 1280, 1024};

// Runs the docker as the window's timers would, from one check to the end of its slide.
Rect RunCheck(EdgeDocker& docker, Rect window, Point pointer, int* steps = nullptr) {
  int n = 0;
  for (auto at = docker.Check(window, kScreen, pointer); at; at = docker.Step()) {
    window.left = at->x;
    window.top = at->y;
    ++n;
  }
  if (steps) *steps = n;
  return window;
}

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

}  // namespace

TEST(EdgeDocking, WindowAtTheLeftSlidesOffAndPopsBackFromItsStrip) {
  EdgeDocker docker;
  const Rect start{0, 100, 510, 311};
  const std::vector<Point> path = DockOffPath(start, kScreen);
  ASSERT_EQ(path.size(), 35u);  // 15-pixel steps while more than 3 pixels show, then the rest
  EXPECT_TRUE(Same(path[0], {-15, 100}));
  EXPECT_TRUE(Same(path[1], {-30, 100}));
  EXPECT_TRUE(Same(path[33], {-510, 100}));
  EXPECT_TRUE(Same(path.back(), {-509, 100}));  // one pixel stays on the screen

  int steps = 0;
  Rect docked = RunCheck(docker, start, {800, 500}, &steps);
  EXPECT_EQ(docked, (Rect{-509, 100, 510, 311}));
  EXPECT_EQ(steps, static_cast<int>(path.size()));

  EXPECT_EQ(RunCheck(docker, docked, {800, 500}), docked);  // stays docked
  EXPECT_EQ(RunCheck(docker, docked, {0, 200}), start);     // touching the strip: back at once
}

TEST(EdgeDocking, EachEdgeWithItsStep) {
  const std::vector<Point> right = DockOffPath({770, 100, 510, 311}, kScreen);
  EXPECT_TRUE(Same(right[0], {785, 100}));
  EXPECT_TRUE(Same(right.back(), {1279, 100}));
  const std::vector<Point> top = DockOffPath({100, 0, 510, 311}, kScreen);
  EXPECT_TRUE(Same(top[0], {100, -30}));
  EXPECT_TRUE(Same(top.back(), {100, -310}));
  const std::vector<Point> bottom = DockOffPath({100, 713, 510, 311}, kScreen);
  EXPECT_TRUE(Same(bottom[0], {100, 743}));
  EXPECT_TRUE(Same(bottom.back(), {100, 1023}));
  EXPECT_TRUE(DockOffPath({1, 1, 510, 311}, kScreen).empty());  // touching nothing
}

TEST(EdgeDocking, CornerWindowSlidesSidewaysThenUp) {
  const std::vector<Point> path = DockOffPath({0, 0, 510, 311}, kScreen);
  const auto turn = std::find_if(path.begin(), path.end(), [](Point p) { return p.y != 0; });
  ASSERT_NE(turn, path.end());
  EXPECT_TRUE(Same(*(turn - 1), {-509, 0}));
  EXPECT_TRUE(Same(*turn, {-509, -30}));
  EXPECT_TRUE(Same(path.back(), {-509, -310}));
}

TEST(EdgeDocking, ReturnPutsAWindowPartlyOffTheScreenBackOnIt) {
  EXPECT_FALSE(DockReturnPosition({0, 0, 510, 311}, kScreen));
  const auto back = DockReturnPosition({1279, 1023, 510, 311}, kScreen);
  ASSERT_TRUE(back);
  EXPECT_TRUE(Same(*back, {770, 713}));
}

TEST(EdgeDocking, PointerReachingTheWindowMidSlideStopsIt) {
  EdgeDocker docker;
  Rect window{0, 100, 510, 311};
  auto at = docker.Check(window, kScreen, {800, 500});
  ASSERT_TRUE(at);
  window.left = at->x;
  EXPECT_TRUE(docker.sliding());
  EXPECT_FALSE(docker.Check(window, kScreen, {800, 500}));  // a check during the slide waits
  EXPECT_TRUE(docker.sliding());
  const auto back = docker.Check(window, kScreen, {100, 200});
  EXPECT_FALSE(docker.sliding());
  ASSERT_TRUE(back);
  EXPECT_TRUE(Same(*back, {0, 100}));
}
