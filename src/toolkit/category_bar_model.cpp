#include "toolkit/category_bar_model.h"

#include <algorithm>

namespace velora::toolkit {

std::string CategoryBarModel::Fill(const std::vector<std::string>& names, std::uint32_t text_colour,
                                   std::string_view selected) {
  cells_.clear();
  cells_.reserve(names.size());
  for (const std::string& name : names) cells_.push_back({name, measure_(name) + 10, text_colour, false});
  offset_ = 0;
  if (cells_.empty()) return {};
  const auto found = std::find(names.begin(), names.end(), selected);
  return *Select(found == names.end() ? 0 : static_cast<std::size_t>(found - names.begin()));
}

std::optional<std::string> CategoryBarModel::Select(std::size_t index) {
  if (index >= cells_.size()) return std::nullopt;
  for (std::size_t i = 0; i < cells_.size(); ++i) cells_[i].selected = i == index;
  ScrollIntoView(index);
  return cells_[index].caption;
}

std::optional<std::string> CategoryBarModel::HoverSelect(std::size_t index) {
  std::optional<std::string> chosen = Select(index);
  if (chosen) {
    for (CategoryCell& cell : cells_) cell.colour = kHoverCaptionColour;
  }
  return chosen;
}

void CategoryBarModel::SetCaption(std::size_t index, std::string caption, std::uint32_t colour) {
  if (index >= cells_.size()) return;
  cells_[index].width = measure_(caption) + 10;
  cells_[index].caption = std::move(caption);
  cells_[index].colour = colour;
  ClampOffset();
}

std::optional<std::size_t> CategoryBarModel::CellAt(int x) const {
  if (x < 0) return std::nullopt;
  int left = -offset_;
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    if (x >= left && x < left + cells_[i].width) return i;
    left += cells_[i].width;
  }
  return std::nullopt;
}

void CategoryBarModel::SetViewWidth(int view_width) {
  view_width_ = std::max(0, view_width);
  ClampOffset();
}

int CategoryBarModel::RowWidth() const {
  int width = 0;
  for (const CategoryCell& cell : cells_) width += cell.width;
  return width;
}

int CategoryBarModel::CellLeft(std::size_t index) const {
  int left = 0;
  for (std::size_t i = 0; i < index && i < cells_.size(); ++i) left += cells_[i].width;
  return left;
}

void CategoryBarModel::ScrollBy(int delta) {
  offset_ += delta;
  ClampOffset();
}

void CategoryBarModel::ScrollIntoView(std::size_t index) {
  if (view_width_ <= 0) return;  // not laid out yet
  const int left = CellLeft(index);
  const int right = left + cells_[index].width;
  if (right > offset_ + view_width_) offset_ = right - view_width_;
  if (left < offset_) offset_ = left;
  ClampOffset();
}

void CategoryBarModel::ClampOffset() {
  offset_ = std::clamp(offset_, 0, std::max(0, RowWidth() - view_width_));
}

}  // namespace velora::toolkit
