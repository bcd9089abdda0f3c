#include "text/path_code.h"

#include "text/hex.h"
#include "text/utf.h"

namespace velora::text {

bool FitsPathBuffer(std::string_view path_utf8) { return Utf8ToUtf16(path_utf8).size() <= kMaxPathUnits; }

std::string PathBuffer(std::string_view path_utf8) {
  std::u16string units = Utf8ToUtf16(path_utf8);
  if (units.size() > kMaxPathUnits) {
    std::size_t keep = kMaxPathUnits;
    if (units[keep - 1] >= 0xD800 && units[keep - 1] <= 0xDBFF) --keep;  // never split a pair
    units.resize(keep);
  }
  std::string buffer(kPathBufferBytes, '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    buffer[2 * i] = static_cast<char>(units[i] & 0xFF);
    buffer[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  return buffer;
}

std::string PathCode(std::string_view path_utf8) { return HexEncode(PathBuffer(path_utf8)); }

std::string PathFromCode(std::string_view code) {
  const std::string bytes = HexDecodeLenient(code);
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) break;
    units += unit;
  }
  return Utf16ToUtf8(units);
}

}  // namespace velora::text
