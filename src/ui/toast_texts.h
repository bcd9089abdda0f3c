#pragma once
// The window's words for what the user's actions did.
#include <string_view>

#include "core/toast_kind.h"

namespace velora::ui {

inline constexpr std::string_view ToastKindText(core::ToastKind kind) {
  return kind == core::ToastKind::kDone ? "完成" : "失败";
}

}  // namespace velora::ui
