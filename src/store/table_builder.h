#pragma once
// CREATE TABLE from field descriptions, and the field-list operation that every user group
// (and "搜索") is created with.
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"

namespace velora::store {

enum FieldAttribute : unsigned {
  kPrimaryKey = 1,
  kAutoIncrement = 2,
  kNotNull = 4,
  kUnique = 8,
};

struct FieldDescription {
  std::string name;
  int type = 11;   // see TypeName
  int size = 255;  // 0: no size
  unsigned attributes = 0;
  std::string default_value;
  std::string check;
};

// "Byte", "Smallint", … for the type numbers 1–8 and 10–12; empty for any other.
std::string_view TypeName(int type);

// Field names are program constants and go in as written; the table name is quoted.
std::string BuildCreateTableSql(std::string_view table, const std::vector<FieldDescription>& fields,
                                std::string_view unique_list = {}, std::string_view primary_key_list = {});

bool CreateTable(Database& db, std::string_view table, const std::vector<FieldDescription>& fields,
                 std::string_view unique_list = {}, std::string_view primary_key_list = {},
                 std::string* error = nullptr);

// Lines "name|type|size" separated by "\r\n"; other lines are skipped.
std::vector<FieldDescription> ParseFieldList(std::string_view field_list);

inline constexpr std::string_view kFieldListCreated = "成功";
inline constexpr std::string_view kFieldListFailed = "失败";
inline constexpr std::string_view kFieldListExists = "表已存在";

// Answers kFieldListCreated, kFieldListFailed or kFieldListExists.
std::string_view CreateTableFromFieldList(Database& db, std::string_view table, std::string_view field_list);

}  // namespace velora::store
