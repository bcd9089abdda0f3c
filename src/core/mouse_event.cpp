#include "core/mouse_event.h"

namespace velora::core {
namespace {

// The system's numbers, kept here so the table needs no Win32 header.
constexpr unsigned kLeftButtonDown = 0x0201;
constexpr unsigned kMiddleButtonDoubleClick = 0x0209;
constexpr unsigned kMouseWheel = 0x020A;
constexpr unsigned kSideButtonDown = 0x020B;
constexpr unsigned kSideButtonUp = 0x020C;
constexpr std::uint32_t kLowerSideButton = 1;
constexpr std::uint32_t kUpperSideButton = 2;

}  // namespace

MouseEvent ClassifyMouseMessage(unsigned message, std::uint32_t mouse_data) {
  // Left, right and middle come in runs of three: down, up, double click.
  if (message >= kLeftButtonDown && message <= kMiddleButtonDoubleClick) {
    const int offset = static_cast<int>(message - kLeftButtonDown);
    return {offset / 3 + 1, offset % 3 + 1};
  }
  const std::uint32_t high = mouse_data >> 16;
  if (message == kMouseWheel) {
    const auto delta = static_cast<std::int16_t>(high);
    if (delta > 0) return {4, 4};
    if (delta < 0) return {4, 5};
    return {};
  }
  if (message == kSideButtonDown || message == kSideButtonUp) {
    const int action = message == kSideButtonDown ? 1 : 2;
    if (high == kUpperSideButton) return {5, action};
    if (high == kLowerSideButton) return {6, action};
  }
  return {};
}

}  // namespace velora::core
