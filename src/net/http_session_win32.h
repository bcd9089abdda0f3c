#pragma once
// The WinHTTP side of a request: handle owners and the reusable session a caller may pass.
// winhttp.h cannot share a translation unit with wininet.h, so only WinHTTP code includes this.
#include <windows.h>
#include <winhttp.h>

#include <memory>
#include <optional>
#include <string>

#include "net/request_plan.h"

namespace velora::net {

class WinHttpHandle {
 public:
  WinHttpHandle() = default;
  explicit WinHttpHandle(HINTERNET handle) noexcept : handle_(handle) {}
  ~WinHttpHandle() { Reset(); }
  WinHttpHandle(WinHttpHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  WinHttpHandle& operator=(WinHttpHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  WinHttpHandle(const WinHttpHandle&) = delete;
  WinHttpHandle& operator=(const WinHttpHandle&) = delete;

  HINTERNET get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

 private:
  void Reset() noexcept {
    if (handle_) WinHttpCloseHandle(handle_);
    handle_ = nullptr;
  }
  HINTERNET handle_ = nullptr;
};

// A session kept by a caller across requests: connections stay open for reuse, and an
// explicit proxy, its credentials and the time-outs once given stay in force for later calls
// that give none.
class HttpSession {
 public:
  [[nodiscard]] static std::unique_ptr<HttpSession> Create() noexcept;

  struct Settings {
    std::string proxy;
    std::optional<ProxyCredentials> credentials;
    std::optional<int> timeout_ms;
  };

  HINTERNET handle() const noexcept { return session_.get(); }
  // Routes this and later requests through an explicit proxy ("host:port"). The session is
  // reopened for it: Wine honours a proxy only when the session is opened with one.
  [[nodiscard]] bool UseProxy(const std::string& proxy) noexcept;
  // What earlier calls gave; a call's own settings replace them.
  Settings& settings() noexcept { return settings_; }

 private:
  explicit HttpSession(WinHttpHandle session) noexcept : session_(std::move(session)) {}
  WinHttpHandle session_;
  Settings settings_;
};

}  // namespace velora::net
