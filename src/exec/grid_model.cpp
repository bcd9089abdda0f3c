#include "exec/grid_model.h"

#include <utility>

#include "exec/grid_paging.h"
#include "exec/item_kind.h"
#include "exec/item_texts.h"
#include "exec/names.h"
#include "exec/suffix_icon.h"
#include "text/hex.h"

namespace velora::exec {

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
  codes_.clear();
  cells_.clear();
  cells_.resize(static_cast<std::size_t>(capacity));
  for (std::size_t i = 0; i < slice.rows.size() && i < cells_.size(); ++i) {
    cells_[i] = CellOfRow(slice.rows[i], data_dir_);
    codes_.push_back(std::move(slice.rows[i].code));
  }
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
  return code ? TipOfCode(*code) : std::string();
}

void GridModel::LaunchCurrent() {
  if (current_item_) LaunchCell(*current_item_);
}

void GridModel::LaunchCell(int cell) {
  const std::string* code = CodeAt(cell);
  if (!code) return;
  launch_.Launch({at_.category, cell, *code});
}

}  // namespace velora::exec
