#include "desktop/key_sender_win32.h"

#include <windows.h>

#include <vector>

namespace velora::desktop {

bool KeySenderWin32::Send(std::span<const exec::KeyEvent> events) {
  if (events.empty()) return true;
  std::vector<INPUT> inputs(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    const exec::KeyEvent& event = events[i];
    KEYBDINPUT& key = inputs[i].ki;
    inputs[i].type = INPUT_KEYBOARD;
    key.wVk = static_cast<WORD>(event.key);
    // Programs that read scan codes (terminals, remote desktops, games) see the key too.
    key.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(event.key), MAPVK_VK_TO_VSC));
    key.dwFlags =
        (event.down ? 0 : KEYEVENTF_KEYUP) | (exec::IsExtendedKey(event.key) ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

}  // namespace velora::desktop
