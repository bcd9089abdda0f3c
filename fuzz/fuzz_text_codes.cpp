// Hex text, the path codes of file items and drop entries, and Base64: encoding then decoding
// gives the input back, and decoding any text stays within its bounds.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "check.h"
#include "text/base64.h"
#include "text/hex.h"
#include "text/path_code.h"
#include "text/utf.h"

namespace text = velora::text;

namespace {

std::string Canonical(std::string_view utf8) { return text::Utf16ToUtf8(text::Utf8ToUtf16(utf8)); }

void CheckHex(std::string_view bytes) {
  const std::string hex = text::HexEncode(bytes);
  FUZZ_CHECK(hex.size() == 2 * bytes.size());
  FUZZ_CHECK(hex.find_first_not_of("0123456789ABCDEF") == std::string::npos);
  FUZZ_CHECK(text::HexDecodeLenient(hex) == bytes);
  std::string lower = hex;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
  FUZZ_CHECK(text::HexDecodeLenient(lower) == bytes);
  FUZZ_CHECK(text::HexDecodeLenient(bytes).size() == (bytes.size() + 1) / 2);
}

void CheckPathCode(std::string_view path) {
  const std::string code = text::PathCode(path);
  FUZZ_CHECK(code.size() == text::kPathCodeDigits);
  // The path as the buffer holds it: valid UTF-8, ended by its first zero character.
  std::string held = Canonical(path);
  held.resize(std::min(held.find('\0'), held.size()));
  const std::string back = text::PathFromCode(code);
  if (text::FitsPathBuffer(path)) {
    FUZZ_CHECK(back == held);
  } else {
    FUZZ_CHECK(held.starts_with(back));
    FUZZ_CHECK(text::FitsPathBuffer(back));
  }
  // A stored code may be anything; what it decodes to is always well-formed text.
  const std::string decoded = text::PathFromCode(path);
  FUZZ_CHECK(Canonical(decoded) == decoded);
  FUZZ_CHECK(decoded.find('\0') == std::string::npos);
}

std::string ReferenceBase64Decode(std::string_view encoded) {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : encoded) {
    if (c == '=') break;
    bits = bits << 6 | static_cast<std::uint32_t>(kAlphabet.find(c));
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return out;
}

void CheckBase64(std::string_view bytes) {
  const std::string encoded = text::Base64Encode(bytes);
  FUZZ_CHECK(encoded.size() == (bytes.size() + 2) / 3 * 4);
  const std::size_t padding = encoded.find('=');
  FUZZ_CHECK(padding == std::string::npos || padding + 2 >= encoded.size());
  FUZZ_CHECK(encoded.substr(0, padding)
                 .find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/") ==
             std::string::npos);
  FUZZ_CHECK(ReferenceBase64Decode(encoded) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velora::fuzz::Bytes(data, size);
  CheckHex(bytes);
  CheckPathCode(bytes);
  CheckBase64(bytes);
  return 0;
}
