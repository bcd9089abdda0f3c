#include "ui/menu_actions.h"
#include "ui/feedback.h"

#include <shlobj.h>

#include <utility>
#include <vector>

#include "acquire/clear_icon.h"
#include "acquire/favicon.h"
#include "desktop/shell_context_menu_win32.h"
#include "exec/item_kind.h"
#include "exec/names.h"
#include "store/items.h"
#include "store/schema.h"
#include "text/date.h"
#include "text/utf.h"
#include "ui/item_grid.h"
#include "ui/item_launcher.h"
#include "ui/launcher_window.h"
#include "ui/settings_ui.h"
#include "ui/toast_texts.h"

namespace velora::ui {
namespace {

using core::ToastKind;

// What the file manager parses into a system place, for its menu: the desktop is a folder, the
// others are known by their class.
std::string ShellNameOfPlace(exec::Place place) {
  switch (place) {
    case exec::Place::kThisPc:
      return "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    case exec::Place::kRecycleBin:
      return "::{645FF040-5081-101B-9F08-00AA002F954E}";
    case exec::Place::kControlPanel:
      return "::{21EC2020-3AEA-1069-A2DD-08002B30309D}";
    case exec::Place::kDesktop: {
      wchar_t path[MAX_PATH] = {};
      return SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) ? text::Narrow(path)
                                                                                   : std::string();
    }
    case exec::Place::kUnknown:
      break;
  }
  return {};
}

}  // namespace

MenuActions::MenuActions(Panel panel, Feedback& feedback, store::Database& db, StorePlaces places,
                         ItemLauncher& launcher, const core::UiPoster& ui)
    : panel_(std::move(panel)),
      feedback_(feedback),
      db_(db),
      places_(std::move(places)),
      launcher_(launcher),
      favicons_(ui),
      missing_(ui) {}

const std::string* MenuActions::CurrentCode() const {
  const exec::GridModel& model = panel_.grid.model();
  return model.current_item() ? model.CodeAt(*model.current_item()) : nullptr;
}

bool MenuActions::Run(MenuCommand command) {
  switch (command) {
    case MenuCommand::kAddText:
      AddText();
      return true;
    case MenuCommand::kRemoveMissing:
      RemoveMissing();
      return true;
    case MenuCommand::kClearList:
      ClearList();
      return true;
    case MenuCommand::kSearchClipboard:
      SearchClipboard();
      return true;
    default:
      break;
  }
  const std::string* current = CurrentCode();
  // A copy: the grid's codes are rebuilt by the actions that refresh it.
  const std::string code = current ? *current : std::string();
  switch (command) {
    case MenuCommand::kDelete:
      if (current) Delete(code);
      return true;
    case MenuCommand::kFetchIcon:
      if (current) FetchIcon(code);
      return true;
    case MenuCommand::kClearIcon:
      if (current) ClearIcon(code);
      return true;
    case MenuCommand::kPictureToClipboard:
      if (current) PictureToClipboard(code);
      return true;
    case MenuCommand::kCopyFile:
      if (current) CopyFile(code);
      return true;
    case MenuCommand::kShellMenu:
      if (current) ShellMenu(code);
      return true;
    default:
      return false;
  }
}

void MenuActions::Delete(const std::string& code) {
  if (code.starts_with(exec::prefix::kSystem) || code.starts_with(exec::prefix::kFunction)) {
    feedback_.ShowToast(ToastKind::kFailed, kBuiltinItemUndeletable);
    return;
  }
  if (!store::DeleteItem(db_, panel_.navigation.category, code)) {
    feedback_.ShowToast(ToastKind::kFailed, kStoreRefused);
  }
  panel_.refresh();
}

void MenuActions::FetchIcon(const std::string& code) {
  const int cell = *panel_.grid.model().current_item();
  const acquire::FaviconTarget target{panel_.navigation.category, code, cell};
  if (!favicons_.Start(target, {places_.data_dir, places_.database_file},
                       [this](const acquire::FaviconResult& result) { OnFaviconFetched(result); })) {
    feedback_.ShowToast(ToastKind::kFailed, acquire::kFetchBusyText);
  }
}

void MenuActions::OnFaviconFetched(const acquire::FaviconResult& result) {
  if (result.image.empty()) {
    feedback_.ShowToast(ToastKind::kFailed, kFetchIconFailed);
    return;
  }
  const std::string* shown = panel_.grid.model().CodeAt(result.target.cell);
  if (acquire::CellShowsTarget(result.target, panel_.navigation.category,
                               shown ? std::optional<std::string_view>(*shown) : std::nullopt)) {
    panel_.grid.SetCellImage(result.target.cell, exec::ImageBytes::Owned(result.image));
  }
}

void MenuActions::ClearIcon(const std::string& code) {
  exec::ImageBytes image = acquire::ClearItemIcon(db_, panel_.navigation.category, code);
  if (image.empty()) {
    feedback_.ShowToast(ToastKind::kFailed, kStoreRefused);
    return;
  }
  panel_.grid.SetCellImage(*panel_.grid.model().current_item(), std::move(image));
}

void MenuActions::PictureToClipboard(const std::string& code) {
  const bool put = launcher_.PutPictureOnClipboard(exec::FilePathOfCode(code));
  feedback_.ShowToast(put ? ToastKind::kDone : ToastKind::kFailed, put ? kPictureCopied : kPictureCopyFailed);
}

void MenuActions::CopyFile(const std::string& code) {
  const bool put = launcher_.PutFileOnClipboard(exec::FilePathOfCode(code));
  feedback_.ShowToast(put ? ToastKind::kDone : ToastKind::kFailed, put ? kFileCopied : kFileCopyFailed);
}

void MenuActions::ShellMenu(const std::string& code) {
  const exec::ClassifiedCode item = exec::KindOfCode(code);
  const std::string path = item.kind == exec::ItemKind::kSystemPlace ? ShellNameOfPlace(item.place)
                           : exec::IsFileKind(item.kind)             ? item.payload
                                                                     : std::string();
  if (path.empty() || desktop::ShowShellContextMenu(panel_.owner, path) < 0) {
    feedback_.ShowToast(ToastKind::kFailed, kNoShellMenu);
  }
}

void MenuActions::SearchClipboard() {
  launcher_.set_search_with_clipboard(true);
  panel_.grid.LaunchCurrent();
  launcher_.set_search_with_clipboard(false);
}

void MenuActions::AddText() {
  const std::string text = launcher_.ClipboardText();
  if (text.empty()) {
    feedback_.ShowToast(ToastKind::kFailed, kClipboardHasNoText);
    return;
  }
  store::ItemRow row;
  row.code = std::string(exec::prefix::kText) + text;
  row.suffix = std::string(exec::suffix::kText);
  row.name = text;
  if (!panel_.adds_at_end()) row.date = text::NowText();
  if (!store::AddItem(db_, panel_.navigation.category, row)) {
    feedback_.ShowToast(ToastKind::kFailed, kStoreRefused);
  }
  panel_.refresh();
}

void MenuActions::RemoveMissing() {
  const std::string& table = panel_.navigation.category;
  const std::vector<acquire::FileItem> items = acquire::FileItemsOf(store::ListCodes(db_, table));
  if (!missing_.Start(table, items,
                      [this](const acquire::MissingItemsFound& found) { OnMissingItemsFound(found); })) {
    feedback_.ShowToast(ToastKind::kFailed, kMissingCheckBusy);
  }
}

void MenuActions::OnMissingItemsFound(const acquire::MissingItemsFound& found) {
  std::size_t removed = 0;
  if (!found.check.missing_codes.empty()) {
    if (!panel_.before_bulk_removal()) return;
    removed = store::DeleteItems(db_, found.table, found.check.missing_codes);
  }
  if (found.table == panel_.navigation.category) panel_.refresh();
  feedback_.ShowToast(ToastKind::kDone, MissingItemsText(removed, found.check.unchecked));
}

void MenuActions::ClearList() {
  if (!panel_.before_bulk_removal()) return;
  const bool cleared = store::ClearItems(db_, panel_.navigation.category);
  panel_.refresh();
  feedback_.ShowToast(cleared ? ToastKind::kDone : ToastKind::kFailed,
                      cleared ? kListCleared : kStoreRefused);
}

}  // namespace velora::ui
