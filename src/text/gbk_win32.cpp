#include <windows.h>

#include "text/gbk.h"
#include "text/utf.h"

namespace velora::text {
namespace {
constexpr UINT kGbk = 936;
}

std::string Utf8ToGbk(std::string_view utf8) {
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return {};
  const int n =
      WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  }
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int n = MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n);
  return Narrow(wide);
}

std::size_t GbkLength(std::string_view utf8) { return Utf8ToGbk(utf8).size(); }

}  // namespace velora::text
