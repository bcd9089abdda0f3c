// How soon the panel comes when called, and what the mouse hook adds to every mouse event of the
// system, under Wine (or on Windows):
//
//   velora_summon_benchmark VELORA.exe BARE.exe [PRESSES]
//
// summon: from F9 pressed with SendInput until the window is visible, for a copy of Velora.exe
// with F9 chosen as its hotkey and for the bare window program, which only shows its window on
// F9; medians over PRESSES presses after two that are not counted. Velora's figure leaves out the
// 50 ms a summon waits by design for the foreground program to copy its selection.
// hook: the time per injected mouse event with desktop::MouseHook installed, against an empty
// low-level hook that only passes events on; medians over rounds that take turns.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench_driver.h"
#include "desktop/mouse_hook_win32.h"
#include "text/gbk.h"

namespace {

namespace fs = std::filesystem;
using namespace velora::bench;

constexpr DWORD kLimitMs = 20000;
constexpr int kDefaultPresses = 30;
constexpr int kWarmUpPresses = 2;
constexpr DWORD kStartUpSettleMs = 1500;  // the work a start posts after the first paint
constexpr DWORD kBetweenPressesMs = 150;
constexpr double kCaptureWaitMs = 50;  // a summon waits this long for the copied selection

class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::unique_ptr<ChildProcess> Start(const fs::path& exe) {
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().c_str(), &startup, &info)) {
    throw Failure("cannot start " + exe.filename().string() + " (error " + std::to_string(GetLastError()) +
                  ")");
  }
  return std::make_unique<ChildProcess>(info);
}

HWND WindowOf(const ChildProcess& process, const wchar_t* window_class) {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, window_class, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == process.id()) return w;
  }
  return nullptr;
}

// Returns once the window's thread has handled what was sent to it before.
void WaitForAnswer(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kLimitMs, &answer)) {
    throw Failure("the window did not answer");
  }
}

HWND WaitForStartedWindow(const ChildProcess& process, const wchar_t* window_class) {
  const Stopwatch clock;
  HWND window = nullptr;
  while ((window = WindowOf(process, window_class)) == nullptr) {
    if (!process.Running()) throw Failure("it ended without a window (is another copy running?)");
    if (clock.Milliseconds() > kLimitMs) throw Failure("it made no window");
    Sleep(10);
  }
  WaitForAnswer(window);
  Sleep(kStartUpSettleMs);
  return window;
}

void CloseAndWait(const ChildProcess& process, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.handle(), kLimitMs) != WAIT_OBJECT_0) throw Failure("it did not end");
}

void PressF9() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_F9;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  if (SendInput(2, keys, sizeof(INPUT)) != 2) throw Failure("SendInput refused the key");
}

// Polls without sleeping, so the moment is seen as it comes; yields the core meanwhile.
bool WaitUntilVisible(HWND window, bool visible) {
  const Stopwatch clock;
  while ((IsWindowVisible(window) != FALSE) != visible) {
    if (clock.Milliseconds() > kLimitMs) return false;
    SwitchToThread();
  }
  return true;
}

void HideWithF9(HWND window) {
  PressF9();
  if (!WaitUntilVisible(window, false)) throw Failure("F9 did not hide the window");
  WaitForAnswer(window);
}

std::vector<double> TimeSummons(const char* name, const fs::path& exe, const wchar_t* window_class,
                                int presses) try {
  const std::unique_ptr<ChildProcess> process = Start(exe);
  HWND window = WaitForStartedWindow(*process, window_class);
  if (IsWindowVisible(window)) HideWithF9(window);
  std::vector<double> times;
  for (int press = 0; press < kWarmUpPresses + presses; ++press) {
    Sleep(kBetweenPressesMs);
    const Stopwatch clock;
    PressF9();
    if (!WaitUntilVisible(window, true))
      throw Failure("F9 did not show the window (does another program hold F9?)");
    const double ms = clock.Milliseconds();
    if (press >= kWarmUpPresses) times.push_back(ms);
    HideWithF9(window);
  }
  CloseAndWait(*process, window);
  return times;
} catch (const Failure& failure) {
  throw Failure(std::string(name) + ": " + failure.what());
}

// A first run writes the data folder and, on closing, the settings file; then F9 is chosen in it
// as the settings panel saves the choice.
void InstallWithF9(const fs::path& velora) {
  {
    const std::unique_ptr<ChildProcess> process = Start(velora);
    CloseAndWait(*process, WaitForStartedWindow(*process, L"Velora"));
  }
  const fs::path ini = velora.parent_path() / L"配置" / L"Velora配置.ini";
  std::ostringstream bytes;
  bytes << std::ifstream(ini, std::ios::binary).rdbuf();
  std::string text = velora::text::GbkToUtf8(bytes.str());
  const std::string key = "下拉框_热键=";
  const std::size_t at = text.find(key);
  if (at == std::string::npos) throw Failure("the first run wrote no hotkey choice into " + ini.string());
  std::string line = key;
  for (int n = 1; n <= 12; ++n) line += "F" + std::to_string(n) + "<|>0<||>";
  line += "8<|>F9";
  text.replace(at, text.find("\r\n", at) - at, line);
  std::ofstream(ini, std::ios::binary) << velora::text::Utf8ToGbk(text);
}

// The hook cost. The hook runs on a thread of its own with a message loop, as on the program's
// UI thread, and posts to a message-only window there that counts.
constexpr UINT kHookEventMessage = WM_APP + 1;
// What the launcher acts on: presses and releases of the middle and upper side buttons, left releases.
constexpr std::uint64_t kGestures = velora::core::EventBits({{3, 1}, {3, 2}, {5, 1}, {5, 2}, {1, 2}});
constexpr int kEventsPerRound = 500;
constexpr int kMovesPerClick = 48;
constexpr int kHookRounds = 101;

LRESULT CALLBACK EmptyHook(int code, WPARAM wparam, LPARAM lparam) {
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kHookEventMessage) {
    ++*reinterpret_cast<std::atomic<long>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

class HookThread {
 public:
  explicit HookThread(bool real) : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, real] { Run(real); });
    WaitForSingleObject(ready_, kLimitMs);
  }
  ~HookThread() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
  }
  HookThread(const HookThread&) = delete;
  HookThread& operator=(const HookThread&) = delete;

  bool installed() const { return installed_; }
  HWND window() const { return window_; }
  long posted() const { return posted_.load(); }

 private:
  void Run(bool real) {
    thread_id_ = GetCurrentThreadId();
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = CountingProcedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"VeloraHookCounter";
    RegisterClassExW(&window_class);
    window_ = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&posted_));
    std::unique_ptr<velora::desktop::MouseHook> hook;
    HHOOK empty = nullptr;
    if (real) {
      hook = velora::desktop::MouseHook::Install(window_, kHookEventMessage, kGestures);
    } else {
      empty = SetWindowsHookExW(WH_MOUSE_LL, &EmptyHook, GetModuleHandleW(nullptr), 0);
    }
    installed_ = window_ && (hook || empty);
    SetEvent(ready_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    hook.reset();
    if (empty) UnhookWindowsHookEx(empty);
    DestroyWindow(window_);
  }

  HANDLE ready_;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
  bool installed_ = false;
  std::atomic<long> posted_{0};
  std::thread thread_;
};

// Mostly moves, as real mouse traffic is (a mouse reports its moves up to a thousand times a
// second, its clicks a few times a minute): 48 moves between two neighbouring points for every
// middle click, whose press and release the hook posts, so 4 % of the events are wanted ones.
std::vector<INPUT> MouseTraffic(int& posted_events) {
  const LONG x = 65535 / 2, y = 65535 / 2, step = 65535 / GetSystemMetrics(SM_CXSCREEN) + 1;
  std::vector<INPUT> traffic;
  posted_events = 0;
  while (static_cast<int>(traffic.size()) < kEventsPerRound) {
    for (int move = 0; move < kMovesPerClick; ++move) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dx = x + (move % 2) * step;
      input.mi.dy = y;
      input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
      traffic.push_back(input);
    }
    for (DWORD flags : {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flags;
      traffic.push_back(input);
      ++posted_events;
    }
  }
  return traffic;
}

double MicrosecondsPerEvent(bool real, std::vector<INPUT>& traffic, int posted_events) {
  const HookThread hook(real);
  if (!hook.installed()) throw Failure("the low-level mouse hook was refused");
  const Stopwatch clock;
  const UINT count = static_cast<UINT>(traffic.size());
  if (SendInput(count, traffic.data(), sizeof(INPUT)) != count) throw Failure("SendInput refused events");
  // Under Wine SendInput returns once the hook has answered for every event; the round trip to
  // the hook's thread collects whatever the system still had queued for it.
  WaitForAnswer(hook.window());
  const double us = clock.Milliseconds() * 1000 / count;
  if (real) {
    const Stopwatch wait;
    while (hook.posted() < posted_events && wait.Milliseconds() < kLimitMs) Sleep(1);
    if (hook.posted() != posted_events) {
      throw Failure("the hook posted " + std::to_string(hook.posted()) + " of " +
                    std::to_string(posted_events) + " wanted events");
    }
  }
  return us;
}

int Measure(const fs::path& velora_exe, const fs::path& bare_exe, int presses) {
  const Workspace workspace("velora_summon");
  const fs::path velora = workspace.Install(velora_exe, L"velora");
  const fs::path bare = workspace.Install(bare_exe, L"bare");
  InstallWithF9(velora);
  const double velora_ms = Median(TimeSummons("velora", velora, L"Velora", presses)) - kCaptureWaitMs;
  const double bare_ms = Median(TimeSummons("bare", bare, L"VeloraBareWindow", presses));

  int posted_events = 0;
  std::vector<INPUT> traffic = MouseTraffic(posted_events);
  std::vector<double> real, empty;
  MicrosecondsPerEvent(true, traffic, posted_events);  // not counted: the first of each loads and warms up
  MicrosecondsPerEvent(false, traffic, posted_events);
  for (int round = 0; round < kHookRounds; ++round) {
    real.push_back(MicrosecondsPerEvent(true, traffic, posted_events));
    empty.push_back(MicrosecondsPerEvent(false, traffic, posted_events));
  }
  const double real_us = Median(real), empty_us = Median(empty);

  std::printf("summon: %.1f ms vs bare %.1f ms, overhead %.1f ms\n", velora_ms, bare_ms, velora_ms - bare_ms);
  std::printf("hook: %.1f us vs empty %.1f us, ratio %.2f\n", real_us, empty_us, real_us / empty_us);
  return 0;
}

}  // namespace

int main() {
  return velora::bench::RunDriver(
      {"velora_summon_benchmark", "PRESSES", kDefaultPresses, 1, "one to measure"}, Measure);
}
