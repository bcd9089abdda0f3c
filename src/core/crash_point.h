#pragma once
// Crash points for the kill trials. In a build with the debug checks, a write that reaches the
// step named by the environment variable VELORA_CRASH_AT ends the process there and then, as a
// power cut or the task manager would, so every step of a save and of an add is hit on every
// trials run instead of now and then by a timed kill. A Release build has none of this.
#include <array>
#include <string_view>

namespace velora::core {

namespace crash_step {
// Replacing a file (the settings file among others): all bytes in the temporary file; the
// temporary file flushed and closed; renamed over the target.
inline constexpr std::string_view kTemporaryWritten = "temporary-written";
inline constexpr std::string_view kTemporaryFlushed = "temporary-flushed";
inline constexpr std::string_view kRenamed = "renamed";
// A store transaction: its rollback journal on disk; the first page written into the store; every
// page written and flushed with the journal still there; the journal deleted (committed).
inline constexpr std::string_view kJournalWritten = "journal-written";
inline constexpr std::string_view kStoreWriting = "store-writing";
inline constexpr std::string_view kStoreWritten = "store-written";
inline constexpr std::string_view kCommitted = "committed";
}  // namespace crash_step

inline constexpr std::array<std::string_view, 3> kReplaceSteps = {
    crash_step::kTemporaryWritten, crash_step::kTemporaryFlushed, crash_step::kRenamed};
inline constexpr std::array<std::string_view, 4> kStoreSteps = {
    crash_step::kJournalWritten, crash_step::kStoreWriting, crash_step::kStoreWritten,
    crash_step::kCommitted};

// What a process ended at a crash point exits with.
inline constexpr int kCrashExitCode = 0xC4;

#if VELORA_DEBUG_CHECKS
// The step VELORA_CRASH_AT names, empty when none; read each time, so a driver can set it for one
// child process and clear it again.
std::string_view ArmedCrashStep() noexcept;
// Ends the process with kCrashExitCode when VELORA_CRASH_AT names `step`.
void CrashPoint(std::string_view step) noexcept;
#else
inline std::string_view ArmedCrashStep() noexcept { return {}; }
inline void CrashPoint(std::string_view) noexcept {}
#endif

// True when VELORA_CRASH_AT names one of `steps`.
template <std::size_t N>
bool CrashPointArmed(const std::array<std::string_view, N>& steps) noexcept {
  const std::string_view armed = ArmedCrashStep();
  for (std::string_view step : steps) {
    if (!armed.empty() && step == armed) return true;
  }
  return false;
}

}  // namespace velora::core
