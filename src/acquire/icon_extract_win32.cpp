#include "acquire/icon_extract_win32.h"

#include <windows.h>

#include "core/guarded.h"
#include "core/handles_win32.h"
#include "formats/icon_file.h"
#include "settings/atomic_file.h"

namespace velora::acquire {
namespace {

// The bytes of one resource; they live as long as the module stays loaded.
std::optional<std::string_view> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

BOOL CALLBACK TakeFirstGroup(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
  // A string name lives only during the enumeration, so the group is copied out here.
  core::Guarded("icon group enumeration", [&] {
    if (const auto bytes = ResourceBytes(module, name, type)) {
      *reinterpret_cast<std::optional<std::string>*>(found) = std::string(*bytes);
    }
  });
  return FALSE;  // the first group is the program's icon
}

}  // namespace

std::optional<std::string> FirstIconGroupFile(const std::filesystem::path& module_path) {
  // As data and as an image resource: nothing of the program runs, and a 32-bit program reads as
  // well as a 64-bit one.
  const core::UniqueModule module(LoadLibraryExW(module_path.c_str(), nullptr,
                                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return std::nullopt;
  std::optional<std::string> group;
  EnumResourceNamesW(module.get(), RT_GROUP_ICON, TakeFirstGroup, reinterpret_cast<LONG_PTR>(&group));
  if (!group) return std::nullopt;
  return formats::IconFileOfGroup(
      *group, [&](std::uint16_t id) { return ResourceBytes(module.get(), MAKEINTRESOURCEW(id), RT_ICON); });
}

bool ExtractProgramIcon(const std::filesystem::path& program, const std::filesystem::path& icon_file) {
  const std::optional<std::string> file = FirstIconGroupFile(program);
  return file && settings::WriteFileAtomically(icon_file, *file);
}

}  // namespace velora::acquire
