// UTF-8, UTF-16 and GBK conversions and the splitting of text: malformed input becomes U+FFFD
// or "?" and nothing else changes, and split pieces join back to the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "text/gbk.h"
#include "text/split.h"
#include "text/utf.h"

namespace text = velora::text;

namespace {

// Well-formed UTF-8 by the table of allowed byte ranges per lead byte.
bool WellFormedUtf8(std::string_view s) {
  auto in = [](unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
  for (std::size_t i = 0; i < s.size();) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    unsigned lo = 0x80, hi = 0xBF;
    if (b0 < 0x80) {
      n = 1;
    } else if (in(b0, 0xC2, 0xDF)) {
      n = 2;
    } else if (in(b0, 0xE0, 0xEF)) {
      n = 3;
      if (b0 == 0xE0) lo = 0xA0;
      if (b0 == 0xED) hi = 0x9F;
    } else if (in(b0, 0xF0, 0xF4)) {
      n = 4;
      if (b0 == 0xF0) lo = 0x90;
      if (b0 == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if (!(k == 1 ? in(b, lo, hi) : in(b, 0x80, 0xBF))) return false;
    }
    i += n;
  }
  return true;
}

void CheckUtf8(std::string_view bytes) {
  const std::u16string units = text::Utf8ToUtf16(bytes);
  const std::string back = text::Utf16ToUtf8(units);
  FUZZ_CHECK(WellFormedUtf8(back));
  FUZZ_CHECK((back == bytes) == WellFormedUtf8(bytes));
  FUZZ_CHECK(text::Utf8ToUtf16(back) == units);
}

void CheckUtf16(std::string_view bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  // Lone surrogates become U+FFFD; everything else comes back.
  std::u16string expected = units;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const char16_t u = expected[i];
    const bool high = u >= 0xD800 && u <= 0xDBFF;
    if (high && i + 1 < expected.size() && expected[i + 1] >= 0xDC00 && expected[i + 1] <= 0xDFFF) {
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      expected[i] = 0xFFFD;
    }
  }
  const std::string utf8 = text::Utf16ToUtf8(units);
  FUZZ_CHECK(WellFormedUtf8(utf8));
  FUZZ_CHECK(text::Utf8ToUtf16(utf8) == expected);
}

void CheckGbk(std::string_view bytes) {
  const std::string utf8 = text::GbkToUtf8(bytes);
  FUZZ_CHECK(WellFormedUtf8(utf8));
  const std::string gbk = text::Utf8ToGbk(utf8);
  FUZZ_CHECK(text::GbkToUtf8(gbk) == utf8);
  FUZZ_CHECK(text::GbkLength(utf8) == gbk.size());
  (void)text::Utf8ToGbk(bytes);
}

void CheckSplit(FuzzedDataProvider& in) {
  const std::string separator = in.ConsumeRandomLengthString(4);
  const std::string replacement = in.ConsumeRandomLengthString(4);
  const std::string subject = in.ConsumeRemainingBytesAsString();
  const std::vector<std::string_view> pieces = text::Split(subject, separator);
  FUZZ_CHECK(!pieces.empty());
  std::string joined;
  std::string replaced;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += separator, replaced += replacement;
    FUZZ_CHECK(separator.empty() || pieces[i].find(separator) == std::string_view::npos);
    joined += pieces[i];
    replaced += pieces[i];
  }
  FUZZ_CHECK(joined == subject);
  FUZZ_CHECK(text::ReplaceAll(subject, separator, replacement) == replaced);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velora::fuzz::Bytes(data, size);
  CheckUtf8(bytes);
  CheckUtf16(bytes);
  CheckGbk(bytes);
  FuzzedDataProvider in(data, size);
  CheckSplit(in);
  return 0;
}
