#pragma once
// A fresh folder per test with a Chinese name, as the data folder has; removed afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "text/fs_path.h"

namespace velora::testing {

class SettingsFolder {
 public:
  SettingsFolder() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            text::PathFromUtf8("velora_设置_" + std::string(info ? info->name() : "t") + "_" +
                               std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~SettingsFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace velora::testing
