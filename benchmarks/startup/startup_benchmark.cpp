// Start-up time of Velora.exe against a bare window program that starts the same system
// libraries: from CreateProcess until a top-level window of the new process is visible, and
// until the process first answers a sent message (its start-up code is done, it waits for input).
//
//   velora_startup_benchmark VELORA.exe BARE.exe [RUNS]
//
// Each program runs from a copy in a folder of its own. The first run of each is a warm-up and is
// not counted; for Velora it is also the run that writes the data folder and, on closing, the
// settings file, so the counted runs start as every later start of an installed copy does. The two programs
// take turns, so anything that slows the machine meanwhile weighs on both.
//
// memory: the working set of each, 3 s after it was started, in runs of their own after the
// timed ones (medians of three), and what Velora holds above the bare program.
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_driver.h"

namespace {

namespace fs = std::filesystem;
using velora::bench::ChildProcess;
using velora::bench::Median;
using velora::bench::Stopwatch;
using velora::bench::Workspace;

constexpr DWORD kWindowLimitMs = 20000;
constexpr DWORD kExitLimitMs = 10000;
constexpr ULONGLONG kBootWindowMs = 120000;  // Velora starts hidden this soon after boot
constexpr int kDefaultRuns = 21;
constexpr double kMemoryAfterMs = 3000;
constexpr int kMemoryRuns = 3;

struct WindowSearch {
  DWORD process_id;
  HWND window;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM lparam) {
  auto& search = *reinterpret_cast<WindowSearch*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || !IsWindowVisible(window)) return TRUE;
  search.window = window;
  return FALSE;
}

HWND VisibleWindowOf(DWORD process_id) {
  WindowSearch search{process_id, nullptr};
  EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

struct Sample {
  double visible_ms = 0;
  double ready_ms = 0;
  SIZE size{};
  double working_set_mb = 0;  // only when the run was held for it
};

struct Program {
  const char* name;
  fs::path copy;
  std::vector<Sample> samples;
  std::vector<double> working_sets_mb;
};

enum class Ending { kClose, kTerminate };
// A timed run ends as soon as the window answers; a memory run waits until kMemoryAfterMs.
enum class Hold { kNone, kForMemory };

double WorkingSetMb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process, &memory, sizeof memory)) return 0;
  return static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
}

// Without a tray on the display, Wine's shell shows the icons in a window of its own and hides it
// when the ended program's icon goes, which holds the shell for two seconds and the next program's
// first window with it. Wait until the shell has done so; on Windows there is no such window.
void WaitForTrayStandIn() {
  const Stopwatch clock;
  HWND tray = nullptr;
  while ((tray = FindWindowW(nullptr, L"Wine System Tray")) != nullptr && IsWindowVisible(tray) &&
         clock.Milliseconds() < 5000) {
    Sleep(20);
  }
  DWORD_PTR answer = 0;
  if (tray) SendMessageTimeoutW(tray, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
}

std::optional<Sample> StartOnce(const fs::path& exe, const fs::path& directory, Ending ending, Hold hold,
                                std::string& error) {
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const Stopwatch clock;
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                      &startup, &info)) {
    error = "cannot start it (error " + std::to_string(GetLastError()) + ")";
    return std::nullopt;
  }
  const ChildProcess process(info);
  HWND window = nullptr;
  while ((window = VisibleWindowOf(process.id())) == nullptr) {
    if (WaitForSingleObject(process.handle(), 1) != WAIT_TIMEOUT) {
      error = "it ended without showing a window (is another copy running?)";
      return std::nullopt;
    }
    if (clock.Milliseconds() > kWindowLimitMs) {
      error = "it showed no window within " + std::to_string(kWindowLimitMs / 1000) + " s";
      return std::nullopt;
    }
  }
  Sample sample;
  sample.visible_ms = clock.Milliseconds();
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kWindowLimitMs, &answer)) {
    error = "its window did not answer";
    return std::nullopt;
  }
  sample.ready_ms = clock.Milliseconds();
  RECT rect{};
  GetWindowRect(window, &rect);
  sample.size = {rect.right - rect.left, rect.bottom - rect.top};
  if (hold == Hold::kForMemory) {
    const double left_ms = kMemoryAfterMs - clock.Milliseconds();
    if (left_ms > 0) Sleep(static_cast<DWORD>(left_ms));
    sample.working_set_mb = WorkingSetMb(process.handle());
    if (sample.working_set_mb <= 0) {
      error = "its memory could not be read";
      return std::nullopt;
    }
  }
  if (ending == Ending::kClose) {
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else {
    TerminateProcess(process.handle(), 0);
  }
  if (WaitForSingleObject(process.handle(), kExitLimitMs) != WAIT_OBJECT_0) {
    error = "it did not end";
    return std::nullopt;
  }
  WaitForTrayStandIn();
  return sample;
}

std::vector<double> Field(const Program& program, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : program.samples) values.push_back(sample.*field);
  return values;
}

void PrintRatio(const char* label, const Program& velora, const Program& bare, double Sample::*field) {
  const double velora_ms = Median(Field(velora, field));
  const double bare_ms = Median(Field(bare, field));
  std::printf("%s velora %.0f ms, bare %.0f ms, ratio %.2f\n", label, velora_ms, bare_ms,
              velora_ms / bare_ms);
}

void PrintSpread(const Program& program) {
  const std::vector<double> visible = Field(program, &Sample::visible_ms);
  const auto [low, high] = std::minmax_element(visible.begin(), visible.end());
  const SIZE size = program.samples.front().size;
  std::printf("  %-6s %zu runs, visible after %.0f-%.0f ms, window %ldx%ld\n", program.name, visible.size(),
              *low, *high, size.cx, size.cy);
}

int Measure(const fs::path& velora_exe, const fs::path& bare_exe, int runs) {
  const ULONGLONG uptime = GetTickCount64();
  if (uptime <= kBootWindowMs) {
    const DWORD wait = static_cast<DWORD>(kBootWindowMs - uptime + 1000);
    std::fprintf(stderr,
                 "velora_startup_benchmark: Velora starts hidden this soon after boot; waiting %lu s\n",
                 wait / 1000);
    Sleep(wait);
  }
  const Workspace workspace("velora_startup");
  Program programs[] = {{"velora", workspace.Install(velora_exe, L"velora"), {}},
                        {"bare", workspace.Install(bare_exe, L"bare"), {}}};
  for (int run = 0; run < runs; ++run) {
    for (Program& program : programs) {
      std::string error;
      // The warm-up ends as a user ends it, so a program that saves its settings on exit has saved
      // them for the counted runs. Those are ended, not closed: Wine without a window manager
      // waits two seconds for every window it unmaps, and the exit is not what is measured.
      const Ending ending = run == 0 ? Ending::kClose : Ending::kTerminate;
      const std::optional<Sample> sample =
          StartOnce(program.copy, workspace.path(), ending, Hold::kNone, error);
      if (!sample) {
        std::fprintf(stderr, "velora_startup_benchmark: %s, run %d: %s\n", program.name, run + 1,
                     error.c_str());
        return 1;
      }
      if (run > 0) program.samples.push_back(*sample);
    }
  }
  for (int run = 0; run < kMemoryRuns; ++run) {
    for (Program& program : programs) {
      std::string error;
      const std::optional<Sample> sample =
          StartOnce(program.copy, workspace.path(), Ending::kTerminate, Hold::kForMemory, error);
      if (!sample) {
        std::fprintf(stderr, "velora_startup_benchmark: %s, memory run %d: %s\n", program.name, run + 1,
                     error.c_str());
        return 1;
      }
      program.working_sets_mb.push_back(sample->working_set_mb);
    }
  }
  PrintRatio("startup:", programs[0], programs[1], &Sample::visible_ms);
  PrintRatio("startup-ready:", programs[0], programs[1], &Sample::ready_ms);
  for (const Program& program : programs) PrintSpread(program);
  const double velora_mb = Median(programs[0].working_sets_mb), bare_mb = Median(programs[1].working_sets_mb);
  std::printf("memory: %.1f MB vs bare %.1f MB, difference %+.1f MB (working set %.0f s after start)\n",
              velora_mb, bare_mb, velora_mb - bare_mb, kMemoryAfterMs / 1000);
  return 0;
}

}  // namespace

int main() {
  return velora::bench::RunDriver(
      {"velora_startup_benchmark", "RUNS", kDefaultRuns, 2, "the first is not counted"}, Measure);
}
