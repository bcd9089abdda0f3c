// Item codes as the store holds them (any text: the store file is the user's), the key-code text
// of macros, and key names typed in the add-shortcut panel.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "check.h"
#include "exec/item_kind.h"
#include "exec/key_names.h"
#include "exec/macro_code.h"
#include "exec/names.h"
#include "text/path_code.h"
#include "text/utf.h"

namespace exec = velora::exec;

namespace {

void CheckExtension(std::string_view path) {
  const std::string_view extension = exec::PathExtension(path);
  if (extension.empty()) return;
  FUZZ_CHECK(path.ends_with(extension));
  FUZZ_CHECK(extension.front() == '.');
  FUZZ_CHECK(extension.find_first_of("\\/ ") == std::string_view::npos);
  FUZZ_CHECK(extension.find('.', 1) == std::string_view::npos);
}

void CheckCode(std::string_view code) {
  const exec::ClassifiedCode item = exec::KindOfCode(code);
  FUZZ_CHECK((item.place != exec::Place::kUnknown) <= (item.kind == exec::ItemKind::kSystemPlace));
  if (exec::IsFileKind(item.kind)) {
    FUZZ_CHECK(!item.payload.empty());
    FUZZ_CHECK(item.payload == exec::FilePathOfCode(code));
    FUZZ_CHECK((item.kind == exec::ItemKind::kShortcut) == item.payload.ends_with(exec::kShortcutEnding));
    if (item.kind == exec::ItemKind::kPicture) {
      FUZZ_CHECK(exec::IsPictureExtension(exec::PathExtension(item.payload)));
    }
  } else if (item.kind == exec::ItemKind::kEmptyPath) {
    FUZZ_CHECK(item.payload.empty() && exec::FilePathOfCode(code).empty());
  } else {
    FUZZ_CHECK(code.ends_with(item.payload));
  }
  CheckExtension(code);
}

// A dropped path's code classifies as that path again.
void CheckDroppedPath(std::string_view path) {
  if (!velora::text::FitsPathBuffer(path)) return;
  std::string held = velora::text::Utf16ToUtf8(velora::text::Utf8ToUtf16(path));
  held.resize(std::min(held.find('\0'), held.size()));
  const exec::ClassifiedCode item = exec::KindOfCode(velora::text::PathCode(path));
  FUZZ_CHECK(item.payload == held);
  FUZZ_CHECK(exec::IsFileKind(item.kind) == !held.empty());
}

int ReferenceLeadingNumber(std::string_view piece) {
  const std::size_t digits = std::min(piece.find_first_not_of("0123456789"), piece.size());
  long long value = 0;
  const auto [end, error] = std::from_chars(piece.data(), piece.data() + digits, value);
  (void)end;
  if (error == std::errc::result_out_of_range || value > 1'000'000) return 1'000'000;
  return static_cast<int>(value);
}

void CheckMacro(std::string_view key_codes) {
  const exec::MacroKeys keys = exec::ParseMacroKeys(key_codes);
  FUZZ_CHECK(keys.pieces >= 1 && keys.pieces <= 3);
  std::string_view rest = key_codes;
  for (int i = 0; i < 3; ++i) {
    const std::size_t plus = rest.find('+');
    const int expected = i < keys.pieces ? ReferenceLeadingNumber(rest.substr(0, plus)) : 0;
    FUZZ_CHECK(keys.keys[static_cast<std::size_t>(i)] == expected);
    rest = plus == std::string_view::npos ? std::string_view{} : rest.substr(plus + 1);
  }
  FUZZ_CHECK(keys.pieces ==
             std::min<int>(3, 1 + static_cast<int>(std::count(key_codes.begin(), key_codes.end(), '+'))));
}

void CheckKeyName(std::string_view name, int code) {
  const int key = exec::KeyOfName(name);
  FUZZ_CHECK(key >= 0 && key <= 255);
  // Every accepted name stands for a key that has a name to show.
  if (key != 0) FUZZ_CHECK(!exec::KeyName(key).empty());
  (void)exec::KeyName(code);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = velora::fuzz::Bytes(data, size);
  CheckCode(bytes);
  CheckDroppedPath(bytes);
  CheckMacro(bytes);
  FuzzedDataProvider in(data, size);
  const int code = in.ConsumeIntegral<int>();
  CheckKeyName(in.ConsumeRemainingBytesAsString(), code);
  return 0;
}
