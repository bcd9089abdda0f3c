#include "support/shell_link_win32.h"

#include <windows.h>
// After windows.h, whose types these use.
#include <objbase.h>
#include <shlobj.h>

namespace velora::testing {

bool WriteShellLink(const std::filesystem::path& link_path, const std::wstring& target,
                    const std::wstring& arguments) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(target.c_str());
  if (!arguments.empty()) link->SetArguments(arguments.c_str());
  IPersistFile* file = nullptr;
  const bool saved = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                     SUCCEEDED(file->Save(link_path.c_str(), TRUE));
  if (file) file->Release();
  link->Release();
  return saved;
}

}  // namespace velora::testing
