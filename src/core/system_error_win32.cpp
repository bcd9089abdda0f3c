#include "core/system_error_win32.h"

namespace velora::core {

std::string SystemErrorText(DWORD code) {
  std::string text = "error " + std::to_string(code);
  wchar_t* words = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
  if (length == 0 || !words) return text;
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, words, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, words, static_cast<int>(length), utf8.data(), bytes, nullptr, nullptr);
  LocalFree(words);
  while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == ' ')) utf8.pop_back();
  return text + ": " + utf8;
}

}  // namespace velora::core
