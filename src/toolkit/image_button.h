#pragma once
// A button drawn as a glyph, with a selected look, a hover look and a tip.
#include <functional>
#include <string>

#include "toolkit/custom_control.h"

namespace velora::toolkit {

class ImageButton : public CustomControl {
 public:
  // Draws the glyph into a square of `size` device pixels at the origin in `colour`.
  using Glyph = std::function<void(HDC dc, int size, std::uint32_t colour)>;

  // A button is reached by Tab; a title drawn as one is taken out.
  ImageButton(ControlHost& host, ControlArgs args)
      : CustomControl(host, type_word::kImageButton, std::move(args), /*tab_stop=*/true) {}

  void SetGlyph(Glyph glyph) {
    glyph_ = std::move(glyph);
    Invalidate();
  }
  void SetSelected(bool selected) {
    selected_ = selected;
    Invalidate();
  }
  bool selected() const { return selected_; }
  void SetColour(std::uint32_t argb) {
    colour_ = argb;
    Invalidate();
  }
  // The tip is also the window text, the name assistive tools read.
  void SetTip(std::string tip) {
    SetText(tip);
    tip_ = std::move(tip);
  }
  const std::string& tip() const { return tip_; }
  // A caption drawn in bold right of the glyph, as a panel's title shows its name.
  void SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Invalidate();
  }
  std::vector<Caption> Captions() const override;

  std::function<void(ImageButton&, bool entered)> on_hover;

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse) override;
  // A quick second click arrives as a double click; it is a press all the same.
  void OnLeftDoubleClick(Mouse m) override { OnLeftDown(m); }
  void OnLeftUp(Mouse) override;
  void OnMove(Mouse) override;
  void OnLeave() override;
  // Answers BM_GETCHECK like a toggle button, so its state can be read from outside.
  bool HandleExtra(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  std::optional<core::AccessibleTree> Accessible() const override;
  void DoAccessibleAction(int child) override;

 private:
  Glyph glyph_;
  std::string tip_;
  std::string caption_;
  std::uint32_t colour_ = 0xFF303133;
  bool selected_ = false;
  bool hover_ = false;
  bool pressed_ = false;
};

}  // namespace velora::toolkit
