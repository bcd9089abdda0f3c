#pragma once
// The test programs' temporary folder, in both trees: a new, empty folder under the system's
// temporary folder, gone with its owner. Its name may be Chinese, as the data folder's is.
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace velora::testing {

class TempFolder {
 public:
  // The folder is named `name` (UTF-8) and a random number, so that test programs running side
  // by side, from this tree or another, never share one.
  explicit TempFolder(std::string_view name = "velora") {
    const std::u8string utf8(name.begin(), name.end());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = base / (utf8 + u8"-" + Hex(random()));
      // False when another program holds the name already.
      if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("no free temporary folder name");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  static std::u8string Hex(unsigned value) {
    std::u8string digits(8, u8'0');
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, value >>= 4)
      *it = static_cast<char8_t>(u8"0123456789abcdef"[value & 0xf]);
    return digits;
  }

  std::filesystem::path path_;
};

}  // namespace velora::testing
