#pragma once
// The category bar's content: one button cell per category, widths from the measured caption,
// laid out in one row that scrolls sideways when it is wider than the bar.
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

  // Rebuilds every cell. The cell captioned `selected` is selected and scrolled into view; when
  // there is none, the first is, and the row starts at its beginning. Returns the selected
  // caption, empty for an empty bar.
  std::string Fill(const std::vector<std::string>& names, std::uint32_t text_colour,
                   std::string_view selected = {});
  // Makes the cell at `index` the only selected one, scrolls it into view and returns its
  // caption, the new current category; nothing when the index is outside the bar.
  std::optional<std::string> Select(std::size_t index);
  // Selecting by hover rewrites every caption in grey.
  std::optional<std::string> HoverSelect(std::size_t index);
  void SetCaption(std::size_t index, std::string caption, std::uint32_t colour);

  const std::vector<CategoryCell>& cells() const { return cells_; }
  // The cell under a horizontal position from the bar's left edge, if any.
  std::optional<std::size_t> CellAt(int x) const;

  // The bar shows `view_width` design pixels of the row, starting `offset()` pixels into it.
  void SetViewWidth(int view_width);
  int offset() const { return offset_; }
  int RowWidth() const;
  // Moves the row by `delta` design pixels (positive: towards its end), never past either end.
  void ScrollBy(int delta);
  // Whether cells lie hidden past the left or the right edge of the bar.
  bool HiddenBefore() const { return offset_ > 0; }
  bool HiddenAfter() const { return offset_ + view_width_ < RowWidth(); }

 private:
  int CellLeft(std::size_t index) const;
  // Scrolls the least that shows the whole cell (its start, when it is wider than the bar).
  void ScrollIntoView(std::size_t index);
  void ClampOffset();

  Measure measure_;
  std::vector<CategoryCell> cells_;
  int view_width_ = 0;
  int offset_ = 0;
};

}  // namespace velora::toolkit
