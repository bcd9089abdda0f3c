#pragma once
// The program's log, "配置\Velora.log", for a user who reports that something "did nothing":
// one UTF-8 line per failure (what an entry point caught, a system call that refused what the
// user asked for) with the time, the place, what failed and the system's own words. Only
// failures are written, never on a hot path. Past 1 MB the file becomes "Velora.log.1", the one
// older file kept.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>

namespace velora::core {

class LogFile {
 public:
  explicit LogFile(std::filesystem::path file, std::uintmax_t limit_bytes = 1 << 20);
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // Any thread. A log that cannot be written loses the line: it must never cost the user more.
  void Write(std::string_view where, std::string_view what) noexcept;

  static std::filesystem::path OlderFile(const std::filesystem::path& file);

 private:
  const std::filesystem::path file_;
  const std::uintmax_t limit_bytes_;
  std::mutex mutex_;
};

// The log failures go to, set by the program once it knows its data folder; the one
// process-wide pointer, since the guard at every entry from the system has nothing else to reach
// it by. Before it is set, failures reach only the debugger.
void SetProcessLog(std::shared_ptr<LogFile> log) noexcept;
void LogFailure(std::string_view where, std::string_view what) noexcept;

}  // namespace velora::core
