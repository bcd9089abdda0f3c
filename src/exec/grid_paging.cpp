#include "exec/grid_paging.h"

#include <algorithm>
#include <limits>

namespace velora::exec {

int ClampCapacity(long long capacity) {
  return static_cast<int>(std::clamp<long long>(capacity, kMinCapacity, kMaxCapacity));
}

int LastPage(std::size_t count, int capacity) {
  const std::size_t pages = count / static_cast<std::size_t>(ClampCapacity(capacity));
  return static_cast<int>(std::min<std::size_t>(pages, std::numeric_limits<int>::max()));
}

int PageAfterWheel(int page, int wheel_delta, std::size_t count, int capacity) {
  const int last = LastPage(count, capacity);
  if (wheel_delta > 0) return std::clamp(page - 1, 0, last);
  if (wheel_delta < 0) return std::clamp(page < last ? page + 1 : last, 0, last);
  return page;
}

}  // namespace velora::exec
