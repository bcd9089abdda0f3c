#include <iconv.h>

#include <cerrno>

#include "text/gbk.h"
#include "text/utf.h"

namespace velora::text {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; an input unit that cannot be converted is skipped (`skip` bytes) and
  // `replacement` is written in its place, as the Windows conversion does.
  std::string Run(std::string_view in, std::size_t (*skip)(std::string_view), std::string_view replacement) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
    std::string buffer(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
      char* dst = buffer.data();
      std::size_t room = buffer.size();
      const std::size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer.data(), dst);
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
        const std::size_t n = skip(std::string_view(src, left));
        src += n;
        left -= n;
        out += replacement;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

std::size_t Utf8UnitLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  std::size_t n = lead < 0x80             ? 1
                  : (lead & 0xE0) == 0xC0 ? 2
                  : (lead & 0xF0) == 0xE0 ? 3
                  : (lead & 0xF8) == 0xF0 ? 4
                                          : 1;
  return n <= s.size() ? n : s.size();
}

std::size_t GbkUnitLength(std::string_view s) {
  return static_cast<unsigned char>(s[0]) >= 0x81 && s.size() >= 2 ? 2 : 1;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  // Round-trip through UTF-16 first so malformed UTF-8 is already U+FFFD, as on Windows.
  const std::string clean = Utf16ToUtf8(Utf8ToUtf16(utf8));
  Converter c("CP936", "UTF-8");
  return c.Run(clean, Utf8UnitLength, "?");
}

std::string GbkToUtf8(std::string_view gbk) {
  Converter c("UTF-8", "CP936");
  return c.Run(gbk, GbkUnitLength, "?");
}

std::size_t GbkLength(std::string_view utf8) { return Utf8ToGbk(utf8).size(); }

}  // namespace velora::text
