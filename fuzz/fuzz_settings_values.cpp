// The values of the settings file that the program decodes itself: edit texts with their
// escapes, combo-box states, and decimal numbers and colours.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "check.h"
#include "settings/control_state.h"
#include "settings/decimal.h"

namespace settings = velora::settings;

namespace {

// The escapes and separators start and end with these; text free of them cannot run into one.
bool FreeOfEscapes(std::string_view s) { return s.find_first_of("<>#") == std::string_view::npos; }

// Every line break as CR LF, as an edit box reads its text back.
std::string CrLfBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The same reading as ParseDecimal, through the standard library: leading digits, saturated.
std::int64_t ReferenceDecimal(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  (void)end;
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  if (error == std::errc::result_out_of_range) return negative ? kMin : kMax;
  if (negative) return magnitude > std::uint64_t{1} << 63 ? kMin : static_cast<std::int64_t>(0 - magnitude);
  return magnitude > static_cast<std::uint64_t>(kMax) ? kMax : static_cast<std::int64_t>(magnitude);
}

void CheckEditText(const std::string& text) {
  const std::string stored = settings::EscapeEditText(text);
  // The stored value stays on its line and is never taken for a quoted one.
  FUZZ_CHECK(stored.find_first_of("\r\n\"") == std::string::npos);
  if (FreeOfEscapes(text)) FUZZ_CHECK(settings::UnescapeEditText(stored) == CrLfBreaks(text));
  (void)settings::UnescapeEditText(text);
}

void CheckCombo(FuzzedDataProvider& in, const std::string& stored) {
  const settings::ComboState decoded = settings::DecodeComboState(stored);
  FUZZ_CHECK(settings::DecodeComboState(settings::EncodeComboState(decoded)) == decoded);

  settings::ComboState state;
  const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 4);
  bool plain = true;
  for (std::size_t i = 0; i < count; ++i) {
    settings::ComboEntry entry{in.ConsumeRandomLengthString(12), in.ConsumeIntegral<std::int64_t>()};
    plain = plain && FreeOfEscapes(entry.title);
    state.entries.push_back(std::move(entry));
  }
  state.selected = in.ConsumeIntegral<int>();
  state.text = in.ConsumeRandomLengthString(12);
  const std::string encoded = settings::EncodeComboState(state);
  FUZZ_CHECK(encoded.find('"') == std::string::npos);
  if (plain && FreeOfEscapes(state.text)) FUZZ_CHECK(settings::DecodeComboState(encoded) == state);
}

void CheckNumbers(FuzzedDataProvider& in, std::string_view text) {
  const std::int64_t value = settings::ParseDecimal(text);
  FUZZ_CHECK(value == ReferenceDecimal(text));
  const int narrow = settings::ParseInt(text);
  FUZZ_CHECK(narrow == std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
  FUZZ_CHECK(settings::ParseColour(text) == static_cast<std::uint32_t>(value));
  const auto colour = in.ConsumeIntegral<std::uint32_t>();
  FUZZ_CHECK(settings::ParseColour(settings::ColourText(colour)) == colour);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(256);
  CheckEditText(text);
  CheckNumbers(in, text);
  CheckCombo(in, text);
  return 0;
}
