#pragma once
// A template store to work on, and a dump of everything a store holds, to tell "unchanged" apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"
#include "store/template_db.h"
#include "text/fs_path.h"

namespace velora::testing {

inline void OpenTemplateStore(store::Database& db, const std::filesystem::path& file) {
  ASSERT_TRUE(store::WriteTemplateDatabase(file));
  ASSERT_TRUE(db.Open(text::PathToUtf8(file)));
}

// The schema, then every row of every table in row order, each value quoted as SQL writes it.
inline std::vector<std::string> Dump(store::Database& db) {
  std::vector<std::string> lines;
  std::vector<std::string> tables;
  store::Statement schema = db.Query("select type,name,sql,tbl_name from sqlite_master order by name");
  while (schema.Step()) {
    lines.push_back(schema.ColumnText(0) + " " + schema.ColumnText(1) + " " + schema.ColumnText(2));
    if (schema.ColumnText(0) == "table") tables.push_back(schema.ColumnText(3));
  }
  for (const std::string& table : tables) {
    std::string columns;
    store::Statement info = db.Query("select name from pragma_table_info(?1)");
    info.Bind(1, table);
    while (info.Step()) {
      columns +=
          (columns.empty() ? "quote(" : "||','||quote(") + store::QuoteIdentifier(info.ColumnText(0)) + ")";
    }
    store::Statement rows =
        db.Query("select " + columns + " from " + store::QuoteIdentifier(table) + " order by rowid");
    while (rows.Step()) lines.push_back(table + ": " + rows.ColumnText(0));
  }
  return lines;
}

}  // namespace velora::testing
