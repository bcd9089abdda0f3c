#pragma once
// The icon list: cells of one template (an image element above a text element) laid out left to
// right, top to bottom. The program sets each cell's image and text; the list reports presses,
// releases, double clicks, right clicks, hovers and the wheel by cell index.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/custom_control.h"
#include "toolkit/image.h"

namespace velora::toolkit {

// Design pixels within one cell.
struct CellTemplate {
  core::Size cell{77, 90};
  core::Rect image{18, 10, 40, 40};
  core::Rect text{0, 55, 77, 30};
  int text_points = 12;
};

class IconList : public CustomControl {
 public:
  IconList(ControlHost& host, ControlArgs args)
      : CustomControl(host, type_word::kIconList, std::move(args)) {}

  void SetTemplate(const CellTemplate& cell_template);
  const CellTemplate& cell_template() const { return template_; }
  int Count() const { return static_cast<int>(cells_.size()); }
  void Delete(int first, int count);
  int Append();
  // The image may be shared between cells (built-in images are decoded once).
  void SetImage(int cell, std::shared_ptr<const Image> image);
  void SetText(int cell, std::string_view text, std::uint32_t colour);
  using CustomControl::SetText;  // the list's own caption, as every control has
  // Sets the pointer shown over the list; null restores the arrow.
  void SetPointer(HCURSOR cursor) { pointer_ = cursor; }
  // The keyboard's cell, framed in `colour`; -1 frames none.
  void SetSelected(int cell, std::uint32_t colour);
  // A line shown in the middle of the list in place of cells ("没有找到"); empty shows none.
  void SetHint(std::string_view text, std::uint32_t colour);
  // How many cells a row holds at the list's width.
  int Columns() const;

  std::function<void(int cell)> on_press;
  std::function<void(int cell)> on_release;
  std::function<void(int cell)> on_double_click;
  std::function<void(int cell)> on_right_click;
  std::function<void(int cell)> on_hover;  // -1 when the pointer left every cell
  std::function<void(int delta)> on_wheel;
  // What assistive tools say of a cell beside its caption (its kind and target), and its default
  // action: opening the item as a click does.
  std::function<std::string(int cell)> describe;
  std::function<void(int cell)> on_activate;

  // The cell under a point of the control, -1 when none.
  int CellAt(POINT at) const;
  // Where a cell lies in the control.
  RECT CellRect(int cell) const;

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse) override;
  void OnLeftUp(Mouse) override;
  void OnLeftDoubleClick(Mouse) override;
  void OnRightDown(Mouse) override;
  void OnMove(Mouse) override;
  void OnLeave() override;
  void OnWheel(int delta) override;
  bool HandleExtra(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  std::optional<core::AccessibleTree> Accessible() const override;
  void DoAccessibleAction(int child) override;
  int AccessibleColumnCount() const override { return Columns(); }

 private:
  struct Cell {
    std::shared_ptr<const Image> image;
    std::wstring text;
    std::uint32_t colour = 0;
  };
  void DrawHint(HDC dc, RECT client) const;
  // The cells that hold an item, in order: the accessible children, empty cells left out.
  std::vector<int> ItemCells() const;

  CellTemplate template_;
  std::vector<Cell> cells_;
  int hover_ = -1;
  int selected_ = -1;
  std::uint32_t selected_colour_ = 0;
  std::wstring hint_;
  std::uint32_t hint_colour_ = 0;
  HCURSOR pointer_ = nullptr;
};

}  // namespace velora::toolkit
