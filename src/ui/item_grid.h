#pragma once
// The item grid on screen: the grid model's page of cells shown in the icon list, with the
// press, click, double click, right click, hover and wheel handling of the launcher window.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/handles_win32.h"
#include "exec/grid_model.h"
#include "toolkit/icon_list.h"
#include "toolkit/image_cache.h"
#include "ui/panel_look.h"

namespace velora::ui {

class ItemGrid : private exec::LaunchPort {
 public:
  ItemGrid(toolkit::IconList& list, const PanelLook& look, exec::Navigation& at, store::Database& db,
           std::filesystem::path data_dir);

  // Launching is wired by the program; until it is, a launch does nothing.
  void SetLaunchPort(exec::LaunchPort* port) { launch_ = port; }
  // Shows the tip of a cell (empty text hides it).
  std::function<void(const std::string& text)> show_tip;
  // Opens the item menu for the current item; true when it is a web item.
  std::function<void(bool web_item)> open_item_menu;
  // Whether "双击图标打开" is ticked.
  std::function<bool()> double_click_opens;
  // The window's caption drag, for a single click when double clicks open.
  std::function<void()> drag_window;

  // Rebuilds the page where the panel stands.
  void Refresh();
  // Turns the page as the wheel does; true when it changed.
  bool Wheel(int delta);
  const exec::GridModel& model() const { return model_; }
  // Shows another image in one cell without a rebuild (a fetched site icon, a cleared icon).
  void SetCellImage(int cell, exec::ImageBytes image);
  // Launches the item the last right click made current.
  void LaunchCurrent() { model_.LaunchCurrent(); }
  const toolkit::ImageCache& images() const { return images_; }
  // Ends a press on a cell: the capture goes, the cursor comes back and the click is finished;
  // nothing without a press.
  void OnRelease();

  // Shows found items in place of the category, the best selected; `hint` shows when there are
  // none.
  void ShowFound(std::vector<exec::FoundItem> found, std::string_view hint);
  // Back to the category on show.
  void EndFind();
  void MoveSelection(exec::SelectionMove move);
  // Launches the selected item as a click does; false when there is none.
  bool LaunchSelected();
  // The selected item becomes the current one; the middle of its cell on the screen, for its
  // item menu. Nothing when no item is selected.
  std::optional<POINT> SelectForMenu();
  // Every launch from the grid, after it ran.
  std::function<void(const exec::LaunchTarget&)> on_launched;

 private:
  void Launch(const exec::LaunchTarget& target) override;
  std::shared_ptr<const toolkit::Image> ImageOf(const exec::ImageBytes& bytes);
  void OnPress(int cell);
  // Puts the model's cells into the list.
  void Show();
  void ShowSelection();

  toolkit::IconList& list_;
  const PanelLook& look_;
  exec::GridModel model_;
  exec::LaunchPort* launch_ = nullptr;
  // Built-in images live as long as the program: decode each once.
  std::map<const char*, std::shared_ptr<const toolkit::Image>> builtin_images_;
  toolkit::ImageCache images_;
  core::UniqueIcon press_pointer_;
  bool pressed_ = false;
  std::uint64_t press_ms_ = 0;
  std::string hint_;  // shown while a finding has nothing
};

}  // namespace velora::ui
