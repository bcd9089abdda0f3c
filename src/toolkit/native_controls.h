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

 protected:
  void OnCommand(WORD code) override;
};

class CheckBox : public Control {
 public:
  CheckBox(ControlHost& host, ControlArgs args);
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  void OnCommand(WORD code) override;
};

class PushButton : public Control {
 public:
  PushButton(ControlHost& host, ControlArgs args);

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

 protected:
  void OnCommand(WORD code) override;
};

}  // namespace velora::toolkit

namespace velora::toolkit {

// A report list view: columns and rows of text.
class ListView : public Control {
 public:
  ListView(ControlHost& host, ControlArgs args);
  void AddColumn(std::string_view title, int design_width);
  int ColumnCount() const;
  int AddRow(const std::vector<std::string>& cells);
  int RowCount() const;
  std::string CellText(int row, int column) const;
  void SetCellText(int row, int column, std::string_view text);
  void Clear();
};

}  // namespace velora::toolkit
