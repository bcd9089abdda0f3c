#pragma once
// The category bar: one row of button cells that scrolls sideways with the wheel when it is
// wider than the bar, with a fade and an arrow at an edge that hides cells. Its window text is
// the selected caption, so assistive tools (and the end-to-end tests) can read which category
// is shown.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/category_bar_model.h"
#include "toolkit/custom_control.h"

namespace velora::toolkit {

class CategoryBar : public CustomControl {
 public:
  CategoryBar(ControlHost& host, ControlArgs args);

  // Rebuilds the cells with `selected` the selected one, or the first when it is not among them;
  // returns the caption selected.
  std::string Fill(const std::vector<std::string>& names, std::uint32_t text_colour,
                   std::string_view selected = {});
  void SetCaption(std::size_t index, std::string caption, std::uint32_t colour);
  // Selects the category `step` cells on from the selected one, round the ends, as a click does.
  void Step(int step);
  const CategoryBarModel& model() const { return model_; }
  void ApplyDpi() override;
  // The captions wholly in view; the others are scrolled past an edge on purpose.
  std::vector<Caption> Captions() const override;

  // A cell became the current category by a click, or by a hover when hovering selects.
  std::function<void(std::size_t index, const std::string& caption)> on_select;
  std::function<void(std::size_t index, const std::string& caption)> on_hover_select;
  std::function<void(std::size_t index)> on_right_click;
  // Asked on every hover: whether hovering a cell selects it.
  std::function<bool()> hover_selects;

  // Design pixels one notch of the wheel moves the row.
  static constexpr int kWheelStep = 60;

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse) override;
  void OnRightDown(Mouse) override;
  void OnMove(Mouse) override;
  void OnLeave() override;
  void OnWheel(int delta) override;
  bool HandleExtra(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  std::optional<core::AccessibleTree> Accessible() const override;
  void DoAccessibleAction(int child) override;

 private:
  std::optional<std::size_t> CellAt(POINT at) const;
  // A cell's rectangle and its caption's box in client pixels, the row scrolled.
  RECT CellRect(std::size_t index) const;
  RECT CaptionBox(RECT cell) const;
  void Selected(std::optional<std::string> caption, std::size_t index,
                const std::function<void(std::size_t, const std::string&)>& notify);
  void Scroll(int delta);
  // Fades the cells into the backdrop at an edge that hides cells, and marks it with an arrow.
  void DrawEdgeHints(HDC dc, HDC backdrop, RECT client) const;

  CategoryBarModel model_;
  std::optional<std::size_t> hover_;
};

}  // namespace velora::toolkit
