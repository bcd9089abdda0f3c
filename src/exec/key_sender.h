#pragma once
// Synthetic key presses as an ordered list of events, and the port that injects them. The order
// is part of the behaviour users rely on: every press first (modifiers before the main key), then
// the releases in the same order, so the modifiers go up before the main key.
#include <span>
#include <vector>

namespace velora::exec {

struct KeyEvent {
  int key = 0;  // virtual-key code
  bool down = true;
  bool operator==(const KeyEvent&) const = default;
};

// A main key with up to three modifiers; 0 is an empty slot.
struct KeyChord {
  int key = 0;
  int modifier1 = 0;
  int modifier2 = 0;
  int modifier3 = 0;
};

// Presses m3 and m2 when set, then m1 even when it is 0, then the main key; then releases them in
// the same order. The always-sent first modifier keeps stored macros playing as they always have.
std::vector<KeyEvent> KeyEventsOf(const KeyChord& chord);

// Keys whose scan code carries the extended prefix; without it the arrows and the editing block
// arrive as their number-pad twins in programs that read scan codes.
bool IsExtendedKey(int key);

inline constexpr int kControlKey = 0x11;
inline constexpr KeyChord kCopyChord{0x43, kControlKey};   // Ctrl+C, the summon's copy
inline constexpr KeyChord kPasteChord{0x56, kControlKey};  // Ctrl+V, pasting snippets and pictures

class KeySender {
 public:
  virtual ~KeySender() = default;
  // Injects the events in order, as one uninterrupted sequence; false when the system took fewer
  // than all of them (a window of a higher integrity level has the focus, for one).
  virtual bool Send(std::span<const KeyEvent> events) = 0;
};

inline bool SendChord(KeySender& sender, const KeyChord& chord) { return sender.Send(KeyEventsOf(chord)); }

}  // namespace velora::exec
