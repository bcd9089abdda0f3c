#pragma once
// What the benchmark drivers under Wine share: build-tree paths, a clock, started programs and
// the folder their copies run from.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace velora::bench {

// Build-tree paths given as Unix paths are seen through Wine's Z: drive.
std::filesystem::path WindowsPath(std::wstring path);

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    Restart();
  }
  void Restart() { QueryPerformanceCounter(&start_); }
  double Milliseconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// Owns a started process; ends it when nobody closed it.
class ChildProcess {
 public:
  explicit ChildProcess(const PROCESS_INFORMATION& info) : info_(info) {}
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  HANDLE handle() const { return info_.hProcess; }
  DWORD id() const { return info_.dwProcessId; }
  bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  PROCESS_INFORMATION info_;
};

// A folder of its own under the temporary folder, removed at the end.
class Workspace {
 public:
  explicit Workspace(std::string_view prefix) : folder_(prefix) {}

  // A copy of `exe` alone in a new subfolder, as an installed program is.
  std::filesystem::path Install(const std::filesystem::path& exe, const wchar_t* folder) const;
  const std::filesystem::path& path() const { return folder_.path(); }

 private:
  testing::TempFolder folder_;
};

double Median(std::vector<double> values);

// Every driver takes `VELORA.exe BARE.exe [COUNT]`.
struct DriverCommand {
  const char* name;        // the driver's, for its messages
  const char* count_name;  // RUNS, PRESSES, …
  int default_count;
  int minimum_count;
  const char* minimum_reason;  // why the count cannot be lower, for the message
};
using Measurement =
    std::function<int(const std::filesystem::path& velora, const std::filesystem::path& bare, int count)>;
// A driver's main: reads the command line, runs `measure` and reports what it threw.
int RunDriver(const DriverCommand& command, const Measurement& measure);

}  // namespace velora::bench
