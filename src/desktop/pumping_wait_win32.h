#pragma once
// The program's pause: it waits on the UI thread while dispatching the window messages that
// arrive, so the panel keeps painting and the timers and hooks keep running.
#include <windows.h>

namespace velora::desktop {

// Waits `milliseconds`, dispatching messages meanwhile. A WM_QUIT ends the wait early and is
// posted again for the main loop, which would otherwise never see it; the result is then false.
bool PumpingWait(DWORD milliseconds) noexcept;

}  // namespace velora::desktop
