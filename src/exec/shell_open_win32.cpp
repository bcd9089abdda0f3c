#include "exec/shell_open_win32.h"

#include <windows.h>
// After windows.h, whose types these use.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
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

ShellOpener::ShellOpener() : worker_([queue = queue_] { Run(queue); }) {}

ShellOpener::~ShellOpener() {
  (void)WaitUntilIdle(2000);
  {
    std::lock_guard lock(queue_->mutex);
    queue_->stopping = true;
    queue_->requests.clear();
  }
  queue_->changed.notify_all();
  if (WaitUntilIdle(500)) {
    worker_.join();
  } else {
    worker_.detach();  // stuck in a handler: it keeps its queue alive, and the process ends around it
  }
}

void ShellOpener::Post(std::function<void()> request) {
  {
    std::lock_guard lock(queue_->mutex);
    queue_->requests.push_back(std::move(request));
  }
  queue_->changed.notify_all();
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

bool ShellOpener::WaitUntilIdle(unsigned milliseconds) {
  std::unique_lock lock(queue_->mutex);
  return queue_->changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [this] { return queue_->requests.empty() && !queue_->busy; });
}

void ShellOpener::Run(const std::shared_ptr<Queue>& queue) {
  core::Guarded("shell open worker", [&] {
    const core::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    for (;;) {
      std::function<void()> request;
      {
        std::unique_lock lock(queue->mutex);
        queue->changed.wait(lock, [&] { return queue->stopping || !queue->requests.empty(); });
        if (queue->requests.empty()) return;  // stopping
        request = std::move(queue->requests.front());
        queue->requests.pop_front();
        queue->busy = true;
      }
      core::Guarded("shell open", request);
      {
        std::lock_guard lock(queue->mutex);
        queue->busy = false;
      }
      queue->changed.notify_all();
    }
  });
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
