#pragma once
// The data directory beside the executable and the files a first run writes into it.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace velora::app {

inline constexpr std::string_view kDataFolderName = "配置";
inline constexpr std::string_view kIconFolderName = "icon";
inline constexpr std::string_view kDatabaseFileName = "Velora.db";
// Failures the user may ask us about (core/log_file.h).
inline constexpr std::string_view kLogFileName = "Velora.log";
inline constexpr std::string_view kScreensaverFileName = "FlipIt.scr";

std::filesystem::path DataDirectory(const std::filesystem::path& executable_directory);
std::filesystem::path DatabasePath(const std::filesystem::path& data_directory);
std::filesystem::path IconDirectory(const std::filesystem::path& data_directory);
std::filesystem::path ScreensaverPath(const std::filesystem::path& data_directory);

// Creates "配置" and "配置\icon" when absent, then writes every missing first-run file in a
// fixed order: the template store, then the screensaver whose bytes the program carries. Each
// goes through a temporary file and a rename, so an interrupted run leaves no half file. An
// existing file is never overwritten or compared; a failed write is quiet and start-up goes on.
// Returns the files written, in the order written.
std::vector<std::filesystem::path> PrepareDataDirectory(const std::filesystem::path& data_directory,
                                                        std::string_view screensaver);

// A program started by hand, rather than with Windows, finds the system up for more than two
// minutes; it then shows its panel held.
inline constexpr bool StartedByHand(std::uint64_t milliseconds_since_boot) {
  return milliseconds_since_boot > 120000;
}

}  // namespace velora::app
