#pragma once
// A store file in a temporary folder: the tests use real SQLite files.
#include <gtest/gtest.h>

#include <string>

#include "store/database.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"

namespace velora::testing {

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
