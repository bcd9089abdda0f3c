#include "acquire/missing_items_win32.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlwapi.h>

#include "text/utf.h"

namespace velora::acquire {
namespace {

// "C:\" or "\\server\share\" of a path; empty when it names no root.
std::wstring RootOf(const std::wstring& path) {
  std::wstring root = path;
  root.resize(root.size() + MAX_PATH);  // PathStripToRoot works in place
  if (!PathStripToRootW(root.data())) return {};
  root.resize(wcslen(root.c_str()));
  if (!root.empty() && root.back() != L'\\') root += L'\\';
  return root;
}

// Whether the root's answer can be trusted: a fixed or RAM drive always, any other only when it
// answers now.
bool RootAnswers(const std::wstring& root) {
  switch (GetDriveTypeW(root.c_str())) {
    case DRIVE_FIXED:
    case DRIVE_RAMDISK:
      return true;
    case DRIVE_NO_ROOT_DIR:  // an unplugged drive's letter is gone
      return false;
    default:  // removable, optical, network or unknown
      return GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
}

}  // namespace

PathPresence ProbePath(const std::string& utf8_path) {
  const std::wstring path = text::Widen(utf8_path);
  const std::wstring root = RootOf(path);
  if (root.empty() || !RootAnswers(root)) return PathPresence::kUnknown;
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return PathPresence::kPresent;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathPresence::kMissing
                                                                        : PathPresence::kUnknown;
}

bool MissingItemsChecker::Start(const std::string& table, const std::vector<FileItem>& items,
                                std::function<void(MissingItemsFound)> done) {
  if (worker_.Busy()) return false;
  return worker_.Post(
      [table, items] {
        // A drive without its medium answers with an error, not with the system's "insert a disk" box.
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
        return MissingItemsFound{table, FindMissing(items, ProbePath)};
      },
      std::move(done),
      [table, unchecked = items.size()] {
        return MissingItemsFound{table, {{}, unchecked}};
      });
}

}  // namespace velora::acquire
