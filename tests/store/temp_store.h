#pragma once
// A fresh folder per test, removed afterwards; the tests use real SQLite files in it.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "store/database.h"
#include "text/fs_path.h"

namespace velora::testing {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("velora_" + std::string(info ? info->name() : "t") + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A test fixture with an open, empty store file.
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.Open(DbPath(), store::Database::kOpenCreate)); }
  std::string DbPath() const { return text::PathToUtf8(folder.path() / "测试.db"); }
  int Count(const std::string& sql) {
    store::Statement q = db.Query(sql);
    return q.Step() ? q.ColumnInt(0) : -1;
  }

  TempFolder folder;
  store::Database db;
};

}  // namespace velora::testing
