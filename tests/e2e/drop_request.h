#pragma once
// What a test hands the drop agent inside the program under test: the window and point of the
// drop, then the names, each ending in a zero, and one more zero after the last.
#include <windows.h>

#include <cstdint>

namespace velora::e2e {

struct DropRequest {
  std::uint64_t window;  // HWND, widened so both sides agree on the layout
  POINT client;          // where the files land, in the window's client area
  std::uint32_t units;   // wide characters of the name list that follows
};

// The agent's entry, run on a thread of the program under test; exits with 1 once the drop is
// posted to the window.
inline constexpr char kDropAgentEntry[] = "VeloraPostDrop";

}  // namespace velora::e2e
