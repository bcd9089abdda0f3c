#include "acquire/drop_queue.h"

#include "text/path_code.h"

namespace velora::acquire {

void DropQueue::Push(std::string entry) {
  const std::lock_guard lock(mutex_);
  entries_.push_back(std::move(entry));
}

std::optional<std::string> DropQueue::Take() {
  const std::lock_guard lock(mutex_);
  if (entries_.empty()) return std::nullopt;
  std::string entry = std::move(entries_.front());
  entries_.pop_front();
  return entry;
}

std::size_t DropQueue::Count() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

std::optional<std::string> DropEntry(std::string_view path_utf8) {
  if (path_utf8.empty() || !text::FitsPathBuffer(path_utf8)) return std::nullopt;
  return text::PathCode(path_utf8);
}

std::size_t QueueDroppedPaths(DropQueue& queue, const std::vector<std::string>& paths_utf8) {
  std::size_t refused = 0;
  for (const std::string& path : paths_utf8) {
    if (std::optional<std::string> entry = DropEntry(path)) {
      queue.Push(std::move(*entry));
    } else if (!path.empty()) {
      ++refused;
    }
  }
  return refused;
}

}  // namespace velora::acquire
