#include "ui/add_panels.h"

#include "acquire/adder_words.h"
#include "exec/key_names.h"
#include "store/groups.h"
#include "store/items.h"
#include "text/date.h"
#include "toolkit/category_bar.h"
#include "toolkit/control_host.h"
#include "toolkit/image_button.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/launcher_names.h"
#include "ui/toast_texts.h"

namespace velora::ui {
namespace {

toolkit::Panel& Frame(toolkit::ControlHost& controls, std::string_view name) {
  return *controls.FindAs<toolkit::Panel>(name);
}

bool IsKeyDown(const toolkit::KeyMessage& m) { return m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN; }
bool IsKeyUp(const toolkit::KeyMessage& m) { return m.message == WM_KEYUP || m.message == WM_SYSKEYUP; }
bool IsChar(const toolkit::KeyMessage& m) { return m.message == WM_CHAR || m.message == WM_SYSCHAR; }

// The four modifier entries, the first one shown, whatever a restored state left in the list.
void ResetModifierList(toolkit::ComboBox& list) {
  bool as_built = list.Count() == static_cast<int>(kModifierEntries.size());
  for (int i = 0; as_built && i < list.Count(); ++i) as_built = list.ItemText(i) == kModifierEntries[i];
  if (!as_built) {
    for (int i = list.Count() - 1; i >= 0; --i) list.Delete(i);
    for (std::string_view entry : kModifierEntries) list.Add(entry);
  }
  list.Select(0);
}

}  // namespace

AddPanels::AddPanels(toolkit::ControlHost& controls, store::Database& db, const exec::Navigation& at,
                     toolkit::CategoryBar& bar, Actions actions)
    : controls_(controls),
      db_(db),
      at_(at),
      bar_(bar),
      actions_(std::move(actions)),
      bookmark_(BuildBookmarkPanel(controls, Frame(controls, names::kBookmarkPanel))),
      shortcut_(BuildShortcutPanel(controls, Frame(controls, names::kShortcutPanel))),
      group_(BuildGroupPanel(controls, Frame(controls, names::kGroupPanel))) {
  Wire();
}

void AddPanels::Wire() {
  bookmark_.close->on_click = [this](toolkit::Control&) { Close(*bookmark_.panel); };
  shortcut_.close->on_click = [this](toolkit::Control&) { Close(*shortcut_.panel); };
  group_.close->on_click = [this](toolkit::Control&) { Close(*group_.panel); };
  bookmark_.add->on_click = [this](toolkit::Control&) { AddBookmark(); };
  shortcut_.add->on_click = [this](toolkit::Control&) { AddShortcut(); };
  group_.confirm->on_click = [this](toolkit::Control&) { ConfirmGroup(); };

  WireKeys(*bookmark_.address, *bookmark_.panel, &AddPanels::AddBookmark);
  WireKeys(*bookmark_.title, *bookmark_.panel, &AddPanels::AddBookmark);
  WireKeys(*shortcut_.name, *shortcut_.panel, &AddPanels::AddShortcut);
  WireKeys(*group_.name, *group_.panel, &AddPanels::ConfirmGroup);

  // The key field shows the name of the key last released in it; only Backspace edits it. So
  // that any key can be captured, Enter and Escape included, it takes every key as it is.
  shortcut_.key->DisableInputMethod();
  shortcut_.key->on_key = [this](toolkit::EditBox& box, const toolkit::KeyMessage& m) {
    const bool backspace = IsChar(m) ? m.key == L'\b' : m.key == VK_BACK;
    if (backspace) return false;
    if (IsKeyUp(m)) {
      box.SetText(exec::KeyName(static_cast<int>(m.key)));
      const int end = GetWindowTextLengthW(box.hwnd());
      SendMessageW(box.hwnd(), EM_SETSEL, end, end);  // the caret at the end: Backspace shortens the name
      ShowShortcutStatus();
    }
    return IsKeyDown(m) || IsKeyUp(m) || IsChar(m);
  };
  shortcut_.key->on_change = [this](toolkit::Control&) { ShowShortcutStatus(); };
  shortcut_.first_modifier->on_change = [this](toolkit::Control&) { ShowShortcutStatus(); };
  shortcut_.second_modifier->on_change = [this](toolkit::Control&) { ShowShortcutStatus(); };
}

void AddPanels::WireKeys(toolkit::EditBox& box, toolkit::Control& panel, void (AddPanels::*add)()) {
  box.on_key = [this, &panel, add](toolkit::EditBox&, const toolkit::KeyMessage& m) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (m.message == WM_KEYDOWN && m.key == VK_RETURN && !ctrl) {
      (this->*add)();
      return true;
    }
    if (m.message == WM_KEYDOWN && m.key == VK_ESCAPE) {
      Close(panel);
      return true;
    }
    // The characters of the keys taken above; a control character typed with Ctrl+Enter is the
    // multi-line title's line break.
    return m.message == WM_CHAR && (m.key == L'\r' || m.key == 0x1B);
  };
}

ShortcutKeys AddPanels::CurrentKeys() const {
  return KeysOf(shortcut_.first_modifier->Text(), shortcut_.second_modifier->Text(), shortcut_.key->Text());
}

void AddPanels::ShowShortcutStatus() { shortcut_.status->SetText(ShortcutStatus(CurrentKeys())); }

void AddPanels::Open(toolkit::Control& panel, toolkit::Control& first_field) {
  // Above the grid and the panels opened before it.
  SetWindowPos(panel.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  panel.Show(true);
  first_field.Focus();
}

void AddPanels::Close(toolkit::Control& panel) {
  // Keys typed next must not go to a hidden field.
  const HWND focus = GetFocus();
  const bool had_focus = focus && (focus == panel.hwnd() || IsChild(panel.hwnd(), focus));
  panel.Show(false);
  if (had_focus) SetFocus(controls_.window());
}

void AddPanels::OpenBookmark() {
  bookmark_.address->SetText("");
  bookmark_.title->SetText("");
  Open(*bookmark_.panel, *bookmark_.address);
}

void AddPanels::OpenShortcut() {
  ResetModifierList(*shortcut_.first_modifier);
  ResetModifierList(*shortcut_.second_modifier);
  shortcut_.key->SetText("");
  shortcut_.name->SetText("");
  shortcut_.status->SetText(kStatusCaption);
  Open(*shortcut_.panel, *shortcut_.key);
}

void AddPanels::SetGroupMode(GroupMode mode) {
  group_mode_ = mode;
  const std::string_view title =
      mode == GroupMode::kAdding ? names::kAddGroupTitleCaption : names::kRenameGroupTitleCaption;
  group_.title->SetCaption(std::string(title));
  group_.title->SetTip(std::string(title));
  group_.confirm->SetText(mode == GroupMode::kAdding ? names::kAddCaption : names::kRenameCaption);
}

void AddPanels::OpenGroupToAdd() {
  SetGroupMode(GroupMode::kAdding);
  group_.name->SetText("");
  Open(*group_.panel, *group_.name);
}

bool AddPanels::OpenFor(MenuCommand command, int group_cell) {
  switch (command) {
    case MenuCommand::kAddBookmark:
      OpenBookmark();
      return true;
    case MenuCommand::kAddShortcut:
      OpenShortcut();
      return true;
    case MenuCommand::kAddGroup:
      OpenGroupToAdd();
      return true;
    case MenuCommand::kRenameGroup: {
      const auto& cells = bar_.model().cells();
      if (group_cell >= 0 && static_cast<std::size_t>(group_cell) < cells.size()) {
        OpenGroupToRename(group_cell, cells[static_cast<std::size_t>(group_cell)].caption);
      }
      return true;
    }
    default:
      return false;
  }
}

void AddPanels::OpenGroupToRename(int cell, std::string caption) {
  SetGroupMode(GroupMode::kRenaming);
  rename_cell_ = cell;
  rename_from_ = std::move(caption);
  group_.name->SetText(rename_from_);
  Open(*group_.panel, *group_.name);
  SendMessageW(group_.name->hwnd(), EM_SETSEL, 0, -1);  // typing replaces the old name
}

bool AddPanels::AddRow(const NewItem& item) {
  if (!item.row) {
    actions_.toast(ToastKind::kFailed, item.refusal);
    return false;
  }
  // A category whose table is gone (renamed or deleted while shown) cannot take the item: the
  // user is told rather than shown a closed panel and no item.
  if (!store::AddItem(db_, at_.category, *item.row)) {
    actions_.toast(ToastKind::kFailed, acquire::kItemNotSaved);
    return false;
  }
  actions_.refresh_grid();
  return true;
}

void AddPanels::AddBookmark() {
  if (AddRow(NewBookmark(bookmark_.address->Text(), bookmark_.title->Text(), actions_.adds_at_end(),
                         text::NowText()))) {
    Close(*bookmark_.panel);
  }
}

void AddPanels::AddShortcut() {
  if (AddRow(NewShortcut(shortcut_.name->Text(), CurrentKeys(), actions_.adds_at_end(), text::NowText()))) {
    Close(*shortcut_.panel);
  }
}

void AddPanels::ConfirmGroup() {
  const std::string name = group_.name->Text();
  store::GroupOutcome outcome = store::GroupOutcome::kCreateFailed;
  if (group_mode_ == GroupMode::kAdding) {
    outcome = store::CreateGroup(db_, name);
  } else {
    outcome = store::RenameGroup(db_, rename_from_, name);
  }
  if (const std::optional<Toast> toast = GroupToast(outcome)) actions_.toast(toast->kind, toast->text);
  if (!store::Changed(outcome)) return;
  if (outcome == store::GroupOutcome::kCreated) {
    actions_.fill_category_bar(store::BuildCategoryList(db_));
  } else {
    // The cell shows the new name in grey; the bar is not rebuilt and the shown category stays.
    const auto& cells = bar_.model().cells();
    std::size_t cell = static_cast<std::size_t>(rename_cell_);
    if (rename_cell_ < 0 || cell >= cells.size() || cells[cell].caption != rename_from_) {
      for (cell = 0; cell < cells.size() && cells[cell].caption != rename_from_; ++cell) {
      }
    }
    if (cell < cells.size()) bar_.SetCaption(cell, name, toolkit::kHoverCaptionColour);
    // The shown category follows its table: its items stay on show and new ones can be added.
    if (at_.category == rename_from_) actions_.shown_group_renamed(name);
    rename_from_ = name;  // a second confirm renames on from here
  }
  Close(*group_.panel);
}

}  // namespace velora::ui
