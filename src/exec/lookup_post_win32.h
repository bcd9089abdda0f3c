#pragma once
// Hands a lookup's text from the worker thread to the window that asked for it.
#include <windows.h>

#include <string>

#include "exec/lookup_worker.h"

namespace velora::exec {

// The registered message that carries a result: wParam is the caller's tag, lParam owns the
// text until TakeLookupResult.
UINT LookupResultMessage() noexcept;

// A sink that posts each result to `window`. When the window is gone the text is dropped.
LookupWorker::Sink PostLookupResult(HWND window, WPARAM tag);

// Takes the text out of a LookupResultMessage's lParam; call it exactly once per message.
std::string TakeLookupResult(LPARAM lparam) noexcept;

}  // namespace velora::exec
