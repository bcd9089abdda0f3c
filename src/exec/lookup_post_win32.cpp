#include "exec/lookup_post_win32.h"

#include <memory>

namespace velora::exec {

UINT LookupResultMessage() noexcept {
  static const UINT message = RegisterWindowMessageW(L"Velora.LookupResult");
  return message;
}

LookupWorker::Sink PostLookupResult(HWND window, WPARAM tag) {
  return [window, tag](std::string text) {
    auto owned = std::make_unique<std::string>(std::move(text));
    if (PostMessageW(window, LookupResultMessage(), tag, reinterpret_cast<LPARAM>(owned.get()))) {
      owned.release();  // the receiver owns it now
    }
  };
}

std::string TakeLookupResult(LPARAM lparam) noexcept {
  std::unique_ptr<std::string> owned(reinterpret_cast<std::string*>(lparam));
  return owned ? std::move(*owned) : std::string();
}

}  // namespace velora::exec
