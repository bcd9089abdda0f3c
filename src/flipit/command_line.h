#pragma once
// How Windows starts a screensaver: "/s" runs it, "/c" or "/c:<window>" (or nothing at all) asks
// for its settings, "/p <window>" draws a preview inside the given window.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velora::flipit {

enum class Mode { kScreenSaver, kConfigure, kPreview };

struct Invocation {
  Mode mode = Mode::kConfigure;
  // The preview's parent or the settings dialog's owner, as its decimal handle; 0 for none.
  std::uintptr_t window = 0;
  bool operator==(const Invocation&) const = default;
};

// `arguments` is the command line without the program's name. Empty when it is none of the
// above (an unknown switch, a preview without its window), and the program then ends.
std::optional<Invocation> ParseCommandLine(std::wstring_view arguments);

}  // namespace velora::flipit
