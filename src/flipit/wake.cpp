#include "flipit/wake.h"

#include <cstdlib>

namespace velora::flipit {

bool MoveGuard::IsRealMove(core::Point screen) {
  if (!start_) {
    start_ = screen;
    return false;
  }
  return std::abs(screen.x - start_->x) > threshold_ || std::abs(screen.y - start_->y) > threshold_;
}

}  // namespace velora::flipit
