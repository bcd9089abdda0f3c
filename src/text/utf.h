#pragma once
// UTF-8 is the program's text everywhere; UTF-16 appears only at the edges (Win32 W calls,
// path buffers). Malformed input never fails: it becomes U+FFFD.
#include <string>
#include <string_view>

namespace velora::text {

std::u16string Utf8ToUtf16(std::string_view utf8);
// Code points; a malformed sequence gives U+FFFD.
std::u32string Utf8ToUtf32(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// For Win32 W calls: wchar_t is a UTF-16 unit there.
inline std::wstring Widen(std::string_view utf8) {
  std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}
inline std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace velora::text
