#pragma once
// A report list view: columns and rows of text, and what a user does with a row (activate it,
// right-click it, point at it).
#include <windows.h>
// After windows.h, whose types these use.
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"

namespace velora::toolkit {

struct ListViewLook {
  int row_height = 0;                      // design pixels; 0: as high as the font makes a row
  std::uint32_t text_colour = 0xFF000000;  // ARGB
  int bold_column = -1;                    // a column whose text is bold; -1 for none
  // A column as wide as the others and a scroll bar leave of the list, whatever its size; -1 for
  // none. Its own width is the least it gets.
  int stretch_column = -1;
};

class ListView : public Control {
 public:
  ListView(ControlHost& host, ControlArgs args);
  ~ListView() override;

  void AddColumn(std::string_view title, int design_width);
  int ColumnCount() const;
  int AddRow(const std::vector<std::string>& cells);
  int RowCount() const;
  std::string CellText(int row, int column) const;
  void SetCellText(int row, int column, std::string_view text);
  void Clear();
  void SetLook(const ListViewLook& look);
  // The row at a point of the client area; -1 for none.
  int RowAt(POINT client) const;
  // -1 when no row is selected.
  int SelectedRow() const;
  void ApplyDpi() override;

  // A double click on a row, or Enter on the selected one.
  std::function<void(int row)> on_row_activate;
  std::function<void(int row)> on_row_right_click;
  // The row under the pointer changed; -1 when it left the rows.
  std::function<void(int row)> on_row_hover;
  // The pointer entering the list gives it the keyboard focus.
  bool focus_on_enter = false;

 private:
  struct ImageListDestroy {
    void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
  };

  void ApplyRowHeight();
  void ApplyColumnWidths();
  // The row under the position of the message being handled.
  int RowAtMessage() const;
  bool OnNotify(const NMHDR& header, LRESULT& result);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  void OnPointerMove(POINT client);
  void OnPointerLeave();
  static LRESULT CALLBACK ParentProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                          DWORD_PTR data) noexcept;
  static LRESULT CALLBACK ListProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR data) noexcept;

  HWND subclassed_parent_ = nullptr;
  std::vector<int> column_widths_;  // design pixels
  ListViewLook look_;
  bool styled_ = false;
  // An empty image list as high as a row: the only way a report list takes a row height.
  std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroy> row_spacer_;
  int hover_row_ = -1;
  bool pointer_inside_ = false;
};

}  // namespace velora::toolkit
