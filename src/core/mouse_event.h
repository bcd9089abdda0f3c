#pragma once
// A system mouse message as the summoning gestures see it: which button, and what it did. Plain
// numbers in, so the table is the same in both trees and tested without a window.
#include <cstdint>
#include <initializer_list>

namespace velora::core {

// button: 1 left, 2 right, 3 middle, 4 wheel, 5 the upper side button (XBUTTON2), 6 the lower
// side button (XBUTTON1). action: 1 down, 2 up, 3 double click, 4 wheel forward, 5 wheel back.
// {0, 0} for moves and everything else.
struct MouseEvent {
  int button = 0;
  int action = 0;
  friend constexpr bool operator==(const MouseEvent&, const MouseEvent&) = default;
};

// `message` is the WM_* number; `mouse_data` as a low-level hook receives it, whose high word is
// the signed wheel delta or which side button (XBUTTON1 = 1, XBUTTON2 = 2).
MouseEvent ClassifyMouseMessage(unsigned message, std::uint32_t mouse_data);

// An event as one bit, so a set of wanted events is a mask tested with one AND. Nothing ({0, 0})
// and values outside the table have no bit, so they can never be wanted.
constexpr std::uint64_t EventBit(MouseEvent e) {
  if (e.button < 1 || e.button > 7 || e.action < 1 || e.action > 7) return 0;
  return 1ull << (e.button * 8 + e.action);
}

constexpr std::uint64_t EventBits(std::initializer_list<MouseEvent> events) {
  std::uint64_t bits = 0;
  for (const MouseEvent e : events) bits |= EventBit(e);
  return bits;
}

}  // namespace velora::core
