#include "acquire/shell_path_facts_win32.h"

#include <windows.h>

#include "exec/shell_open_win32.h"
#include "text/utf.h"

namespace velora::acquire {
namespace {

// The attributes, or nothing for a path that names nothing (a drive root works as well).
std::optional<DWORD> Attributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(text::Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

}  // namespace

bool ShellPathFacts::IsFolder(const std::string& path) {
  const auto attributes = Attributes(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ShellPathFacts::IsFile(const std::string& path) {
  const auto attributes = Attributes(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<exec::ShortcutTarget> ShellPathFacts::ResolveShortcut(const std::string& path) {
  return exec::ResolveShortcutFile(path);
}

}  // namespace velora::acquire
