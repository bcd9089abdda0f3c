#include "net/request_headers.h"

#include <array>
#include <optional>

#include "net/header_text.h"
#include "net/request_rules.h"
#include "text/base64.h"
#include "text/gbk.h"
#include "text/split.h"

namespace velora::net {
namespace {

char UpperAscii(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::optional<HeaderField> FieldOf(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  HeaderField field{std::string(TrimBlanks(line.substr(0, colon))),
                    std::string(TrimBlanks(line.substr(colon + 1)))};
  if (field.name.empty()) return std::nullopt;
  return field;
}

}  // namespace

std::string CompleteHeaders(std::string_view extra, std::string_view url, int method) {
  struct Default {
    std::string_view looked_for;
    std::string line;
  };
  const std::array<Default, 4> defaults = {{
      {"Accept:", "Accept: */*"},
      {"Referer:", "Referer: " + std::string(url)},
      {"Accept-Language:", "Accept-Language: zh-cn"},
      {"User-Agent:", "User-Agent: " + std::string(kDefaultUserAgent)},
  }};
  std::string headers(extra);
  for (const Default& d : defaults) {
    if (FindNoCase(extra, d.looked_for) == std::string_view::npos) headers += "\r\n" + d.line;
  }
  if (ClampMethod(method) == kMethodPost && FindNoCase(extra, "Content-Type:") == std::string_view::npos) {
    headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  }
  return headers;
}

std::string NormaliseHeaderCase(std::string_view headers) {
  std::string out;
  for (std::string_view line : text::Split(headers, "\r\n")) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    std::string name(line.substr(0, colon));
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (i == 0 || name[i - 1] == '-') name[i] = UpperAscii(name[i]);
    }
    if (!out.empty()) out += "\r\n";
    out += name;
    out += line.substr(colon);
  }
  return out;
}

std::vector<HeaderField> HeaderFields(std::string_view headers) {
  std::vector<HeaderField> fields;
  if (headers.find("\r\n") == std::string_view::npos) {
    if (auto field = FieldOf(headers)) fields.push_back(std::move(*field));
    return fields;
  }
  for (std::string_view line : text::Split(headers, "\r\n")) {
    if (line.empty()) continue;
    auto field = FieldOf(line);
    if (!field || (field->name == "Connection" && field->value == "keep-alive")) continue;
    fields.push_back(std::move(*field));
  }
  return fields;
}

std::string ProxyAuthorization(std::string_view user, std::string_view password) {
  std::string pair(user);
  pair += ':';
  pair += password;
  return "Basic " + text::Base64Encode(text::Utf8ToGbk(pair));
}

}  // namespace velora::net
