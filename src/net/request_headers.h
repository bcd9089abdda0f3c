#pragma once
// Request header text: the default lines, the name-case rewrite, and the split into the
// fields that are set on the request.
#include <string>
#include <string_view>
#include <vector>

namespace velora::net {

inline constexpr std::string_view kDefaultUserAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

struct HeaderField {
  std::string name;
  std::string value;
  bool operator==(const HeaderField&) const = default;
};

// Appends "\r\n" + each default line (Accept, Referer, Accept-Language, User-Agent, and
// Content-Type for POST) whose name followed by ":" occurs nowhere in `extra`, case ignored.
std::string CompleteHeaders(std::string_view extra, std::string_view url, int method);

// Drops lines without ":" and writes each name as Title-Case (first letter and every letter
// after "-"), other characters untouched; lines joined by "\r\n", no trailing break.
std::string NormaliseHeaderCase(std::string_view headers);

// The fields to set, in order. Text without "\r\n" is one field; otherwise every non-empty
// line is one, except "Connection: keep-alive", which the client manages itself. Names and
// values are trimmed of blanks; a line with no name cannot be sent and is left out.
std::vector<HeaderField> HeaderFields(std::string_view headers);

// "Basic " + Base64 of the GBK bytes of "user:password".
std::string ProxyAuthorization(std::string_view user, std::string_view password);

}  // namespace velora::net
