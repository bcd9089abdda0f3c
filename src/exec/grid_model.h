#pragma once
// The item grid without its window: one page of the current category's items as cells, the
// paging, and what a press, click, double click, right click or hover on a cell means. The
// control draws the cells and forwards the mouse; launching goes out through the port.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exec/image_bytes.h"
#include "exec/launch_port.h"
#include "exec/navigation.h"
#include "store/database.h"
#include "store/items.h"

namespace velora::exec {

struct GridCell {
  bool has_item = false;  // false for the cells past the end of the list
  std::string code;
  std::string caption;
  ImageBytes image;  // encoded bytes; empty shows no image
};

// The image of a row: its stored thumbnail for the five picture suffixes (exact case), else
// the image its 后缀 picks.
ImageBytes CellImage(const store::ItemRow& row, const std::filesystem::path& data_dir);
GridCell CellOfRow(const store::ItemRow& row, const std::filesystem::path& data_dir);

// An item found by typing: the category it lives in and its code.
struct FoundItem {
  std::string category;
  std::string code;
};

// What a key does to the keyboard selection.
enum class SelectionMove { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown };

enum class ClickOutcome {
  kNothing,  // the press was on an empty cell or past the list
  kLaunched,
  kCaptionDrag,  // "双击图标打开" is on: a single click drags the window instead
};

class GridModel {
 public:
  // `at` is where the panel stands; the model reads it on every refresh and turns its page.
  GridModel(store::Database& db, std::filesystem::path data_dir, LaunchPort& launch, Navigation& at);

  // A new category starts at page 0; call Refresh afterwards.
  void SetCategory(std::string table);
  void SetCapacity(int capacity);
  void SetPage(int page);
  const std::string& category() const { return at_.category; }
  int capacity() const { return ClampCapacity(at_.capacity); }
  int page() const { return at_.page; }

  // Reads the category's size and the page's rows in list order (newest 日期 first) and
  // rebuilds the cells; nothing is read per cell. Only the page's codes are kept: every cell
  // action and the wheel need no more. A page past the last one the wheel reaches (items were
  // removed) becomes that last page.
  void Refresh();
  const std::vector<GridCell>& cells() const { return cells_; }
  std::size_t item_count() const { return item_count_; }
  // The list entry behind a cell of the current page; null for an empty cell.
  const std::string* CodeAt(int cell) const;
  // Replaces one cell's image without a rebuild (a fetched site icon, a cleared icon).
  void SetCellImage(int cell, ImageBytes image);

  // Turns the page and refreshes; true when the page changed.
  bool Wheel(int wheel_delta);

  // Left press: the cell becomes the current item. True when the press must capture the mouse
  // so the release is seen wherever it happens: macros, functions, snippets and pictures, which
  // act on the window the pointer is released over.
  bool Press(int cell);
  // Left release after a press.
  ClickOutcome FinishClick(bool double_click_opens);
  // True when it launched.
  bool DoubleClick(int cell, bool double_click_opens);
  // True when the item menu should open for the cell, which becomes the current item; the menu
  // needs to know whether the item is a web item.
  bool RightClick(int cell);
  bool CurrentIsWebItem() const;
  // Launches the item a right click made current ("搜剪辑板").
  void LaunchCurrent();
  std::optional<int> current_item() const { return current_item_; }

  // Empty when the cell shows no tip. A found item's tip also names its category.
  std::string TipAt(int cell) const;

  // Shows these items, best first, in place of the category's, from page 0 with the best one
  // selected; call Refresh afterwards.
  void ShowFound(std::vector<FoundItem> found);
  // Back to the category on show, at the page it stood on when the finding began.
  void EndFind();
  bool finding() const { return found_.has_value(); }
  // The category of the item behind a cell (a found item's own); null for an empty cell.
  const std::string* CategoryAt(int cell) const;

  // The keyboard selection: a cell of the page that holds an item, or none.
  std::optional<int> selected() const { return selected_; }
  // Moves the selection through the items of every page, as the arrows (a row holds `columns`
  // cells), Home, End and the page keys do; without a selection the first key selects the first
  // item of the page. True when the page changed (the model has read it).
  bool MoveSelection(SelectionMove move, int columns);
  // Selects a cell that holds an item; false for another.
  bool Select(int cell);
  // What a screen reader says of a cell's item beside its caption; empty for an empty cell.
  std::string DescriptionAt(int cell) const;
  // Launches the selected item; false when there is none.
  bool LaunchSelected();
  // The selected item becomes the current item, for its item menu; false when there is none.
  bool MakeSelectedCurrent();

 private:
  void LaunchCell(int cell);
  void RefreshFound();
  // Keeps the selection on an item of the page, if the page has one.
  void KeepSelectionOnItems();

  store::Database& db_;
  std::filesystem::path data_dir_;
  LaunchPort& launch_;
  Navigation& at_;
  std::size_t item_count_ = 0;
  store::PageReader pages_;
  std::vector<std::string> codes_;             // of the current page
  std::vector<std::string> found_categories_;  // of the current page, while finding
  std::vector<GridCell> cells_;
  std::optional<int> current_item_;
  std::optional<int> selected_;
  std::optional<std::vector<FoundItem>> found_;
  int page_before_find_ = 0;
};

// Whether a press on an item with this code captures the mouse.
bool PressCapturesMouse(std::string_view code);

}  // namespace velora::exec
