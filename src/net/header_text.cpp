#include "net/header_text.h"

namespace velora::net {
namespace {

char FoldAscii(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) noexcept {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle) noexcept {
  if (needle.size() > haystack.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
    std::size_t k = 0;
    while (k < needle.size() && FoldAscii(haystack[i + k]) == FoldAscii(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

std::string EraseAllNoCase(std::string_view text, std::string_view needle) {
  return ReplaceAllNoCase(text, needle, {});
}

std::string ReplaceAllNoCase(std::string_view text, std::string_view needle, std::string_view replacement) {
  if (needle.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = FindNoCase(text, needle); at != std::string_view::npos;
       at = FindNoCase(text, needle)) {
    out.append(text.substr(0, at));
    out.append(replacement);
    text.remove_prefix(at + needle.size());
  }
  out.append(text);
  return out;
}

}  // namespace velora::net
