#include <windows.h>

#include <string>

#include "core/guarded.h"
#include "core/log_file.h"

namespace velora::core {

void ReportCaught(std::string_view where, std::string_view what) noexcept {
  try {
    std::string line = "Velora: ";
    line.append(where).append(" caught: ").append(what).append("\n");
    // The text is UTF-8 at best; the debugger shows the bytes, which is all a developer needs.
    OutputDebugStringA(line.c_str());
    LogFailure(where, std::string("caught: ").append(what));
  } catch (...) {
    OutputDebugStringA("Velora: an entry point caught an exception (no memory to say more)\n");
  }
}

}  // namespace velora::core
