#include "exec/key_sender.h"

#include <algorithm>
#include <array>

namespace velora::exec {

std::vector<KeyEvent> KeyEventsOf(const KeyChord& chord) {
  std::vector<int> order;
  if (chord.modifier3 != 0) order.push_back(chord.modifier3);
  if (chord.modifier2 != 0) order.push_back(chord.modifier2);
  order.push_back(chord.modifier1);
  order.push_back(chord.key);

  std::vector<KeyEvent> events;
  events.reserve(order.size() * 2);
  for (const int key : order) events.push_back({key, true});
  for (const int key : order) events.push_back({key, false});
  return events;
}

bool IsExtendedKey(int key) {
  // Break, Page Up/Down, End, Home, the arrows, Print Screen, Insert, Delete, both Windows keys,
  // the menu key, number-pad divide, Num Lock, right Ctrl and right Alt.
  static constexpr std::array kExtended = {0x03, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2C,
                                           0x2D, 0x2E, 0x5B, 0x5C, 0x5D, 0x6F, 0x90, 0xA3, 0xA5};
  // The browser, volume, media and launch keys.
  if (key >= 0xA6 && key <= 0xB7) return true;
  return std::find(kExtended.begin(), kExtended.end(), key) != kExtended.end();
}

}  // namespace velora::exec
