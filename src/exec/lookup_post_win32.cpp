#include "exec/lookup_post_win32.h"

#include "core/posted_value_win32.h"

namespace velora::exec {

UINT LookupResultMessage() noexcept {
  static const UINT message = RegisterWindowMessageW(L"Velora.LookupResult");
  return message;
}

LookupWorker::Sink PostLookupResult(HWND window, WPARAM tag) {
  return [window, tag](std::string text) {
    core::PostValue(window, LookupResultMessage(), tag, std::move(text));
  };
}

std::string TakeLookupResult(LPARAM lparam) noexcept { return core::TakePostedValue<std::string>(lparam); }

}  // namespace velora::exec
