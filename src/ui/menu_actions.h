#pragma once
// What the entries of the item, add and clear menus do to the shown category: the actions the
// window carries out itself. Opening the add panels, group changes, restart and exit are left
// to their owners.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "acquire/favicon_fetch_win32.h"
#include "acquire/missing_items_win32.h"
#include "exec/navigation.h"
#include "store/database.h"
#include "ui/menu_commands.h"

namespace velora::ui {

class Feedback;
class ItemGrid;
class ItemLauncher;

// Where the actions find the item store's file: the site-icon worker opens a connection of its own.
struct StorePlaces {
  std::filesystem::path data_dir;
  std::filesystem::path database_file;
};

class MenuActions {
 public:
  // What the actions need of the panel they act on.
  struct Panel {
    HWND owner;  // of the shell's menu
    ItemGrid& grid;
    const exec::Navigation& navigation;
    std::function<void()> refresh;  // the grid's page is read again
    std::function<bool()> adds_at_end;
    // False when no backup could be made before a bulk removal: nothing may be removed.
    std::function<bool()> before_bulk_removal;
  };

  // `ui` brings the workers' answers back to the UI thread.
  MenuActions(Panel panel, Feedback& feedback, store::Database& db, StorePlaces places,
              ItemLauncher& launcher, const core::UiPoster& ui);

  // True when the command was this object's to run.
  bool Run(MenuCommand command);

 private:
  // The code of the item the menu was opened on; null when the cell no longer holds one.
  const std::string* CurrentCode() const;
  void Delete(const std::string& code);
  void FetchIcon(const std::string& code);
  void OnFaviconFetched(const acquire::FaviconResult& result);
  void ClearIcon(const std::string& code);
  void PictureToClipboard(const std::string& code);
  void CopyFile(const std::string& code);
  void ShellMenu(const std::string& code);
  void SearchClipboard();
  void AddText();
  void RemoveMissing();
  void OnMissingItemsFound(const acquire::MissingItemsFound& found);
  void ClearList();

  Panel panel_;
  Feedback& feedback_;
  store::Database& db_;
  StorePlaces places_;
  ItemLauncher& launcher_;
  acquire::FaviconFetcher favicons_;
  acquire::MissingItemsChecker missing_;
};

}  // namespace velora::ui
