#include "e2e/file_drop.h"

#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>

#include "e2e/drop_request.h"
#include "e2e/remote_block.h"
#include "e2e/velora_process.h"

namespace velora::e2e {
namespace {

constexpr DWORD kRemoteCallLimitMs = 10000;

HWND AcceptingWindowAt(POINT at) {
  HWND desktop = GetDesktopWindow();
  for (HWND w = WindowFromPoint(at); w && w != desktop; w = GetAncestor(w, GA_PARENT)) {
    if (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return w;
  }
  return nullptr;
}

std::wstring ModuleName(HANDLE process, HMODULE module) {
  wchar_t name[MAX_PATH] = {};
  K32GetModuleBaseNameW(process, module, name, MAX_PATH);
  return name;
}

// The base of the module called `name` in `process`.
std::optional<ULONG_PTR> RemoteModule(HANDLE process, const std::wstring& name) {
  HMODULE modules[1024] = {};
  DWORD needed = 0;
  if (!K32EnumProcessModulesEx(process, modules, sizeof modules, &needed, LIST_MODULES_ALL))
    return std::nullopt;
  const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), 1024);
  for (DWORD i = 0; i < count; ++i) {
    if (_wcsicmp(ModuleName(process, modules[i]).c_str(), name.c_str()) == 0) {
      return reinterpret_cast<ULONG_PTR>(modules[i]);
    }
  }
  return std::nullopt;
}

// Where the code at `local` (in a module loaded here) sits in `process`, which may have loaded
// that module at another base. Functions of kernel32 may live in another module (forwarded), so
// the module is the one holding the address, not the one it was asked from.
std::optional<ULONG_PTR> RemoteAddress(HANDLE process, const void* local) {
  HMODULE own = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<const wchar_t*>(local), &own)) {
    return std::nullopt;
  }
  const std::optional<ULONG_PTR> base = RemoteModule(process, ModuleName(GetCurrentProcess(), own));
  if (!base) return std::nullopt;
  return *base + (reinterpret_cast<ULONG_PTR>(local) - reinterpret_cast<ULONG_PTR>(own));
}

// Runs the one-argument function at `start` on a new thread of `process`; its exit code.
std::optional<DWORD> CallRemote(HANDLE process, ULONG_PTR start, const void* argument) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                     const_cast<void*>(argument), 0, nullptr);
  if (!thread) return std::nullopt;
  std::optional<DWORD> code;
  DWORD exit_code = 0;
  if (WaitForSingleObject(thread, kRemoteCallLimitMs) == WAIT_OBJECT_0 &&
      GetExitCodeThread(thread, &exit_code)) {
    code = exit_code;
  }
  CloseHandle(thread);
  return code;
}

// The agent library, loaded here too, to learn where its entry lies inside it.
class LocalAgent {
 public:
  explicit LocalAgent(const std::filesystem::path& path) : module_(LoadLibraryW(path.c_str())) {}
  ~LocalAgent() {
    if (module_) FreeLibrary(module_);
  }
  LocalAgent(const LocalAgent&) = delete;
  LocalAgent& operator=(const LocalAgent&) = delete;
  ULONG_PTR base() const { return reinterpret_cast<ULONG_PTR>(module_); }
  const void* entry() const {
    return module_ ? reinterpret_cast<const void*>(GetProcAddress(module_, kDropAgentEntry)) : nullptr;
  }

 private:
  HMODULE module_;
};

// The request block: the agent's path (for LoadLibraryW), then the request and its name list.
struct Layout {
  std::wstring agent;
  std::wstring names;  // each name and its zero, then one more zero
  SIZE_T request_at = 0;
  SIZE_T size = 0;
};

Layout LayOut(const std::filesystem::path& agent, const std::vector<std::filesystem::path>& files) {
  Layout layout;
  layout.agent = agent.wstring();
  for (const auto& file : files) {
    layout.names += file.wstring();
    layout.names.push_back(L'\0');
  }
  layout.names.push_back(L'\0');
  const SIZE_T agent_bytes = (layout.agent.size() + 1) * sizeof(wchar_t);
  layout.request_at = (agent_bytes + 15) & ~SIZE_T{15};
  layout.size = layout.request_at + sizeof(DropRequest) + layout.names.size() * sizeof(wchar_t);
  return layout;
}

}  // namespace

bool DropFiles(HWND target, const std::vector<std::filesystem::path>& files, POINT at) {
  if (files.empty()) return false;
  HWND receiver = AcceptingWindowAt(at);
  if (!receiver || (receiver != target && !IsChild(target, receiver))) return false;

  const std::filesystem::path agent_path = BuildTreePath(VELORA_DROP_AGENT);
  LocalAgent agent(agent_path);
  if (!agent.entry()) return false;
  const Layout layout = LayOut(agent_path, files);
  RemoteBlock block(receiver, layout.size, PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION);
  if (!block.ok()) return false;

  POINT client = at;
  ScreenToClient(receiver, &client);
  DropRequest request{};
  request.window = reinterpret_cast<ULONG_PTR>(receiver);
  request.client = client;
  request.units = static_cast<std::uint32_t>(layout.names.size());
  if (!block.Write(0, layout.agent.c_str(), (layout.agent.size() + 1) * sizeof(wchar_t)) ||
      !block.Write(layout.request_at, &request, sizeof request) ||
      !block.Write(layout.request_at + sizeof request, layout.names.data(),
                   layout.names.size() * sizeof(wchar_t))) {
    return false;
  }

  const std::optional<ULONG_PTR> load =
      RemoteAddress(block.process(), reinterpret_cast<const void*>(&LoadLibraryW));
  const std::optional<ULONG_PTR> unload =
      RemoteAddress(block.process(), reinterpret_cast<const void*>(&FreeLibrary));
  if (!load || !unload) return false;
  // The exit code holds only the low half of the loaded module's address: the module list tells.
  if (!CallRemote(block.process(), *load, block.at(0))) return false;
  const std::optional<ULONG_PTR> base = RemoteModule(block.process(), agent_path.filename().wstring());
  if (!base) return false;
  const std::optional<DWORD> posted =
      CallRemote(block.process(), *base + (reinterpret_cast<ULONG_PTR>(agent.entry()) - agent.base()),
                 block.at(layout.request_at));
  // The agent leaves nothing behind: the window's own code answers the posted message.
  (void)CallRemote(block.process(), *unload, reinterpret_cast<const void*>(*base));
  return posted && *posted == 1;
}

}  // namespace velora::e2e
