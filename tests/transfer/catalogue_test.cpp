// The catalogue file against real store files: a round trip of every kind of item with awkward
// texts, paths re-rooted on another machine, merge and replace, and files refused whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unordered_set>

#include "settings/atomic_file.h"
#include "store/groups.h"
#include "store/items.h"
#include "support/temp_folder.h"
#include "text/gbk.h"
#include "text/hex.h"
#include "text/path_code.h"
#include "transfer/catalogue_export.h"
#include "transfer/catalogue_import.h"
#include "transfer/category_tables.h"
#include "transfer/json_guard.h"
#include "transfer/store_dump.h"
#include "transfer/transfer_words.h"

namespace velora::transfer {
namespace {

const Roots kHere{"C:\\Users\\王小明", "D:\\Tools\\Velora"};
const std::string kProgram = "C:\\Users\\王小明\\Desktop\\编辑器.exe";
const std::string kShortcut = "C:\\Users\\王小明\\桌面\\😀 \"引号\".lnk";
const std::string kFolder = "D:\\Tools\\Velora\\数据";
const std::string kGroup = "工作\"'] 组";
const std::string kSqlBookmark = "网址https://a.cn/?q='x\"; DROP TABLE 软件;--";
const std::string kSearch = "网址https://s.cn/?q=$关键词$";

std::string Doc(const std::string& categories) {
  return R"({"format":"velora-catalogue","version":1,"categories":[)" + categories + "]}";
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::OpenTemplateStore(source, folder.path() / "源.db");
    testing::OpenTemplateStore(target, folder.path() / "目标.db");
    using store::ItemRow;
    const std::string png = text::HexEncode(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    const std::pair<const char*, ItemRow> rows[] = {
        {"软件", {text::PathCode(kProgram), kProgram, "编辑器", ".exe", "DCB080F9C5", "2024-01-02 03:04:05"}},
        {"软件", {text::PathCode(kShortcut), kShortcut, "😀 \"引号\"", ".exe", "", std::nullopt}},
        {"目录", {text::PathCode(kFolder), kFolder, "数据", "文件夹", "", ""}},
        {"图片", {text::PathCode("E:\\图\\a.png"), "E:\\图\\a.png", "a", ".png", png, "2024-01-01 00:00:00"}},
        {"图片", {text::PathCode("E:\\图\\b.png"), "E:\\图\\b.png", "b", ".png", "89504e47", std::nullopt}},
        {"书签",
         {kSqlBookmark, std::nullopt, "第一行\r\n第二行", "书签", std::nullopt, "2024-05-05 05:05:05"}},
        {"搜索", {kSearch, std::nullopt, "搜", "书签", "", "2024-05-05 05:05:05"}},
        {"搜索", {kSearch, std::nullopt, "搜", "书签", "", "2024-05-05 05:05:05"}},
        {"热键", {"热键18+0+115", std::nullopt, "关闭", "热键", std::nullopt, std::nullopt}},
        {"文档",
         {"$$文本$$第一行\r\n\"引号\" 'x' 𠀀 ①", std::nullopt, "𠀀", "文本", std::nullopt, std::nullopt}},
        {kGroup.c_str(),
         {"功能锁定屏幕", std::nullopt, "锁定屏幕", "功能", std::nullopt, "2020-01-01 00:00:00"}},
        {kGroup.c_str(), {"系统回收站", "", "回收站", "回收站", "", ""}},
        {kGroup.c_str(),
         {"\xFF\xFE坏", std::nullopt, "\xC0\xAF", "\xED\xA0\x80", "不是图标 ✓", std::nullopt}},
        // A code in lower-case hex launches as its path does but is not what the program writes.
        {kGroup.c_str(), {"43003a005c00", "C:\\", "C", "文件夹", std::nullopt, std::nullopt}},
    };
    ASSERT_EQ(store::CreateGroup(source, kGroup), store::GroupOutcome::kCreated);
    for (const auto& [table, row] : rows) ASSERT_TRUE(store::AddItem(source, table, row)) << row.code;
    store::Statement extra =
        source.Query("update " + store::QuoteIdentifier(kGroup) +
                     " set 位置='左', 类别=cast(x'00FF' as text) where code='功能锁定屏幕'");
    ASSERT_TRUE(extra.Run());
  }

  std::string Export() { return ExportCatalogue(source, settings, kHere); }
  std::size_t SourceRows() { return CountRows(ReadCategories(source)); }

  testing::TempFolder folder;
  store::Database source;
  store::Database target;
  SettingsMap settings{{"初始化", {{"窗口宽度", "640"}, {"最近目录", "C:\\Users\\王小明\\文档"}}}};
};

TEST_F(CatalogueTest, ARoundTripGivesBackEveryRowInOrder) {
  const std::string json = Export();
  EXPECT_TRUE(json.starts_with("{\n \"format\": \"velora-catalogue\",\n \"version\": 1,"))
      << json.substr(0, 80);
  store::Database empty;
  ASSERT_TRUE(empty.Open(text::PathToUtf8(folder.path() / "空.db"), store::Database::kOpenCreate));
  for (store::Database* db : {&empty, &target}) {
    const CatalogueImport imported = ImportCatalogue(*db, json, ImportMode::kReplace, kHere);
    EXPECT_EQ(imported.result, TransferResult{.imported = SourceRows()});
    EXPECT_EQ(ReadCategories(*db), ReadCategories(source));
    EXPECT_EQ(imported.settings, settings);
  }
  // The fixed categories a new store gets are keyed as the template's, so a second merge adds nothing.
  EXPECT_TRUE(IsKeyed(empty, "书签"));
  EXPECT_FALSE(IsKeyed(empty, "搜索"));
  const CatalogueImport again = ImportCatalogue(empty, json, ImportMode::kMerge, kHere);
  EXPECT_EQ(again.result, TransferResult{.duplicates = SourceRows()});
}

TEST_F(CatalogueTest, PathsComeBackUnderTheOtherMachinesRoots) {
  const std::string json = Export();
  EXPECT_NE(json.find(R"("file": "%USERPROFILE%\\Desktop\\编辑器.exe")"), std::string::npos);
  EXPECT_NE(json.find(R"("path": "%VELORA%\\数据")"), std::string::npos);
  const Roots there{"E:\\Home\\李", "F:\\Velora\\"};
  const CatalogueImport imported = ImportCatalogue(target, json, ImportMode::kMerge, there);
  ASSERT_TRUE(imported.result.ok());
  const auto program = store::ReadItem(target, "软件", text::PathCode("E:\\Home\\李\\Desktop\\编辑器.exe"));
  ASSERT_TRUE(program);
  EXPECT_EQ(program->path, "E:\\Home\\李\\Desktop\\编辑器.exe");
  EXPECT_EQ(program->icon, "DCB080F9C5");
  EXPECT_TRUE(store::ReadItem(target, "目录", text::PathCode("F:\\Velora\\数据")));
  EXPECT_EQ(imported.settings.at("初始化").at("最近目录"), "E:\\Home\\李\\文档");

  // Under a root too long for the path buffer, the two items of the profile cannot be items.
  const Roots deep{"E:\\" + std::string(490, 'x'), ""};
  const CatalogueImport cut = ImportCatalogue(target, json, ImportMode::kReplace, deep);
  EXPECT_EQ(cut.result.left_out, 2u);
  EXPECT_EQ(cut.result.imported, SourceRows() - 2);
  EXPECT_EQ(ImportText(cut.result),
            "已导入 " + std::to_string(SourceRows() - 2) + " 项，2 项无法使用，未导入");
}

TEST_F(CatalogueTest, AMergeSkipsExactlyTheItemsTheStoreHolds) {
  ASSERT_TRUE(store::AddItem(target, "书签", {kSqlBookmark, std::nullopt, "我的名字", "书签", "", ""}));
  std::size_t held = 0;
  for (const CatalogueCategory& category : ReadCategories(source)) {
    const auto table = FindTable(target, category.name);
    const auto codes = table ? CodesOf(target, *table) : std::unordered_set<std::string>();
    held += std::count_if(category.rows.begin(), category.rows.end(),
                          [&](const CatalogueRow& row) { return codes.contains(*row.code); });
  }
  ASSERT_GT(held, 40u);  // the template's rows and the bookmark

  const CatalogueImport merged = ImportCatalogue(target, Export(), ImportMode::kMerge, kHere);
  EXPECT_EQ(merged.result, (TransferResult{.imported = SourceRows() - held, .duplicates = held}));
  EXPECT_EQ(ImportText(merged.result), "已导入 " + std::to_string(SourceRows() - held) + " 项，跳过 " +
                                           std::to_string(held) + " 项重复");
  EXPECT_EQ(store::ReadItem(target, "书签", kSqlBookmark)->name, "我的名字");
  EXPECT_EQ(store::ListCodes(target, kGroup).size(), 4u);
  EXPECT_EQ(store::ListCodes(target, "搜索").size(), 13u);  // the file's repeat of a keyless row stays
  // By date among the store's own items: the dated program first, the undated shortcut last.
  const std::vector<std::string> software = store::ListCodes(target, "软件");
  EXPECT_EQ(software.front(), text::PathCode(kProgram));
  EXPECT_EQ(software.back(), text::PathCode(kShortcut));
}

TEST_F(CatalogueTest, AReplaceDropsOtherGroupsAndEmptiesFixedCategoriesTheFileLacks) {
  ASSERT_EQ(store::CreateGroup(target, "旧组"), store::GroupOutcome::kCreated);
  ASSERT_TRUE(store::AddItem(target, "软件", {"功能任务管理", {}, "任务管理", "功能", {}, {}}));
  ASSERT_TRUE(ImportCatalogue(target, Export(), ImportMode::kReplace, kHere).result.ok());
  EXPECT_EQ(ReadCategories(target), ReadCategories(source));
  EXPECT_FALSE(target.TableExists("旧组"));

  const std::string only_group = Doc(R"({"name":"新组","items":[{"code":"功能时钟屏保","name":"时钟"}]})");
  ASSERT_EQ(ImportCatalogue(target, only_group, ImportMode::kReplace, kHere).result.imported, 1u);
  const std::vector<CatalogueCategory> left = ReadCategories(target);
  ASSERT_EQ(left.size(), 8u);
  EXPECT_EQ(CountRows(left), 1u);
  EXPECT_EQ(left.back().name, "新组");
}

TEST_F(CatalogueTest, ABadFileChangesNothing) {
  ASSERT_TRUE(target.Execute("create table 坏表 (x)"));  // a table no row can go into
  const std::string good = R"({"name":"软件","items":[{"code":"功能任务管理"}]})";
  struct Case {
    std::string json;
    Refusal refusal;
  };
  const Case cases[] = {
      {"", Refusal::kMalformed},
      {Doc(good).substr(0, 90), Refusal::kMalformed},
      {"[1,2]", Refusal::kNotCatalogue},
      {R"({"format":"other","version":1,"categories":[]})", Refusal::kNotCatalogue},
      {R"({"format":"velora-catalogue","version":"1","categories":[]})", Refusal::kNotCatalogue},
      {R"({"format":"velora-catalogue","version":2,"categories":[]})", Refusal::kNewerVersion},
      {std::string(1000, '[') + std::string(1000, ']'), Refusal::kTooDeep},
      {Doc(R"({"name":"组","items":[{"code":"a","name":)" + std::string(1000, '[') + std::string(1000, ']') +
           "}]}"),
       Refusal::kTooDeep},
      {std::string(kMaxJsonBytes + 1, ' '), Refusal::kTooLarge},
      {R"({"format":"velora-catalogue","version":1})", Refusal::kBadContent},
      {Doc(good + R"(,{"name":"组","items":[{"code":"a"},{"code":"b","name":5}]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组","items":[{"code":"a","icon":"不是Base64"}]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组","items":[{"code":"a","icon":"AA==","icon_text":"x"}]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组","items":[{"code":"a","file":"C:\\a"}]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组","items":[{"name":"a"}]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组","items":[{"code":{"bytes":"!"}}]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组\n二","items":[]})"), Refusal::kBadContent},
      {Doc(R"({"name":"SQLite_组","items":[]})"), Refusal::kBadContent},
      {Doc(R"({"name":"组","items":{}})"), Refusal::kBadContent},
      {Doc(good).substr(0, Doc(good).size() - 1) + R"(,"settings":{"初始化":{"窗口宽度":640}}})",
       Refusal::kBadContent},
      {Doc(good + R"(,{"name":"坏表","items":[{"code":"a"}]})"), Refusal::kNotSaved},
  };
  const std::vector<std::string> before = testing::Dump(target);
  for (const Case& c : cases) {
    for (const ImportMode mode : {ImportMode::kMerge, ImportMode::kReplace}) {
      const CatalogueImport imported = ImportCatalogue(target, c.json, mode, kHere);
      EXPECT_EQ(imported.result.refusal, c.refusal) << c.json.substr(0, 120);
      EXPECT_FALSE(ImportText(imported.result).starts_with("已导入"));
      EXPECT_EQ(testing::Dump(target), before) << c.json.substr(0, 120);
    }
  }
  const CatalogueImport late =
      ImportCatalogue(target, Doc(good + R"(,{"name":"组","items":[{"code":"a"},{"code":"b","name":5}]})"),
                      ImportMode::kMerge, kHere);
  EXPECT_EQ(ImportText(late.result), "文件内容有误，未导入任何项目：第 2 个分组“组”的第 2 项：name 的值不对");
}

TEST_F(CatalogueTest, FilesAreReadWrittenAndRefusedBySize) {
  const auto ini = folder.path() / "Velora配置.ini";
  ASSERT_TRUE(
      settings::WriteFileAtomically(ini, text::Utf8ToGbk("[初始化]\r\n窗口宽度=640\r\n窗口高度=311\r\n")));
  const SettingsMap read = ReadSettingsFile(ini);
  const auto file = folder.path() / "目录.json";
  EXPECT_EQ(ExportToFile(source, read, kHere, file), SourceRows());
  const CatalogueImport imported = ImportCatalogueFile(target, file, ImportMode::kMerge, kHere);
  ASSERT_TRUE(imported.result.ok());
  EXPECT_EQ(imported.settings, read);

  const auto other_ini = folder.path() / "另一个.ini";
  ASSERT_TRUE(settings::WriteFileAtomically(other_ini, text::Utf8ToGbk("[编辑框]\r\n编辑框_名称=中文\r\n")));
  ASSERT_TRUE(MergeIntoSettingsFile(other_ini, imported.settings));
  EXPECT_EQ(ReadSettingsFile(other_ini), (SettingsMap{{"初始化", {{"窗口宽度", "640"}, {"窗口高度", "311"}}},
                                                      {"编辑框", {{"编辑框_名称", "中文"}}}}));

  const auto huge = folder.path() / "大.json";
  { std::ofstream(huge) << Doc(""); }
  std::filesystem::resize_file(huge, std::uintmax_t{200} << 20);
  EXPECT_EQ(ImportCatalogueFile(target, huge, ImportMode::kMerge, kHere).result.refusal, Refusal::kTooLarge);
  EXPECT_EQ(ImportCatalogueFile(target, folder.path() / "无.json", ImportMode::kMerge, kHere).result.refusal,
            Refusal::kUnreadable);
}

}  // namespace
}  // namespace velora::transfer
