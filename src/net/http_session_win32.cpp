#include "net/http_session_win32.h"

#include <new>

#include "text/utf.h"

namespace velora::net {

std::unique_ptr<HttpSession> HttpSession::Create() noexcept {
  // No agent name: the User-Agent is one of the request's own header lines.
  WinHttpHandle session(WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return nullptr;
  return std::unique_ptr<HttpSession>(new (std::nothrow) HttpSession(std::move(session)));
}

bool HttpSession::UseProxy(const std::string& proxy) noexcept {
  if (proxy == settings_.proxy) return true;
  try {
    const std::wstring name = text::Widen(proxy);
    WinHttpHandle session(
        WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NAMED_PROXY, name.c_str(), WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return false;
    session_ = std::move(session);
    settings_.proxy = proxy;
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace velora::net
