#include "store/table_builder.h"

#include <charconv>

#include "text/split.h"

namespace velora::store {
namespace {

// Leading digits as a number, 0 when there are none, as a lenient integer read does.
int LeadingInt(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::string_view TypeName(int type) {
  switch (type) {
    case 1:
      return "Byte";
    case 2:
      return "Smallint";
    case 3:
      return "Integer";
    case 4:
      return "BigInt";
    case 5:
      return "Decimal";
    case 6:
      return "Double";
    case 7:
      return "Bit";
    case 8:
      return "DateTime";
    case 10:
      return "VarChar";
    case 11:
      return "Blob";
    case 12:
      return "Text";
    default:
      return "";
  }
}

std::string BuildCreateTableSql(std::string_view table, const std::vector<FieldDescription>& fields,
                                std::string_view unique_list, std::string_view primary_key_list) {
  std::string sql = "create table " + QuoteIdentifier(table) + " (";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDescription& f = fields[i];
    sql += f.name;
    sql += ' ';
    sql += TypeName(f.type);
    if (f.size != 0) sql += "(" + std::to_string(f.size) + ")";
    if (f.attributes != 0) {
      std::string words;
      if (f.attributes & kPrimaryKey) words += "Primary Key";
      if (f.attributes & kAutoIncrement) words += " AutoIncrement";
      if (f.attributes & kNotNull) words += " Not Null";
      if (f.attributes & kUnique) words += " Unique";
      sql += ' ';
      sql += words;
    }
    if (!f.default_value.empty()) sql += " Default " + f.default_value;
    if (!f.check.empty()) sql += " Check(" + f.check + ")";
    if (i + 1 < fields.size()) sql += ',';
  }
  if (!unique_list.empty()) sql += ",Unique(" + std::string(unique_list) + ")";
  if (!primary_key_list.empty()) sql += ",primary key(" + std::string(primary_key_list) + ")";
  if (!fields.empty()) sql += ')';
  return sql;
}

bool CreateTable(Database& db, std::string_view table, const std::vector<FieldDescription>& fields,
                 std::string_view unique_list, std::string_view primary_key_list, std::string* error) {
  return db.Execute(BuildCreateTableSql(table, fields, unique_list, primary_key_list), error);
}

std::vector<FieldDescription> ParseFieldList(std::string_view field_list) {
  std::vector<FieldDescription> fields;
  for (std::string_view line : text::Split(field_list, "\r\n")) {
    const std::vector<std::string_view> pieces = text::Split(line, "|");
    if (pieces.size() != 3) continue;
    FieldDescription f;
    f.name = std::string(pieces[0]);
    f.type = LeadingInt(pieces[1]);
    f.size = LeadingInt(pieces[2]);
    f.attributes = f.name == "only_code" ? (kPrimaryKey | kNotNull) : 0;
    fields.push_back(std::move(f));
  }
  return fields;
}

std::string_view CreateTableFromFieldList(Database& db, std::string_view table, std::string_view field_list) {
  if (db.TableExists(table)) return kFieldListExists;
  return CreateTable(db, table, ParseFieldList(field_list)) ? kFieldListCreated : kFieldListFailed;
}

}  // namespace velora::store
