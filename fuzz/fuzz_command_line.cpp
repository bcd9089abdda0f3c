// The command line the system starts the screensaver with: any text is a known invocation or
// none, and an invocation written back in the system's own form reads as the same one.
#include <cstdint>
#include <string>

#include "check.h"
#include "flipit/command_line.h"

using velora::flipit::Invocation;
using velora::flipit::Mode;
using velora::flipit::ParseCommandLine;

namespace {

std::wstring Written(const Invocation& invocation) {
  switch (invocation.mode) {
    case Mode::kScreenSaver:
      return L"/s";
    case Mode::kConfigure:
      return invocation.window == 0 ? L"/c" : L"/c:" + std::to_wstring(invocation.window);
    case Mode::kPreview:
      return L"/p " + std::to_wstring(invocation.window);
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Two bytes a character, as the wide command line arrives.
  std::wstring arguments;
  for (std::size_t i = 0; i + 1 < size; i += 2) arguments += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  const auto invocation = ParseCommandLine(arguments);
  if (!invocation) return 0;
  FUZZ_CHECK(invocation->mode != Mode::kPreview || invocation->window != 0);
  FUZZ_CHECK(invocation->mode != Mode::kScreenSaver || invocation->window == 0);
  FUZZ_CHECK(ParseCommandLine(Written(*invocation)) == invocation);
  return 0;
}
