#pragma once
// Paging of the item grid: how many cells a page has and which pages the wheel reaches.
#include <cstddef>

namespace velora::exec {

inline constexpr int kDefaultCapacity = 18;
// A page always has a cell, so paging never divides by zero; the upper bound keeps a corrupt
// setting from allocating millions of cells (an 8K screen holds under 5000).
inline constexpr int kMinCapacity = 1;
inline constexpr int kMaxCapacity = 10000;

int ClampCapacity(long long capacity);

// The last page the wheel reaches: floor(count / capacity). A full last page is followed by one
// empty page, so 18 items at 18 a page reach page 1.
int LastPage(std::size_t count, int capacity);

// Rotating away from the user (positive delta) goes back, never below 0; towards the user goes
// forward, never past the last page. A zero delta stays.
int PageAfterWheel(int page, int wheel_delta, std::size_t count, int capacity);

}  // namespace velora::exec
