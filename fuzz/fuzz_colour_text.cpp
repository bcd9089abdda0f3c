// The hexadecimal colour a user types into the picker: what it accepts is six or eight digits,
// and a colour's text reads back as that colour.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "core/colour_hsv.h"

namespace core = velora::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto alpha = in.ConsumeIntegral<std::uint8_t>();
  const auto argb = in.ConsumeIntegral<std::uint32_t>();
  // An opaque colour is written with six digits, which read as opaque when the alpha is.
  FUZZ_CHECK(core::ParseHexColour(core::HexText(argb), 0xFF) == argb);

  const std::string typed = in.ConsumeRemainingBytesAsString();
  const auto colour = core::ParseHexColour(typed, alpha);
  if (!colour) return 0;
  const std::size_t digits = typed.find_first_not_of("# ") == std::string::npos
                                 ? 0
                                 : typed.find_last_not_of(' ') + 1 - typed.find_first_not_of("# ");
  FUZZ_CHECK(digits == 6 || digits == 8);
  if (digits == 6) FUZZ_CHECK(*colour >> 24 == alpha);
  FUZZ_CHECK(core::ParseHexColour(core::HexText(*colour), 0xFF) == colour);
  return 0;
}
