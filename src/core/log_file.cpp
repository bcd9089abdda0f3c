#include "core/log_file.h"

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <system_error>

#include "core/file_bytes.h"

namespace velora::core {
namespace {

// A worker may still report while the program ends: it keeps the log alive for its one line.
struct ProcessLog {
  std::mutex mutex;
  std::shared_ptr<LogFile> log;
};
ProcessLog& TheProcessLog() {
  static ProcessLog process_log;
  return process_log;
}

std::string TimeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char text[32];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(text, n) + "." + std::to_string(1000 + millis).substr(1);
}

}  // namespace

LogFile::LogFile(std::filesystem::path file, std::uintmax_t limit_bytes)
    : file_(std::move(file)), limit_bytes_(limit_bytes) {}

std::filesystem::path LogFile::OlderFile(const std::filesystem::path& file) {
  std::filesystem::path older = file;
  older += ".1";
  return older;
}

void LogFile::Write(std::string_view where, std::string_view what) noexcept {
  try {
    std::string line = TimeStamp();
    line.append(" [").append(where).append("] ").append(what);
    // One line each, whatever the system's words held.
    for (char& c : line) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    line += "\r\n";
    const std::lock_guard lock(mutex_);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file_, error);
    if (!error && size + line.size() > limit_bytes_) {
      std::filesystem::remove(OlderFile(file_), error);
      std::filesystem::rename(file_, OlderFile(file_), error);
    }
    (void)AppendFileBytes(file_, line);  // a log that cannot be written has nowhere to say so
  } catch (...) {
  }
}

void SetProcessLog(std::shared_ptr<LogFile> log) noexcept {
  ProcessLog& process = TheProcessLog();
  const std::lock_guard lock(process.mutex);
  process.log = std::move(log);
}

void LogFailure(std::string_view where, std::string_view what) noexcept {
  ProcessLog& process = TheProcessLog();
  std::shared_ptr<LogFile> log;
  {
    const std::lock_guard lock(process.mutex);
    log = process.log;
  }
  if (log) log->Write(where, what);
}

}  // namespace velora::core
