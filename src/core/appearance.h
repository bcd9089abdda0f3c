#pragma once
// The panel's look: what the window paints and the settings file stores.
#include <cstdint>

namespace velora::core {

struct Appearance {
  std::uint32_t background = 0xFFFFFFFF;
  std::uint32_t text = 0xFE000000;
  int corner_radius = 0;
  std::uint32_t border = 0xFE000000;
  int border_width = 3;

  bool operator==(const Appearance&) const = default;
};

}  // namespace velora::core
