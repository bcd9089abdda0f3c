#include "ui/recent_list.h"

#include "desktop/shell_context_menu_win32.h"
#include "toolkit/list_view.h"

namespace velora::ui {
namespace {

constexpr int kPathColumn = 0;  // hidden: the file in the Recent folder
constexpr int kNameColumn = 1;
constexpr int kExtensionWidth = 70;
constexpr int kModifiedWidth = 170;  // the whole date and time in the list's font
constexpr int kMinimumNameWidth = 60;
constexpr std::string_view kNameTitle = "文件名";
constexpr std::string_view kExtensionTitle = "扩展名";
constexpr std::string_view kModifiedTitle = "修改日期";
// The name column takes what the others leave.
constexpr toolkit::ListViewLook kLook{30, 0xFF2C324A, kNameColumn, kNameColumn};

}  // namespace

RecentList::RecentList(toolkit::ListView& list, HWND window, Actions actions,
                       acquire::RecentReader::FolderSource folder)
    : list_(list), window_(window), actions_(std::move(actions)), reader_(window, std::move(folder)) {
  list_.AddColumn("", 0);
  list_.AddColumn(kNameTitle, kMinimumNameWidth);
  list_.AddColumn(kExtensionTitle, kExtensionWidth);
  list_.AddColumn(kModifiedTitle, kModifiedWidth);
  list_.SetLook(kLook);
  list_.focus_on_enter = true;
  list_.on_row_hover = [this](int row) { OnHover(row); };
  list_.on_row_activate = [this](int row) { OnActivate(row); };
  list_.on_row_right_click = [this](int row) { OnRightClick(row); };
}

bool RecentList::shown() const {
  // The list's own flag: while the panel is hidden (a summon refills first) it still counts.
  return list_.hwnd() && (GetWindowLongW(list_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void RecentList::Toggle() {
  if (shown()) return Hide();
  list_.Show(true);
  SetWindowPos(list_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Refill();
}

void RecentList::Hide() {
  if (!shown()) return;
  list_.Show(false);
  if (actions_.show_tip) actions_.show_tip(false, "");
}

void RecentList::RefillIfVisible() {
  if (shown()) Refill();
}

void RecentList::Refill() { (void)reader_.Refill(); }

void RecentList::Deliver(const acquire::RecentListing& listing) {
  if (!reader_.IsLatest(listing)) return;
  Fill(listing.rows);
}

void RecentList::Fill(const std::vector<acquire::RecentRow>& rows) {
  list_.SuspendRedraw();
  list_.Clear();
  targets_.clear();
  for (const acquire::RecentRow& row : rows) {
    if (list_.AddRow({row.path, row.name, row.extension, row.modified}) < 0) break;
    targets_.push_back(row.target);
  }
  list_.ResumeRedraw();
}

void RecentList::OnHover(int row) {
  if (!actions_.show_tip) return;
  const bool on_target =
      row >= 0 && static_cast<std::size_t>(row) < targets_.size() && !targets_[row].empty();
  actions_.show_tip(on_target, on_target ? targets_[row] : std::string_view());
}

void RecentList::OnActivate(int row) {
  if (actions_.show_tip) actions_.show_tip(false, "");
  if (actions_.open_target) actions_.open_target(list_.CellText(row, kPathColumn));
}

void RecentList::OnRightClick(int row) {
  if (actions_.show_tip) actions_.show_tip(false, "");
  (void)desktop::ShowShellContextMenu(window_, list_.CellText(row, kPathColumn));
}

}  // namespace velora::ui
