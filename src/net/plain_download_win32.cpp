#include "net/plain_download_win32.h"

// WinINet only: its header cannot share a translation unit with WinHTTP's.
#include <windows.h>
#include <wininet.h>

#include "net/request.h"
#include "text/utf.h"

namespace velora::net {
namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) noexcept : handle_(handle) {}
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const noexcept { return handle_; }

 private:
  HINTERNET handle_;
};

void SetTimeouts(HINTERNET internet) noexcept {
  DWORD ms = kDefaultTimeoutMs;
  for (DWORD option :
       {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionW(internet, option, &ms, sizeof(ms));
  }
}

}  // namespace

std::string PlainDownload(const std::string& url) noexcept {
  try {
    const InternetHandle internet(
        InternetOpenW(L"Velora", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet.get()) return {};
    SetTimeouts(internet.get());
    const InternetHandle file(InternetOpenUrlW(
        internet.get(), text::Widen(url).c_str(), nullptr, 0,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
    if (!file.get()) return {};
    std::string body;
    char buffer[16 * 1024];
    for (;;) {
      DWORD read = 0;
      if (!InternetReadFile(file.get(), buffer, sizeof(buffer), &read)) return {};
      if (read == 0) return body;
      if (body.size() + read > kMaxBodyBytes) return {};
      body.append(buffer, read);
    }
  } catch (...) {
    return {};  // only allocation can throw
  }
}

}  // namespace velora::net
