#include "exec/grid_model.h"

#include <algorithm>
#include <utility>

#include "exec/grid_paging.h"
#include "exec/item_kind.h"
#include "exec/item_texts.h"
#include "exec/names.h"
#include "exec/suffix_icon.h"
#include "text/hex.h"

namespace velora::exec {
namespace {

// Before a found item's category in its tip.
constexpr std::string_view kFoundInTip = "所在分类：";

}  // namespace

ImageBytes CellImage(const store::ItemRow& row, const std::filesystem::path& data_dir) {
  const std::string_view suffix_text = row.suffix ? std::string_view(*row.suffix) : std::string_view{};
  const std::string_view icon = row.icon ? std::string_view(*row.icon) : std::string_view{};
  if (IsPictureExtension(suffix_text)) return ImageBytes::Owned(text::HexDecodeLenient(icon));
  return SuffixIcon(suffix_text, icon, row.code, data_dir);
}

GridCell CellOfRow(const store::ItemRow& row, const std::filesystem::path& data_dir) {
  return {true, row.code, CaptionOfName(row.name.value_or(std::string())), CellImage(row, data_dir)};
}

bool PressCapturesMouse(std::string_view code) {
  switch (KindOfCode(code).kind) {
    case ItemKind::kMacro:
    case ItemKind::kFunction:
    case ItemKind::kTextSnippet:
    case ItemKind::kPicture:
      return true;
    default:
      return false;
  }
}

GridModel::GridModel(store::Database& db, std::filesystem::path data_dir, LaunchPort& launch, Navigation& at)
    : db_(db), data_dir_(std::move(data_dir)), launch_(launch), at_(at) {}

void GridModel::SetCategory(std::string table) {
  at_.category = std::move(table);
  at_.page = 0;
}

void GridModel::SetCapacity(int capacity) { at_.capacity = ClampCapacity(capacity); }

void GridModel::SetPage(int page) { at_.page = page < 0 ? 0 : page; }

void GridModel::Refresh() {
  const int capacity = this->capacity();
  if (at_.page < 0) at_.page = 0;
  codes_.clear();
  found_categories_.clear();
  cells_.clear();
  cells_.resize(static_cast<std::size_t>(capacity));
  if (found_) {
    RefreshFound();
    KeepSelectionOnItems();
    return;
  }
  const auto read = [&] {
    const std::size_t first = static_cast<std::size_t>(at_.page) * static_cast<std::size_t>(capacity);
    return pages_.Read(db_, at_.category, first, static_cast<std::size_t>(capacity));
  };
  store::ItemPage slice = read();
  // Items removed since the page was chosen may leave it past the last one the wheel reaches.
  if (at_.page > LastPage(slice.total, capacity)) {
    at_.page = LastPage(slice.total, capacity);
    slice = read();
  }
  item_count_ = slice.total;
  for (std::size_t i = 0; i < slice.rows.size() && i < cells_.size(); ++i) {
    cells_[i] = CellOfRow(slice.rows[i], data_dir_);
    codes_.push_back(std::move(slice.rows[i].code));
  }
  KeepSelectionOnItems();
}

void GridModel::RefreshFound() {
  const std::size_t capacity = cells_.size();
  item_count_ = found_->size();
  if (static_cast<std::size_t>(at_.page) * capacity >= item_count_) at_.page = 0;
  const std::size_t first = static_cast<std::size_t>(at_.page) * capacity;
  for (std::size_t i = first; i < item_count_ && codes_.size() < capacity; ++i) {
    const FoundItem& found = (*found_)[i];
    // An item removed since the query ran leaves no hole.
    const std::optional<store::ItemRow> row = store::ReadItem(db_, found.category, found.code);
    if (!row) continue;
    cells_[codes_.size()] = CellOfRow(*row, data_dir_);
    codes_.push_back(found.code);
    found_categories_.push_back(found.category);
  }
}

void GridModel::ShowFound(std::vector<FoundItem> found) {
  if (!found_) page_before_find_ = at_.page;
  found_ = std::move(found);
  at_.page = 0;
  selected_ = 0;
}

void GridModel::EndFind() {
  if (!found_) return;
  found_.reset();
  at_.page = page_before_find_;
  selected_.reset();
}

const std::string* GridModel::CategoryAt(int cell) const {
  if (!CodeAt(cell)) return nullptr;
  return found_ ? &found_categories_[static_cast<std::size_t>(cell)] : &at_.category;
}

void GridModel::KeepSelectionOnItems() {
  if (!selected_) return;
  if (codes_.empty()) {
    selected_.reset();
  } else if (static_cast<std::size_t>(*selected_) >= codes_.size()) {
    selected_ = static_cast<int>(codes_.size()) - 1;
  }
}

bool GridModel::MoveSelection(SelectionMove move, int columns) {
  if (item_count_ == 0) return false;
  const long long capacity = this->capacity();
  const long long last = static_cast<long long>(item_count_) - 1;
  const bool page_key = move == SelectionMove::kPageUp || move == SelectionMove::kPageDown;
  if (!selected_ && !page_key) {
    if (!codes_.empty()) selected_ = 0;
    return false;
  }
  const long long at = at_.page * capacity + selected_.value_or(0);
  long long to = at;
  switch (move) {
    case SelectionMove::kLeft:
      to = at - 1;
      break;
    case SelectionMove::kRight:
      to = at + 1;
      break;
    case SelectionMove::kUp:
      to = at - columns;
      break;
    case SelectionMove::kDown:
      to = at + columns;
      break;
    case SelectionMove::kHome:
      to = 0;
      break;
    case SelectionMove::kEnd:
      to = last;
      break;
    case SelectionMove::kPageUp:
      to = at - capacity;
      break;
    case SelectionMove::kPageDown:
      to = at + capacity;
      break;
  }
  // A row above the first or below the last item stays where it is; so does a step off either end.
  if ((move == SelectionMove::kUp || move == SelectionMove::kDown) && (to < 0 || to > last)) to = at;
  to = std::clamp(to, 0LL, last);
  const int page = static_cast<int>(to / capacity);
  const bool turned = page != at_.page;
  if (turned) {
    at_.page = page;
    Refresh();
  }
  selected_ = static_cast<int>(to % capacity);
  KeepSelectionOnItems();
  return turned;
}

bool GridModel::Select(int cell) {
  if (!CodeAt(cell)) return false;
  selected_ = cell;
  return true;
}

std::string GridModel::DescriptionAt(int cell) const {
  const std::string* code = CodeAt(cell);
  return code ? DescriptionOfCode(*code) : std::string();
}

bool GridModel::LaunchSelected() {
  if (!selected_ || !CodeAt(*selected_)) return false;
  LaunchCell(*selected_);
  return true;
}

bool GridModel::MakeSelectedCurrent() {
  if (!selected_ || !CodeAt(*selected_)) return false;
  current_item_ = selected_;
  return true;
}

const std::string* GridModel::CodeAt(int cell) const {
  if (cell < 0 || static_cast<std::size_t>(cell) >= codes_.size()) return nullptr;
  return &codes_[static_cast<std::size_t>(cell)];
}

void GridModel::SetCellImage(int cell, ImageBytes image) {
  if (cell < 0 || static_cast<std::size_t>(cell) >= cells_.size()) return;
  cells_[static_cast<std::size_t>(cell)].image = std::move(image);
}

bool GridModel::Wheel(int wheel_delta) {
  const int before = at_.page;
  at_.page = PageAfterWheel(at_.page, wheel_delta, item_count_, capacity());
  Refresh();
  return at_.page != before;
}

bool GridModel::Press(int cell) {
  current_item_ = cell;
  const std::string* code = CodeAt(cell);
  return code && PressCapturesMouse(*code);
}

ClickOutcome GridModel::FinishClick(bool double_click_opens) {
  if (!current_item_ || !CodeAt(*current_item_)) return ClickOutcome::kNothing;
  if (double_click_opens) return ClickOutcome::kCaptionDrag;
  LaunchCell(*current_item_);
  return ClickOutcome::kLaunched;
}

bool GridModel::DoubleClick(int cell, bool double_click_opens) {
  if (!double_click_opens || !CodeAt(cell)) return false;
  LaunchCell(cell);
  return true;
}

bool GridModel::RightClick(int cell) {
  if (!CodeAt(cell)) return false;
  current_item_ = cell;
  return true;
}

bool GridModel::CurrentIsWebItem() const {
  const std::string* code = current_item_ ? CodeAt(*current_item_) : nullptr;
  return code && code->starts_with(prefix::kWeb);
}

std::string GridModel::TipAt(int cell) const {
  const std::string* code = CodeAt(cell);
  if (!code) return {};
  std::string tip = TipOfCode(*code);
  if (found_) {
    if (!tip.empty()) tip += '\n';
    tip.append(kFoundInTip).append(*CategoryAt(cell));
  }
  return tip;
}

void GridModel::LaunchCurrent() {
  if (current_item_) LaunchCell(*current_item_);
}

void GridModel::LaunchCell(int cell) {
  const std::string* code = CodeAt(cell);
  if (!code) return;
  launch_.Launch({*CategoryAt(cell), cell, *code});
}

}  // namespace velora::exec
