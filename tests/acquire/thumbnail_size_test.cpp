#include "acquire/thumbnail_size.h"

#include <gtest/gtest.h>

#include <climits>

using velora::acquire::RequestedSize;
using velora::acquire::ThumbnailSize;
using velora::core::Size;

TEST(ThumbnailSize, IsAHundredWideWithTheHeightScaledAndTruncated) {
  EXPECT_EQ(ThumbnailSize({200, 100}), (Size{100, 50}));
  EXPECT_EQ(ThumbnailSize({3, 7}), (Size{100, 233}));     // 233.3 truncated
  EXPECT_EQ(ThumbnailSize({300, 299}), (Size{100, 99}));  // 99.67 truncated, not rounded
  EXPECT_EQ(ThumbnailSize({50, 50}), (Size{100, 100}));   // small pictures grow
}

TEST(ThumbnailSize, KeepsThePicturesHeightWhenTheScaledOneIsBelowOne) {
  EXPECT_EQ(ThumbnailSize({1000, 5}), (Size{100, 5}));
  EXPECT_EQ(ThumbnailSize({1000, 10}), (Size{100, 1}));
  EXPECT_EQ(ThumbnailSize({100000, 1}), (Size{100, 1}));
}

TEST(ThumbnailSize, NeitherOverflowsOnTallPicturesNorDividesByZero) {
  EXPECT_EQ(ThumbnailSize({1, 30000000}), (Size{100, INT_MAX}));
  EXPECT_EQ(ThumbnailSize({1, INT_MAX}), (Size{100, INT_MAX}));
  EXPECT_EQ(ThumbnailSize({0, 100}), (Size{}));
  EXPECT_EQ(ThumbnailSize({100, 0}), (Size{}));
  EXPECT_EQ(ThumbnailSize({-5, 100}), (Size{}));
}

TEST(RequestedSize, TakesThePicturesOwnSideForASideBelowOne) {
  EXPECT_EQ(RequestedSize({640, 480}, {100, 75}), (Size{100, 75}));
  EXPECT_EQ(RequestedSize({640, 480}, {0, 75}), (Size{640, 75}));
  EXPECT_EQ(RequestedSize({640, 480}, {100, -1}), (Size{100, 480}));
  EXPECT_EQ(RequestedSize({640, 480}, {}), (Size{640, 480}));
}
