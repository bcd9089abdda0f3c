#pragma once
// The key sender: the events of a key combination injected as keyboard input, in their order.
#include "exec/key_sender.h"

namespace velora::desktop {

class KeySenderWin32 final : public exec::KeySender {
 public:
  // One SendInput call, so the user's own typing cannot fall between the events.
  bool Send(std::span<const exec::KeyEvent> events) override;
};

}  // namespace velora::desktop
