#pragma once
// The three panels that add by hand: a bookmark, a keyboard shortcut, a group (which also renames
// one). Each opens reset with its first field focused, adds on its button or Enter, closes on its
// close button or Escape, and stays open when the user is told what is missing.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "exec/navigation.h"
#include "store/database.h"
#include "ui/add_panel_logic.h"
#include "ui/add_panel_views.h"
#include "ui/core_types.h"
#include "ui/menu_commands.h"

namespace velora::toolkit {
class CategoryBar;
class Control;
class ControlHost;
}  // namespace velora::toolkit

namespace velora::ui {

class AddPanels {
 public:
  // What the launcher window does for the panels.
  struct Actions {
    std::function<void(ToastKind, std::string_view)> toast;
    // "超级按钮_添加位置" is selected: new items go to the end.
    std::function<bool()> adds_at_end;
    // The shown category's items were changed.
    std::function<void()> refresh_grid;
    std::function<void(const std::vector<std::string>&)> fill_category_bar;
    // The group on show was renamed: the panel stays where it is, under the new name.
    std::function<void(const std::string& new_name)> shown_group_renamed;
  };

  // Builds the panels' contents into the empty panel frames of `controls`.
  AddPanels(toolkit::ControlHost& controls, store::Database& db, const exec::Navigation& at,
            toolkit::CategoryBar& bar, Actions actions);
  AddPanels(const AddPanels&) = delete;
  AddPanels& operator=(const AddPanels&) = delete;

  void OpenBookmark();
  void OpenShortcut();
  void OpenGroupToAdd();
  // `caption` is the name the bar shows at `cell`, the group to rename.
  void OpenGroupToRename(int cell, std::string caption);
  // The add menu's panels, and the group menu's rename of the bar cell `group_cell` it was
  // opened on; false for any other command.
  bool OpenFor(MenuCommand command, int group_cell);

  // What the panels' buttons and Enter run.
  void AddBookmark();
  void AddShortcut();
  void ConfirmGroup();

 private:
  enum class GroupMode { kAdding, kRenaming };

  void Wire();
  // Enter runs `add`, Escape closes `panel`; every other key goes to the box.
  void WireKeys(toolkit::EditBox& box, toolkit::Control& panel, void (AddPanels::*add)());
  // Rewrites the shortcut's status line from the three current keys.
  void ShowShortcutStatus();
  ShortcutKeys CurrentKeys() const;
  void Open(toolkit::Control& panel, toolkit::Control& first_field);
  void Close(toolkit::Control& panel);
  // Adds the row into the shown category; false (and told) when it was refused or not saved.
  bool AddRow(const NewItem& item);
  void SetGroupMode(GroupMode mode);

  toolkit::ControlHost& controls_;
  store::Database& db_;
  const exec::Navigation& at_;
  toolkit::CategoryBar& bar_;
  Actions actions_;
  BookmarkPanel bookmark_;
  ShortcutPanel shortcut_;
  GroupPanel group_;
  GroupMode group_mode_ = GroupMode::kAdding;
  int rename_cell_ = -1;
  std::string rename_from_;
};

}  // namespace velora::ui
