#pragma once
// The two kinds of toast through which user actions report their results; the window words them.
namespace velora::core {

enum class ToastKind { kDone, kFailed };

}  // namespace velora::core
