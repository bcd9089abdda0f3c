#pragma once
// The shared value types, named in the window code without their namespace.
#include "core/appearance.h"
#include "core/geometry.h"
#include "core/toast_kind.h"

namespace velora::ui {

using core::Appearance;
using core::MonitorArea;
using core::Point;
using core::Rect;
using core::Scale;
using core::Size;
using core::ToastKind;

}  // namespace velora::ui
