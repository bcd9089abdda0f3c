#pragma once
// Native Win32 controls for typing and choosing: the system gives IME, caret, keyboard and
// accessibility for free.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace velora::toolkit {

// A key message as an edit box receives it: WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP,
// WM_CHAR or WM_SYSCHAR, with its virtual key or character.
struct KeyMessage {
  UINT message = 0;
  WPARAM key = 0;
};

class EditBox : public Control {
 public:
  EditBox(ControlHost& host, ControlArgs args, bool multiline = false);
  ~EditBox() override;
  // A box that takes raw keys has no use for an input method.
  void DisableInputMethod();
  // True while an input method composes text in the box.
  bool composing() const;
  // Room kept free at the sides (design pixels), for captions or buttons laid on the box; kept
  // through font and scale changes, which reset an edit control's margins.
  void SetMargins(int left, int right);
  void ApplyDpi() override;
  // A one-line box's text between its margins; a multi-line box wraps and scrolls its own.
  std::vector<Caption> Captions() const override;

  // Offered every key message before the box handles it; true takes it from the box. Never
  // offered while an input method composes, so the composition gets every key, Enter included.
  std::function<bool(EditBox&, const KeyMessage&)> on_key;

 protected:
  void OnCommand(WORD code) override;

 private:
  static LRESULT CALLBACK KeyProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR data) noexcept;

  int left_margin_ = -1;  // -1: the font's own
  int right_margin_ = -1;
  bool composing_ = false;
};

class CheckBox : public Control {
 public:
  CheckBox(ControlHost& host, ControlArgs args);
  bool Checked() const;
  void SetChecked(bool checked);
  // The caption right of the box it ticks.
  std::vector<Caption> Captions() const override;

 protected:
  void OnCommand(WORD code) override;
};

class PushButton : public Control {
 public:
  PushButton(ControlHost& host, ControlArgs args);
  std::vector<Caption> Captions() const override;

 protected:
  void OnCommand(WORD code) override;
};

// A drop-down list whose items each carry a number.
class ComboBox : public Control {
 public:
  ComboBox(ControlHost& host, ControlArgs args, std::string_view type_word = type_word::kComboBox);
  int Add(std::string_view text, long long number = 0);
  void Delete(int index);
  int Count() const;
  std::string ItemText(int index) const;
  long long ItemNumber(int index) const;
  int Selected() const;
  void Select(int index);
  std::string Text() const override;
  // Every entry, as the closed list shows the selected one left of its button.
  std::vector<Caption> Captions() const override;

 protected:
  void OnCommand(WORD code) override;
};

}  // namespace velora::toolkit
