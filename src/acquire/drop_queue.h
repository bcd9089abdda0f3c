#pragma once
// Dropped paths wait here for the item adder, which takes one per tick of the queue timer, so a
// drop of a thousand files never holds the panel. The drop message and the timer share the UI
// thread; the lock lets any other thread push as well.
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::acquire {

class DropQueue {
 public:
  void Push(std::string entry);
  // The oldest entry, or nothing when the queue is empty.
  std::optional<std::string> Take();
  std::size_t Count() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::string> entries_;
};

// The queue entry of a dropped path: the hex text of its path buffer, which is also the item's
// code. Nothing for an empty path, or for one the buffer cannot hold whole (over 499 UTF-16
// units): a cut path would name another file or none.
std::optional<std::string> DropEntry(std::string_view path_utf8);

// Queues the dropped paths in drop order and returns how many were refused as too long; the
// window tells the user when any was (acquire/adder_words.h).
std::size_t QueueDroppedPaths(DropQueue& queue, const std::vector<std::string>& paths_utf8);

}  // namespace velora::acquire
