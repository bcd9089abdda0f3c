#include "flipit/flip.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora::flipit {
namespace {

// Darkest the flap gets, edge-on.
constexpr double kDeepestShade = 0.55;

}  // namespace

void FlipCard::Show(std::string_view value, double now_ms) {
  if (shown_ && value == to_) return;
  from_ = shown_ ? to_ : std::string(value);
  to_ = std::string(value);
  start_ms_ = now_ms;
  shown_ = true;
}

bool FlipCard::Flipping(double now_ms) const {
  return shown_ && from_ != to_ && now_ms - start_ms_ < kFlipMilliseconds;
}

FlipFrame FlipCard::Frame(double now_ms) const {
  if (!Flipping(now_ms)) return {to_, to_, std::nullopt};
  const double t = std::clamp((now_ms - start_ms_) / kFlipMilliseconds, 0.0, 1.0);
  // Starts slowly, as a flap leaving its rest, and slows again to land.
  const double eased = t * t * (3 - 2 * t);
  const double angle = eased * std::numbers::pi;
  const double projection = std::cos(angle);
  Flap flap;
  flap.upper = projection > 0;
  flap.value = flap.upper ? from_ : to_;
  flap.extent = std::abs(projection);
  flap.shade = kDeepestShade * (1 - flap.extent);
  return {to_, from_, flap};
}

}  // namespace velora::flipit
