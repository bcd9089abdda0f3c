#pragma once
// The launcher window's controls, named as the layout and the settings file know them: what the
// first look shows, what is built once it has shown, and where each goes for a layout. Only
// their making and placing lives here; what they do is wired by the window.
#include <array>
#include <cstdint>

#include "toolkit/category_bar.h"
#include "toolkit/control_host.h"
#include "toolkit/image_button.h"
#include "toolkit/list_view.h"
#include "toolkit/panel.h"
#include "ui/core_types.h"
#include "ui/layout.h"

namespace velora::ui {

struct FirstLook {
  toolkit::CategoryBar& category_bar;
  // The command bar's buttons, each with its glyph and tip.
  toolkit::ImageButton& recent;
  toolkit::ImageButton& bookmark;
  toolkit::ImageButton& clear;
  toolkit::ImageButton& add_position;  // selected: new items go to the end, undated
  toolkit::ImageButton& settings;
  toolkit::ImageButton& pin;
  toolkit::Grip& grip;

  std::array<toolkit::ImageButton*, 6> buttons() const {
    return {&recent, &bookmark, &clear, &add_position, &settings, &pin};
  }
};

// The background, the category bar, the command bar, the grid and the grip, stacked from the
// background up, each made in its place in `layout` so that the first layout moves none.
FirstLook AddFirstLook(toolkit::ControlHost& controls, const LauncherLayout& layout);
// The toast template, the four panels that open over the grid (hidden) and the recent list
// (hidden), above everything the first look built; the recent list is returned.
toolkit::ListView& AddHiddenParts(toolkit::ControlHost& controls);
// Moves every control that exists to its place in `layout`.
// While a query is on, the bar makes room for the query box.
void PlaceControls(toolkit::ControlHost& controls, const LauncherLayout& layout, bool query_on);

// The window's background: its fill, and its border along the rounded shape `corner_radius`
// gives (pixels of the window's DPI, as `border_width`), drawn for the `area` of `client`.
void PaintBackdrop(HDC dc, RECT area, RECT client, const Appearance& look, int border_width,
                   int corner_radius);

}  // namespace velora::ui
