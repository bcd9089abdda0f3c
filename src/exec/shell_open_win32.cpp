#include "exec/shell_open_win32.h"

#include <windows.h>
// After windows.h, whose types these use.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "core/com_apartment_win32.h"
#include "core/guarded.h"
#include "core/handles_win32.h"
#include "core/log_file.h"
#include "core/system_error_win32.h"
#include "text/utf.h"

namespace velora::exec {
namespace {

int SpecialLocation(Place place) {
  switch (place) {
    case Place::kThisPc:
      return CSIDL_DRIVES;
    case Place::kRecycleBin:
      return CSIDL_BITBUCKET;
    case Place::kControlPanel:
      return CSIDL_CONTROLS;
    case Place::kDesktop:
      return CSIDL_DESKTOP;
    case Place::kUnknown:
      break;
  }
  return -1;
}

void ShellOpenNow(const std::string& file, const std::string& parameters) {
  const std::wstring wide_file = text::Widen(file);
  const std::wstring wide_parameters = text::Widen(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = wide_file.c_str();
  info.lpParameters = wide_parameters.empty() ? nullptr : wide_parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  // The user hears nothing more of a file the shell cannot open; the log keeps why.
  if (!ShellExecuteExW(&info))
    core::LogFailure("shell open", file + ": " + core::SystemErrorText(GetLastError()));
}

void OpenPlaceNow(Place place) {
  const int location = SpecialLocation(place);
  if (location < 0) return;
  ITEMIDLIST* raw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, location, &raw))) return;
  const core::UniqueIdList list(raw);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_IDLIST | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpIDList = list.get();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) {
    core::LogFailure("shell open",
                     "place " + std::to_string(location) + ": " + core::SystemErrorText(GetLastError()));
  }
}

}  // namespace

void ShellOpener::Post(std::function<void()> request) {
  (void)queue_.Post(std::move(request));  // the queue logs a worker it could not start
}

void ShellOpener::Open(std::string file, std::string parameters) {
  Post([file = std::move(file), parameters = std::move(parameters)] { ShellOpenNow(file, parameters); });
}

void ShellOpener::OpenShortcutTarget(std::string link) {
  Post([link = std::move(link)] {
    if (const std::optional<ShortcutTarget> target = ResolveShortcutFile(link)) {
      ShellOpenNow(target->target, target->arguments);
    }
  });
}

void ShellOpener::OpenPlace(Place place) {
  Post([place] { OpenPlaceNow(place); });
}

std::optional<ShortcutTarget> ResolveShortcutFile(const std::string& path) {
  return core::Guarded(
      "shortcut resolution",
      [&]() -> std::optional<ShortcutTarget> {
        const core::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        core::ComPtr<IShellLinkW> link;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(link.GetAddressOf())))) {
          return std::nullopt;
        }
        core::ComPtr<IPersistFile> file;
        if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.GetAddressOf()))))
          return std::nullopt;
        if (FAILED(file->Load(text::Widen(path).c_str(), STGM_READ))) return std::nullopt;
        wchar_t target[MAX_PATH * 4] = {};
        if (FAILED(link->GetPath(target, static_cast<int>(std::size(target)), nullptr, SLGP_UNCPRIORITY)) ||
            !target[0]) {
          return std::nullopt;
        }
        wchar_t arguments[4096] = {};
        if (FAILED(link->GetArguments(arguments, static_cast<int>(std::size(arguments))))) arguments[0] = 0;
        return ShortcutTarget{text::Narrow(target), text::Narrow(arguments)};
      },
      [] { return std::optional<ShortcutTarget>(); });
}

}  // namespace velora::exec
