#pragma once
// The panel's look, as the settings file stores it.
#include <cstdint>

namespace velora::ui {

struct Appearance {
  std::uint32_t background = 0xFFFFFFFF;
  std::uint32_t text = 0xFE000000;
  int corner_radius = 0;
  std::uint32_t border = 0xFE000000;
  int border_width = 3;
};

}  // namespace velora::ui
