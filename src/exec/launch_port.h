#pragma once
// What the grid asks of the launcher. The grid only decides that an item is to be launched;
// stamping its date, sorting its kind and running it belong to the implementation.
#include <cstdint>
#include <string>

namespace velora::exec {

struct LaunchTarget {
  std::string category;        // the table the item lives in
  int cell = 0;                // index within the page
  std::string code;            // the item list entry behind the cell
  std::uint64_t press_ms = 0;  // tick count of the press on the cell: a long press pastes a picture
};

class LaunchPort {
 public:
  virtual ~LaunchPort() = default;
  virtual void Launch(const LaunchTarget& target) = 0;
};

}  // namespace velora::exec
