#pragma once
// Native Win32 controls for typing and choosing: the system gives IME, caret, keyboard and
// accessibility for free.
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace velora::toolkit {

class EditBox : public Control {
 public:
  EditBox(ControlHost& host, ControlArgs args, bool multiline = false);
  // Room kept free at the sides (design pixels), for captions or buttons laid on the box; kept
  // through font and scale changes, which reset an edit control's margins.
  void SetMargins(int left, int right);
  void ApplyDpi() override;
  // A one-line box's text between its margins; a multi-line box wraps and scrolls its own.
  std::vector<Caption> Captions() const override;

 protected:
  void OnCommand(WORD code) override;

 private:
  int left_margin_ = -1;  // -1: the font's own
  int right_margin_ = -1;
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
