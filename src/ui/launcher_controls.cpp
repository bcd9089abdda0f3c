#include "ui/launcher_controls.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "toolkit/gdiplus.h"
#include "toolkit/glyphs.h"
#include "toolkit/icon_list.h"
#include "toolkit/native_controls.h"
#include "ui/launcher_names.h"

namespace velora::ui {
namespace {

std::string Name(std::string_view name) { return std::string(name); }

// Raises the named controls to the top, one after the other: the last ends up on top.
void RaiseInOrder(toolkit::ControlHost& controls, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (toolkit::Control* control = controls.Find(name)) {
      SetWindowPos(control->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

}  // namespace

FirstLook AddFirstLook(toolkit::ControlHost& c, const LauncherLayout& l) {
  using namespace toolkit;
  auto& background =
      c.Add<Panel>({Name(names::kBackground), nullptr, l.background, Name(names::kBackgroundCaption)});
  background.SetDragsWindow(true);
  auto& holder = c.Add<Panel>(
      {Name(names::kCategoryHolder), nullptr, l.category_holder, Name(names::kCategoryHolderCaption)});
  auto& category_bar = c.Add<CategoryBar>({Name(names::kCategoryBar), &holder, l.category_bar, ""});

  auto& bar =
      c.Add<Panel>({Name(names::kCommandBar), nullptr, l.command_bar, Name(names::kCommandBarCaption)});
  bar.SetDragsWindow(true);
  const auto button = [&](std::string_view name, Rect rect, std::string_view tip,
                          ImageButton::Glyph glyph) -> ImageButton& {
    auto& b = c.Add<ImageButton>({Name(name), &bar, rect, ""});
    b.SetGlyph(std::move(glyph));
    b.SetTip(std::string(tip));
    return b;
  };
  auto& recent = button(names::kRecentButton, {4, 4, 24, 24}, names::kTipRecent, glyphs::Recent);
  auto& bookmark = button(names::kBookmarkButton, {39, 3, 24, 24}, names::kTipBookmark, glyphs::AddBookmark);
  auto& clear = button(names::kClearButton, {73, 2, 24, 24}, names::kTipClear, glyphs::Clear);
  auto& position = button(names::kAddPositionButton, {105, 2, 24, 24}, names::kTipAddAtEnd, glyphs::AddAtEnd);
  auto& settings = button(names::kSettingsButton, {133, 3, 24, 24}, names::kTipSettings, glyphs::Settings);
  auto& pin = button(names::kPinButton, {169, 2, 24, 24}, names::kTipPin, glyphs::Pin);

  auto& content = c.Add<Panel>({Name(names::kContent), nullptr, l.content, Name(names::kContentCaption)});
  c.Add<IconList>({Name(names::kGrid), &content, l.grid, Name(names::kGridCaption)});
  auto& grip = c.Add<Grip>({Name(names::kGrip), nullptr, l.grip, Name(names::kTipGrip)});
  // Stack the components from the background up: each raised one lies above those before it.
  RaiseInOrder(
      c, {names::kBackground, names::kContent, names::kCategoryHolder, names::kCommandBar, names::kGrip});
  return {category_bar, recent, bookmark, clear, position, settings, pin, grip};
}

toolkit::ListView& AddHiddenParts(toolkit::ControlHost& c) {
  using namespace toolkit;
  auto& toast =
      c.Add<Panel>({Name(names::kToastTemplate), nullptr, {800, 520, 200, 60}, Name(names::kToastTitle)},
                   type_word::kGroupBox);
  toast.Show(false);
  const std::tuple<std::string_view, Rect, std::string_view> panels[] = {
      {names::kSettingsPanel, {688, 160, 448, 256}, names::kSettingsPanelCaption},
      {names::kBookmarkPanel, {1008, 464, 368, 120}, names::kBookmarkPanelCaption},
      {names::kShortcutPanel, {1136, 208, 234, 248}, names::kShortcutPanelCaption},
      {names::kGroupPanel, {728, 424, 258, 88}, names::kGroupPanelCaption},
  };
  for (const auto& [name, rect, caption] : panels) {
    auto& panel = c.Add<Panel>({Name(name), nullptr, rect, Name(caption)});
    panel.SetFill(0xFFFFFFFF, 0xFFDCDFE6);
    panel.Show(false);
  }
  // Above everything the first look built, in this order.
  RaiseInOrder(c, {names::kSettingsPanel, names::kBookmarkPanel, names::kShortcutPanel, names::kGroupPanel,
                   names::kToastTemplate});
  auto& recent = c.Add<ListView>({Name(names::kRecentList),
                                  c.Find(names::kContent),
                                  {240, 344, 217, 192},
                                  Name(names::kRecentListCaption)});
  recent.Show(false);
  return recent;
}

void PlaceControls(toolkit::ControlHost& c, const LauncherLayout& l, bool query_on) {
  const std::pair<std::string_view, Rect> places[] = {
      {names::kBackground, l.background},
      {names::kGrip, l.grip},
      {names::kCommandBar, l.command_bar},
      {names::kCategoryHolder, l.category_holder},
      {names::kCategoryBar, query_on ? l.category_bar_beside_query : l.category_bar},
      {names::kQueryBox, l.query_box},
      {names::kContent, l.content},
      {names::kSettingsPanel, l.panels[kSettingsPanel]},
      {names::kBookmarkPanel, l.panels[kBookmarkPanel]},
      {names::kGroupPanel, l.panels[kGroupPanel]},
      {names::kShortcutPanel, l.panels[kShortcutPanel]},
      {names::kRecentList, l.recent},
      {names::kGrid, l.grid},
  };
  for (const auto& [name, rect] : places) {
    if (toolkit::Control* control = c.Find(name)) control->Move(rect);
  }
}

void PaintBackdrop(HDC dc, RECT area, RECT client, const Appearance& look, int border_width,
                   int corner_radius) {
  toolkit::CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.TranslateTransform(static_cast<Gdiplus::REAL>(-area.left), static_cast<Gdiplus::REAL>(-area.top));
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  // Outside the rounded shape the window region clips; paint it in the fill so no seam shows.
  Gdiplus::SolidBrush fill(toolkit::ToColor(look.background | 0xFF000000));
  g.FillRectangle(&fill, static_cast<INT>(area.left), static_cast<INT>(area.top),
                  static_cast<INT>(area.right - area.left), static_cast<INT>(area.bottom - area.top));
  const float border = static_cast<float>(border_width);
  if (border <= 0) return;
  const float radius = static_cast<float>(corner_radius);
  const float inset = border / 2;
  const float w = static_cast<float>(client.right) - border;
  const float h = static_cast<float>(client.bottom) - border;
  Gdiplus::GraphicsPath path;
  if (radius > 0) {
    const float d = std::min({2 * radius, w, h});
    path.AddArc(inset, inset, d, d, 180, 90);
    path.AddArc(inset + w - d, inset, d, d, 270, 90);
    path.AddArc(inset + w - d, inset + h - d, d, d, 0, 90);
    path.AddArc(inset, inset + h - d, d, d, 90, 90);
    path.CloseFigure();
  } else {
    path.AddRectangle(Gdiplus::RectF(inset, inset, w, h));
  }
  Gdiplus::Pen pen(toolkit::ToColor(look.border), border);
  g.DrawPath(&pen, &path);
}

}  // namespace velora::ui
