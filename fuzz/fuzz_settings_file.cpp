// The settings file as read from disk: any bytes load, a load and a save reach a fixed point at
// once, the "初始化" keys read from anything, and a value set reads back as set, also after the
// file is written and read again.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "check.h"
#include "settings/ini_document.h"
#include "settings/initial_settings.h"

using velora::settings::IniDocument;

namespace {

bool PlainAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= ' ' && c < 0x7F; });
}

// What a value reads back as: line breaks cannot be stored.
std::string StoredForm(std::string_view value) {
  std::string clean(value);
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velora::fuzz::Bytes(data, size);
  IniDocument file = IniDocument::Parse(bytes);
  const std::string saved = file.Serialize();
  FUZZ_CHECK(IniDocument::Parse(saved).Serialize() == saved);
  (void)velora::settings::ReadInitialSettings(file, 510);

  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(16);
  const std::string key = in.ConsumeRandomLengthString(16);
  const std::string value = in.ConsumeRandomLengthString(64);
  if (!file.Set(section, key, value)) return 0;
  FUZZ_CHECK(file.Get(section, key) == StoredForm(value));
  // Text the settings file's code page holds unchanged survives a save and a load.
  if (PlainAscii(section) && PlainAscii(key) && PlainAscii(StoredForm(value))) {
    FUZZ_CHECK(IniDocument::Parse(file.Serialize()).Get(section, key) == StoredForm(value));
  }
  return 0;
}
