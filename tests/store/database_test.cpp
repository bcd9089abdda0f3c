#include <gtest/gtest.h>

#include "store/schema.h"
#include "store/table_builder.h"
#include "store/temp_store.h"

using namespace velora::store;
using velora::testing::StoreTest;
using velora::testing::TempFolder;

TEST(Database, OpenWithoutCreateFlagRefusesAMissingFileAndCreatesNone) {
  TempFolder folder;
  const auto path = folder.path() / "missing.db";
  Database db;
  EXPECT_FALSE(db.Open(velora::text::PathToUtf8(path)));
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(path));
  // Every later statement fails quietly.
  EXPECT_FALSE(db.Execute("create table t (a)"));
  Statement q = db.Query("select 1");
  EXPECT_FALSE(q.Step());
}

using DatabaseTest = StoreTest;

TEST_F(DatabaseTest, QueryOnAMissingTableStepsFalseAndFinalizesWithOne) {
  bool ok = true;
  Statement q = db.Query("select * from 不存在", &ok);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(q.Valid());
  EXPECT_FALSE(q.Step());
  EXPECT_EQ(q.ColumnText(0), "");
  EXPECT_EQ(q.Finalize(), 1);
}

TEST_F(DatabaseTest, ExecuteReportsTheErrorTextOnlyOnFailure) {
  std::string error = "stale";
  EXPECT_TRUE(db.Execute("create table t (a)", &error));
  EXPECT_EQ(error, "");
  EXPECT_FALSE(db.Execute("create table t (a)", &error));
  EXPECT_NE(error.find("already exists"), std::string::npos);
}

TEST_F(DatabaseTest, TableExistsComparesExactlyWhileSqliteIgnoresCase) {
  EXPECT_EQ(CreateTableFromFieldList(db, "abc", kItemFieldList), kFieldListCreated);
  EXPECT_TRUE(db.TableExists("abc"));
  EXPECT_FALSE(db.TableExists("ABC"));
  EXPECT_EQ(CreateTableFromFieldList(db, "ABC", kItemFieldList), kFieldListFailed);
  EXPECT_EQ(CreateTableFromFieldList(db, "abc", kItemFieldList), kFieldListExists);
}

TEST_F(DatabaseTest, ListTablesNeverShowsSqliteSequence) {
  ASSERT_TRUE(db.Execute("create table 计数 (id Integer Primary Key AutoIncrement, v)"));
  ASSERT_TRUE(db.Execute("insert into 计数 (v) values (1)"));
  ASSERT_EQ(Count("select count(*) from sqlite_master where name='sqlite_sequence'"), 1);
  std::vector<std::string> names;
  Statement q = db.ListTables();
  while (q.Step()) names.push_back(q.ColumnText(0));
  EXPECT_EQ(names, std::vector<std::string>{"计数"});
}

TEST_F(DatabaseTest, SavepointIsReleasedEvenWhenAStatementInsideFails) {
  ASSERT_TRUE(db.Execute("create table t (a Primary Key)"));
  {
    SavepointScope scope(db, kSavepoint);
    EXPECT_TRUE(db.Execute("insert into t values (1)"));
    EXPECT_FALSE(db.Execute("insert into t values (1)"));
    EXPECT_TRUE(db.Execute("insert into t values (2)"));
  }
  EXPECT_EQ(Count("select count(*) from t"), 2);
  // A savepoint still open would make BEGIN fail.
  EXPECT_TRUE(db.Execute("BEGIN"));
  EXPECT_TRUE(db.Execute("COMMIT"));
}

TEST_F(DatabaseTest, DropAndRenameTakeNamesWithQuotes) {
  const std::string name = "it's \"mine\"";
  ASSERT_EQ(CreateTableFromFieldList(db, name, kItemFieldList), kFieldListCreated);
  EXPECT_TRUE(db.TableExists(name));
  EXPECT_TRUE(db.RenameTable(name, "新名"));
  EXPECT_TRUE(db.TableExists("新名"));
  EXPECT_FALSE(db.RenameTable(name, "再改"));
  EXPECT_TRUE(db.DropTable("新名"));
  EXPECT_FALSE(db.TableExists("新名"));
  EXPECT_TRUE(db.DropTable("新名"));  // "if exists": dropping nothing succeeds
}

TEST(TableBuilder, FieldListGivesTheItemTableStatement) {
  EXPECT_EQ(BuildCreateTableSql("搜索", ParseFieldList(kItemFieldList)),
            "create table \"搜索\" (code VarChar(4096),路径 VarChar(4096),名称 VarChar(4096),"
            "位置 VarChar(4096),类别 VarChar(4096),后缀 VarChar(4096),图标 VarChar(4096),"
            "日期 VarChar(4096))");
}

TEST(TableBuilder, SkipsMalformedLinesAndKeysOnlyCode) {
  const auto fields = ParseFieldList("only_code|10|80\r\nbad line\r\na|b\r\nx|3|0|extra\r\nn|3|0\r\n");
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0].attributes, kPrimaryKey | kNotNull);
  EXPECT_EQ(fields[1].attributes, 0u);
  EXPECT_EQ(BuildCreateTableSql("t", fields),
            "create table \"t\" (only_code VarChar(80) Primary Key Not Null,n Integer)");
}

TEST(TableBuilder, AttributesDefaultsChecksAndTableConstraintsInOrder) {
  std::vector<FieldDescription> fields(3);
  fields[0] = {"id", 3, 0, kUnique | kNotNull | kAutoIncrement | kPrimaryKey, "", ""};
  fields[1] = {"n", 9, 0, 0, "", ""};  // 9: no type name
  fields[2] = {"v", 11, 255, 0, "'x'", "v<>''"};
  EXPECT_EQ(BuildCreateTableSql("t", fields, "n,v", "id"),
            "create table \"t\" (id Integer Primary Key AutoIncrement Not Null Unique,n ,"
            "v Blob(255) Default 'x' Check(v<>''),Unique(n,v),primary key(id))");
  EXPECT_EQ(BuildCreateTableSql("t", {}), "create table \"t\" (");
}
