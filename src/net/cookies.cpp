#include "net/cookies.h"

#include <algorithm>
#include <vector>

#include "net/header_text.h"
#include "text/split.h"

namespace velora::net {
namespace {

constexpr std::string_view kSetCookie = "Set-Cookie:";
constexpr std::string_view kSeparator = "; ";

// The line is known to start with "Set-Cookie: " and to hold a ";".
std::string_view CookieFromLine(std::string_view line) {
  const std::size_t semicolon = line.find(';');
  return line.substr(kSetCookie.size(), semicolon - kSetCookie.size());
}

// An entry as it is sent: blanks around it and semicolons after it separate it from the next
// one and are no part of it (no cookie value holds either).
std::string_view CleanEntry(std::string_view entry) {
  entry = TrimBlanks(entry);
  while (entry.ends_with(';')) entry = TrimBlanks(entry.substr(0, entry.size() - 1));
  return entry;
}

std::vector<std::string_view> Entries(std::string_view cookies) {
  std::vector<std::string_view> entries;
  for (std::string_view entry : text::Split(cookies, kSeparator)) {
    entry = CleanEntry(entry);
    if (!entry.empty()) entries.push_back(entry);
  }
  return entries;
}

std::string_view EntryName(std::string_view entry) { return TrimBlanks(entry.substr(0, entry.find('='))); }

}  // namespace

std::string StripCookiePrefix(std::string_view cookies) { return EraseAllNoCase(cookies, "Cookie:"); }

std::string ResponseCookies(std::string_view header_block) {
  std::string cookies;
  for (std::string_view line : text::Split(header_block, "\r\n")) {
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos || line.substr(0, colon) != "Set-Cookie") continue;
    const std::string cookie = line.find(';') != std::string_view::npos
                                   ? std::string(TrimBlanks(CookieFromLine(line)))
                                   : std::string(TrimBlanks(EraseAllNoCase(line, kSetCookie)));
    // A line that names no cookie would put an empty entry into the Cookie header, and a lone
    // CR or LF would end that header's line early.
    if (cookie.empty() || cookie.find_first_of("\r\n") != std::string::npos) continue;
    cookies += cookie;
    cookies += kSeparator;
  }
  if (cookies.ends_with(kSeparator)) cookies.resize(cookies.size() - kSeparator.size());
  return cookies;
}

std::string MergeCookies(std::string_view old_cookies, std::string_view new_cookies) {
  const std::vector<std::string_view> old_entries = Entries(old_cookies);
  std::vector<std::string_view> merged = Entries(new_cookies);
  const std::size_t new_count = merged.size();
  for (std::string_view entry : old_entries) {
    const auto named_alike = [&](std::string_view n) { return EntryName(n) == EntryName(entry); };
    if (std::none_of(merged.begin(), merged.begin() + static_cast<std::ptrdiff_t>(new_count), named_alike)) {
      merged.push_back(entry);
    }
  }
  std::string out;
  std::vector<std::string_view> kept;
  for (std::string_view entry : merged) {
    if (entry.ends_with("=deleted")) continue;
    if (std::find(kept.begin(), kept.end(), entry) != kept.end()) continue;
    kept.push_back(entry);
    if (!out.empty()) out += kSeparator;
    out += entry;
  }
  return out;
}

}  // namespace velora::net
