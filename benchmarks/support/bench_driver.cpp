#include "bench_driver.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace velora::bench {
namespace fs = std::filesystem;

fs::path WindowsPath(std::wstring path) {
  if (!path.empty() && path[0] == L'/') {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    path = L"Z:" + path;
  }
  return fs::absolute(fs::path(path));
}

ChildProcess::~ChildProcess() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

fs::path Workspace::Install(const fs::path& exe, const wchar_t* folder) const {
  fs::create_directories(path() / folder);
  const fs::path copy = path() / folder / exe.filename();
  fs::copy_file(exe, copy);
  return copy;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int RunDriver(const DriverCommand& command, const Measurement& measure) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count < 3 || count > 4) {
    std::fprintf(stderr, "usage: %s VELORA.exe BARE.exe [%s]\n", command.name, command.count_name);
    return 2;
  }
  const int runs = count == 4 ? _wtoi(args[3]) : command.default_count;
  if (runs < command.minimum_count) {
    std::fprintf(stderr, "%s: %s is at least %d (%s)\n", command.name, command.count_name,
                 command.minimum_count, command.minimum_reason);
    return 2;
  }
  const fs::path velora = WindowsPath(args[1]);
  const fs::path bare = WindowsPath(args[2]);
  LocalFree(args);
  try {
    return measure(velora, bare, runs);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", command.name, error.what());
    return 1;
  }
}

}  // namespace velora::bench
