#pragma once
// Where every component of the launcher window goes for a given window size, and the rules that
// follow from the size: the grid's capacity and the window's limits.
#include <array>

#include "ui/core_types.h"

namespace velora::ui {

inline constexpr Size kMinimumWindow{510, 132};
inline constexpr Size kMaximumWindow{2560, 1440};
inline constexpr Size kDefaultWindow{510, 311};

inline constexpr Size kGripSize{12, 12};
inline constexpr Size kCommandBarSize{200, 32};
inline constexpr int kCellWidth = 77;
inline constexpr int kCellHeight = 90;

// The four panels that open over the grid, in this order.
enum PanelIndex { kSettingsPanel, kBookmarkPanel, kGroupPanel, kShortcutPanel, kPanelCount };
inline constexpr std::array<Size, kPanelCount> kPanelSizes = {Size{448, 256}, Size{368, 120}, Size{258, 88},
                                                              Size{234, 248}};

struct LauncherLayout {
  Rect background;
  Rect grip;
  Rect command_bar;
  Rect category_holder;
  Rect category_bar;               // relative to the holder
  Rect query_box;                  // relative to the holder, in the left of the bar's place
  Rect category_bar_beside_query;  // the bar's place while a query is on, relative to the holder
  Rect content;
  std::array<Rect, kPanelCount> panels;  // relative to the window
  Rect grid;                             // relative to the content area
  Rect recent;                           // relative to the content area
};

LauncherLayout ComputeLayout(Size window);

inline constexpr int kQueryBoxWidth = 150;

// Cells that fit: whole 77 × 90 cells across and down; never negative.
int GridCapacity(Size grid);

Size ClampWindowSize(Size requested);

}  // namespace velora::ui
