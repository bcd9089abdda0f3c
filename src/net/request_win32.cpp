#include <string_view>

#include "net/http_session_win32.h"
#include "net/request.h"
#include "text/utf.h"

namespace velora::net {
namespace {

// An untrusted authority, a wrong certificate usage, a name mismatch and an expired
// certificate do not stop a request: site icons come from every kind of server.
constexpr DWORD kIgnoredCertificateErrors =
    SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
    SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;

struct UrlParts {
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring path;  // path and query
  bool secure = false;
};

std::optional<UrlParts> CrackUrl(const std::wstring& url) {
  URL_COMPONENTS c{};
  c.dwStructSize = sizeof(c);
  c.dwHostNameLength = static_cast<DWORD>(-1);
  c.dwUrlPathLength = static_cast<DWORD>(-1);
  c.dwExtraInfoLength = static_cast<DWORD>(-1);
  c.dwSchemeLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &c)) return std::nullopt;
  if (c.nScheme != INTERNET_SCHEME_HTTP && c.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
  UrlParts parts;
  parts.host.assign(c.lpszHostName, c.dwHostNameLength);
  parts.port = c.nPort;
  parts.path.assign(c.lpszUrlPath, c.dwUrlPathLength);
  parts.path.append(c.lpszExtraInfo, c.dwExtraInfoLength);
  if (parts.path.empty()) parts.path = L"/";
  parts.secure = c.nScheme == INTERNET_SCHEME_HTTPS;
  return parts;
}

void SetDword(HINTERNET request, DWORD option, DWORD value) noexcept {
  WinHttpSetOption(request, option, &value, sizeof(value));
}

void SetText(HINTERNET request, DWORD option, const std::wstring& value) noexcept {
  WinHttpSetOption(request, option, const_cast<wchar_t*>(value.c_str()), static_cast<DWORD>(value.size()));
}

void ApplyTimeouts(HINTERNET request, int ms) noexcept {
  // WinHttpSetTimeouts covers name resolution on Windows; Wine ignores it but honours the
  // per-phase options.
  WinHttpSetTimeouts(request, ms, ms, ms, ms);
  for (DWORD option : {WINHTTP_OPTION_CONNECT_TIMEOUT, WINHTTP_OPTION_SEND_TIMEOUT,
                       WINHTTP_OPTION_RECEIVE_TIMEOUT, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT}) {
    SetDword(request, option, static_cast<DWORD>(ms));
  }
}

void ApplyCredentials(HINTERNET request, const ProxyCredentials& credentials) noexcept {
  const bool proxy = credentials.target == kCredentialProxy;
  SetText(request, proxy ? WINHTTP_OPTION_PROXY_USERNAME : WINHTTP_OPTION_USERNAME,
          text::Widen(credentials.user));
  SetText(request, proxy ? WINHTTP_OPTION_PROXY_PASSWORD : WINHTTP_OPTION_PASSWORD,
          text::Widen(credentials.password));
}

void AddHeaders(HINTERNET request, const std::vector<HeaderField>& fields) noexcept {
  for (const HeaderField& field : fields) {
    const std::wstring line = text::Widen(field.name + ": " + field.value);
    WinHttpAddRequestHeaders(request, line.c_str(), static_cast<DWORD>(line.size()),
                             WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
  }
}

std::string RawHeaders(HINTERNET request) {
  DWORD size = 0;
  WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                      WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
  std::wstring block(size / sizeof(wchar_t), L'\0');
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                           block.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  block.resize(size / sizeof(wchar_t));
  std::string headers = text::Narrow(block);
  // Only the header lines; the status is reported on its own.
  const std::size_t status_end = headers.find("\r\n");
  return status_end == std::string::npos ? std::string() : headers.substr(status_end + 2);
}

int StatusCode(HINTERNET request) noexcept {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return static_cast<int>(status);
}

// Reads at most kMaxBodyBytes; a longer body is cut off there and the rest never read. A
// failed read leaves the body empty.
void ReadBody(HINTERNET request, Response& response) {
  char buffer[16 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!WinHttpReadData(request, buffer, sizeof(buffer), &read)) {
      response.body.clear();
      return;
    }
    if (read == 0) return;
    const std::size_t room = kMaxBodyBytes - response.body.size();
    if (read > room) {
      response.body.append(buffer, room);
      response.body_cut_off = true;
      return;
    }
    response.body.append(buffer, read);
  }
}

void Transport(const RequestParams& params, const RequestPlan& plan, Response& response) {
  std::unique_ptr<HttpSession> own_session;
  HttpSession* session = params.session;
  if (!session) {
    own_session = HttpSession::Create();
    session = own_session.get();
  }
  if (!session) return;
  HttpSession::Settings& settings = session->settings();
  if (!params.proxy.empty() && !session->UseProxy(params.proxy)) return;
  if (plan.credentials) settings.credentials = plan.credentials;
  if (plan.timeout_ms) settings.timeout_ms = plan.timeout_ms;

  const std::optional<UrlParts> url = CrackUrl(text::Widen(params.url));
  if (!url) return;
  WinHttpHandle connection(WinHttpConnect(session->handle(), url->host.c_str(), url->port, 0));
  if (!connection) return;
  const std::wstring method = text::Widen(plan.method);
  WinHttpHandle request(WinHttpOpenRequest(connection.get(), method.c_str(), url->path.c_str(), nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                           url->secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return;

  if (settings.timeout_ms) ApplyTimeouts(request.get(), *settings.timeout_ms);
  if (params.no_redirect) SetDword(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_REDIRECTS);
  SetDword(request.get(), WINHTTP_OPTION_SECURITY_FLAGS, kIgnoredCertificateErrors);
  if (settings.credentials && !settings.proxy.empty()) ApplyCredentials(request.get(), *settings.credentials);
  AddHeaders(request.get(), plan.fields);

  if (plan.body.size() > MAXDWORD) return;
  const auto body_size = static_cast<DWORD>(plan.body.size());
  void* body = body_size ? const_cast<char*>(plan.body.data()) : WINHTTP_NO_REQUEST_DATA;
  if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, body, body_size, body_size, 0))
    return;
  if (!WinHttpReceiveResponse(request.get(), nullptr)) return;

  response.headers = RawHeaders(request.get());
  response.status = StatusCode(request.get());
  ReadBody(request.get(), response);
}

}  // namespace

Response Request(const RequestParams& params) noexcept {
  Response response;
  try {
    const RequestPlan plan = PlanRequest(params);
    Transport(params, plan, response);
    FinishResponse(params, plan, response);
  } catch (...) {
    // Only allocation can throw here; the caller sees a failed request.
    response = Response{};
  }
  return response;
}

}  // namespace velora::net
