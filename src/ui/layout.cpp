#include "ui/layout.h"

#include <algorithm>

namespace velora::ui {

LauncherLayout ComputeLayout(Size window) {
  const int w = window.width;
  const int h = window.height;
  LauncherLayout l;
  l.background = {-2, -2, w + 4, h + 4};
  l.grip = {w - kGripSize.width, h - kGripSize.height, kGripSize.width, kGripSize.height};
  l.command_bar = {w - kCommandBarSize.width, 4, kCommandBarSize.width, kCommandBarSize.height};
  l.category_holder = {0, 0, l.background.width - kCommandBarSize.width - 10, 32};
  l.category_bar = {0, -4, l.category_holder.width, 64};
  l.query_box = {6, 4, std::min(kQueryBoxWidth, l.category_holder.width / 2), 24};
  const int beside = l.query_box.right() + 6;
  l.category_bar_beside_query = {beside, -4, std::max(0, l.category_holder.width - beside), 64};
  l.content = {1, 32, w - 2, h - 33};
  for (int i = 0; i < kPanelCount; ++i) {
    const Size panel = kPanelSizes[i];
    l.panels[i] = {std::max(0, (l.content.width - panel.width) / 2), 48, panel.width, panel.height};
  }
  l.grid = {0, 0, l.content.width, l.content.height};
  l.recent = {2, 0, l.content.width - 4, l.content.height};
  return l;
}

int GridCapacity(Size grid) {
  if (grid.width <= 0 || grid.height <= 0) return 0;
  return (grid.width / kCellWidth) * (grid.height / kCellHeight);
}

Size ClampWindowSize(Size requested) {
  return {std::clamp(requested.width, kMinimumWindow.width, kMaximumWindow.width),
          std::clamp(requested.height, kMinimumWindow.height, kMaximumWindow.height)};
}

}  // namespace velora::ui
