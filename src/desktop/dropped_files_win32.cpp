#include "desktop/dropped_files_win32.h"

#include "text/utf.h"

namespace velora::desktop {

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  names.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first, so a long name comes back whole and is refused as a whole
    // rather than cut into a path that names something else.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(copied);
    names.push_back(text::Narrow(name));
  }
  DragFinish(drop);
  return names;
}

}  // namespace velora::desktop
