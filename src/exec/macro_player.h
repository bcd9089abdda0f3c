#pragma once
// Playing a macro item: the panel steps aside, the window under the pointer is made active and
// receives the key combination, and a held panel comes back.
#include <string_view>

#include "exec/key_sender.h"

namespace velora::exec {

// Long enough for the window under the panel to repaint and take activation after the hide.
inline constexpr int kMacroSettleMs = 200;

// The key combination of a macro's key-code text ("17+16+83", with or without the "热键" prefix):
// first modifier, second modifier, main key. Missing numbers, and numbers that are no virtual-key
// code (outside 1 to 254), count as no key.
KeyChord ChordOfMacro(std::string_view key_codes);

// What playing a macro asks of the panel and the desktop; the program wires both.
class MacroStage {
 public:
  virtual ~MacroStage() = default;
  virtual void HidePanel() = 0;  // the tip window and the launcher window
  // Waits while the window keeps handling its messages.
  virtual void Pause(int milliseconds) = 0;
  // With `root_owner`, the window activated is the root owner of the one under the pointer.
  virtual void ActivateWindowAtPointer(bool root_owner) = 0;
  virtual bool PanelHeld() const = 0;
  virtual void ShowPanel() = 0;
};

void PlayMacro(std::string_view key_codes, MacroStage& stage, KeySender& keys);

}  // namespace velora::exec
