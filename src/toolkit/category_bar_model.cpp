#include "toolkit/category_bar_model.h"

namespace velora::toolkit {

void CategoryBarModel::Fill(const std::vector<std::string>& names, std::uint32_t text_colour) {
  cells_.clear();
  cells_.reserve(names.size());
  for (const std::string& name : names) {
    cells_.push_back({name, measure_(name) + 10, text_colour, cells_.empty()});
  }
}

std::optional<std::string> CategoryBarModel::Select(std::size_t index) {
  if (index >= cells_.size()) return std::nullopt;
  for (std::size_t i = 0; i < cells_.size(); ++i) cells_[i].selected = i == index;
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
}

std::optional<std::size_t> CategoryBarModel::CellAt(int x) const {
  int left = 0;
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    if (x >= left && x < left + cells_[i].width) return i;
    left += cells_[i].width;
  }
  return std::nullopt;
}

}  // namespace velora::toolkit
