#include "ui/tip_text.h"

#include "text/gbk.h"

namespace velora::ui {
namespace {

// Bytes of the UTF-8 character that starts at `at`; a stray byte counts alone.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return at + n <= text.size() ? n : text.size() - at;
}

}  // namespace

bool TipShown(bool startup_complete, bool tips_off, bool on, std::string_view text) {
  return startup_complete && !tips_off && on && !text.empty();
}

std::string TipText(std::string_view text) {
  if (text::GbkLength(text) <= kTipMaxBytes) return std::string(text);
  std::size_t bytes = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t n = CharacterLength(text, end);
    const std::size_t gbk = n == 1 ? 1 : text::GbkLength(text.substr(end, n));
    if (bytes + gbk > kTipMaxBytes) break;
    bytes += gbk;
    end += n;
  }
  return std::string(text.substr(0, end)) + std::string(kTipEllipsis);
}

TipPlacement PlaceTip(Point pointer, Size text_size) {
  // The window's border takes a pixel on each side; the label keeps the text's whole height.
  return {{1, 1, text_size.width + 3, text_size.height},
          {pointer.x, pointer.y + kTipPointerGap, text_size.width + 5, text_size.height + 2}};
}

}  // namespace velora::ui
