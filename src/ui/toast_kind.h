#pragma once
// The two kinds of toast through which user actions report their results.
#include <string_view>

namespace velora::ui {

enum class ToastKind { kDone, kFailed };

inline constexpr std::string_view ToastKindText(ToastKind kind) {
  return kind == ToastKind::kDone ? "完成" : "失败";
}

}  // namespace velora::ui
