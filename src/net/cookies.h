#pragma once
// Cookie texts are "name=value; name=value" lists, as sent in a Cookie header.
#include <string>
#include <string_view>

namespace velora::net {

// The caller's cookie text with every "Cookie:" removed, case ignored; the blank after the
// prefix stays.
std::string StripCookiePrefix(std::string_view cookies);

// The cookies a response sets: the name=value part of every "Set-Cookie" line of the header
// block, attributes after the first ";" cut off, joined by "; ". A cookie holding a CR or LF is
// left out.
std::string ResponseCookies(std::string_view header_block);

// New entries first, then old entries whose name the new ones do not mention; entries ending
// in "=deleted" dropped, exact duplicates dropped keeping the first. Entries lose the blanks
// around them and the semicolons after them.
std::string MergeCookies(std::string_view old_cookies, std::string_view new_cookies);

}  // namespace velora::net
