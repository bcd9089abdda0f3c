#pragma once
// The category bar's content: one button cell per category, widths from the measured caption.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::toolkit {

inline constexpr std::uint32_t kHoverCaptionColour = 0xFF696969;
inline constexpr int kCategoryCellHeight = 38;

struct CategoryCell {
  std::string caption;
  int width = 0;  // measured caption width + 10, design pixels
  std::uint32_t colour = 0;
  bool selected = false;
};

class CategoryBarModel {
 public:
  // Caption width in "微软雅黑" 14 at 96 DPI.
  using Measure = std::function<int(std::string_view caption)>;

  explicit CategoryBarModel(Measure measure) : measure_(std::move(measure)) {}

  // Rebuilds every cell; the first is selected.
  void Fill(const std::vector<std::string>& names, std::uint32_t text_colour);
  // Makes the cell at `index` the only selected one and returns its caption, the new current
  // category; nothing when the index is outside the bar.
  std::optional<std::string> Select(std::size_t index);
  // Selecting by hover rewrites every caption in grey.
  std::optional<std::string> HoverSelect(std::size_t index);
  void SetCaption(std::size_t index, std::string caption, std::uint32_t colour);

  const std::vector<CategoryCell>& cells() const { return cells_; }
  // The cell under a horizontal position from the bar's left edge, if any.
  std::optional<std::size_t> CellAt(int x) const;

 private:
  Measure measure_;
  std::vector<CategoryCell> cells_;
};

}  // namespace velora::toolkit
