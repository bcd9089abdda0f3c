#pragma once
// One card of the clock and its flip. When the value changes, the upper half of the old value
// folds down about the split line, edge-on halfway, and lands as the lower half of the new one;
// the new upper half shows behind it from the start, the old lower half until it is covered.
// The frame depends on the time alone, so the picture is right however late a timer comes.
#include <optional>
#include <string>
#include <string_view>

namespace velora::flipit {

inline constexpr double kFlipMilliseconds = 600;

// The folding half of a card.
struct Flap {
  std::string value;
  bool upper = true;    // the old upper half falling; false: the new lower half landing
  double extent = 1.0;  // its height seen from the front, as a share of a half card (0 edge-on)
  double shade = 0.0;   // how much darker it is, 0 to 1: it turns away from the light
  bool operator==(const Flap&) const = default;
};

struct FlipFrame {
  std::string top;     // the upper half at rest
  std::string bottom;  // the lower half at rest
  std::optional<Flap> flap;
  bool operator==(const FlipFrame&) const = default;
};

class FlipCard {
 public:
  // Shows `value` from `now_ms` on: the first value at once, a changed one by a flip. A change
  // during a flip finishes that flip at once and starts the next from its value.
  void Show(std::string_view value, double now_ms);

  FlipFrame Frame(double now_ms) const;
  bool Flipping(double now_ms) const;

 private:
  std::string from_;
  std::string to_;
  double start_ms_ = 0;
  bool shown_ = false;
};

}  // namespace velora::flipit
