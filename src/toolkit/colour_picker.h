#pragma once
// Picking any colour: a saturation-value field for the hue chosen on a hue bar beside it, a
// preview, and a hexadecimal entry for an exact value. Plus the small pieces the colour frames
// are made of: a swatch that shows one colour and a frame that holds it; both report clicks.
#include <cstdint>
#include <functional>

#include "core/colour_hsv.h"
#include "toolkit/custom_control.h"

namespace velora::toolkit {

inline constexpr std::string_view kColourPickerType = "选色板";
// What a screen reader calls the hexadecimal entry.
inline constexpr std::string_view kColourEntryName = "颜色值";

class ColourPicker : public CustomControl {
 public:
  ColourPicker(ControlHost& host, ControlArgs args);
  ~ColourPicker() override;

  std::uint32_t Colour() const;
  // As the program: no on_change.
  void SetColour(std::uint32_t argb);
  void ApplyDpi() override;

  // The user picked a colour (field, bar or entry).
  std::function<void(ColourPicker&, std::uint32_t argb)> on_pick;

  // Design rectangles of the parts, in the picker.
  static constexpr core::Rect kField{0, 0, 190, 132};
  static constexpr core::Rect kHueBar{198, 0, 34, 132};
  static constexpr core::Rect kEntry{0, 138, 96, 22};
  static constexpr core::Rect kPreview{104, 138, 128, 22};

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse m) override;
  void OnMove(Mouse m) override;
  void OnLeftUp(Mouse m) override;
  // Named by its caption, described by the colour it holds; the entry inside is read on its own.
  std::optional<core::AccessibleTree> Accessible() const override;

 private:
  enum class Drag { kNone, kField, kHue };
  static LRESULT CALLBACK EntryProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR data) noexcept;
  void PickAt(POINT at);
  void TakeEntry();
  void ShowEntry();
  void Picked();
  RECT Part(core::Rect design) const;

  core::Hsv hsv_{0, 0, 1};
  std::uint8_t alpha_ = 0xFF;
  Drag drag_ = Drag::kNone;
  HWND entry_ = nullptr;
};

// One colour as the background of a small box.
class ColourSwatch : public CustomControl {
 public:
  ColourSwatch(ControlHost& host, ControlArgs args)
      : CustomControl(host, type_word::kLabel, std::move(args)) {}
  std::uint32_t Colour() const { return colour_; }
  void SetColour(std::uint32_t argb) {
    colour_ = argb;
    Invalidate();
  }

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse) override {
    if (on_click) on_click(*this);
  }

 private:
  std::uint32_t colour_ = 0xFFFFFFFF;
};

// A bordered holder that reports a click anywhere on it, its children's included when they
// pass theirs on.
class Frame : public CustomControl {
 public:
  Frame(ControlHost& host, ControlArgs args, std::string_view type = type_word::kPanel)
      : CustomControl(host, type, std::move(args)) {}
  void SetSelected(bool selected) {
    selected_ = selected;
    Invalidate();
  }

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse) override {
    if (on_click) on_click(*this);
  }
  // A frame that reports clicks is a button named by its caption, pressed while selected.
  std::optional<core::AccessibleTree> Accessible() const override;
  void DoAccessibleAction(int child) override {
    if (child == 0 && on_click) on_click(*this);
  }

 private:
  bool selected_ = false;
};

}  // namespace velora::toolkit
