// Bookmarks from files in the browsers' own formats, made here: Chromium's JSON and a Firefox
// places database that a running browser still holds open, its latest bookmark only in the log.
#include <gtest/gtest.h>

#include <fstream>

#include "store/items.h"
#include "support/temp_folder.h"
#include "transfer/browser_profiles.h"
#include "transfer/chromium_bookmarks.h"
#include "transfer/firefox_bookmarks.h"
#include "transfer/store_dump.h"
#include "transfer/transfer_words.h"

namespace velora::transfer {
namespace {

constexpr char kNow[] = "2026-03-04 05:06:07";

constexpr char kChromium[] = R"json({"checksum": "0", "version": 1, "roots": {
  "bookmark_bar": {"type": "folder", "name": "书签栏", "children": [
    {"type": "url", "name": "知乎", "url": "https://www.zhihu.com/"},
    {"type": "folder", "name": "工作", "children": [
      {"type": "url", "name": "内网 \"A\"", "url": "http://intra.cn/a?x='1'"},
      {"type": "folder", "name": "深", "children": [{"type": "url", "name": "", "url": "https://deep.cn/"}]}]},
    {"type": "url", "name": "设置", "url": "chrome://settings/"},
    {"type": "url", "name": "小书签", "url": "javascript:void(0)"}]},
  "other": {"type": "folder", "children": [
    {"type": "url", "name": "重复", "url": "http://intra.cn/a?x='1'"},
    {"type": "url", "name": "FTP", "url": "ftp://f.cn/"}]},
  "synced": {"type": "folder", "children": [{"type": "url", "name": "手机", "url": "https://m.cn/"}, 5, {"type": "url"}]}
}})json";

void Write(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

class BookmarksTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::OpenTemplateStore(db, folder.path() / "Velora.db"); }

  // The first `n` bookmarks as the grid lists them: code, name, 后缀, 图标, 路径, 日期.
  std::vector<std::string> Newest(std::size_t n, bool from_end = false) {
    std::vector<store::ItemRow> rows = store::ListItems(db, "书签");
    if (from_end) rows.erase(rows.begin(), rows.end() - static_cast<std::ptrdiff_t>(n));
    rows.resize(n);
    std::vector<std::string> out;
    out.reserve(rows.size());
    for (const store::ItemRow& r : rows) {
      out.push_back(r.code + "|" + r.name.value_or("NULL") + "|" + r.suffix.value_or("NULL") + "|" +
                    r.icon.value_or("NULL") + "|" + r.path.value_or("NULL") + "|" + r.date.value_or("NULL"));
    }
    return out;
  }

  testing::TempFolder folder;
  store::Database db;
  BookmarkOptions options{.now = kNow};
};

TEST_F(BookmarksTest, ChromiumFoldersAreReadDepthFirstAndAddedAsThePanelAddsABookmark) {
  const auto file = folder.path() / "Default" / "Bookmarks";
  Write(file, kChromium);
  const TransferResult result = ImportChromiumBookmarks(db, file, options);
  EXPECT_EQ(ImportText(result), "已导入 4 项，跳过 2 项重复，2 项无法使用，未导入");
  const std::string dated = std::string("|书签|NULL|NULL|") + kNow;
  EXPECT_EQ(Newest(4),
            (std::vector<std::string>{"网址http://intra.cn/a?x='1'|内网 \"A\"" + dated,
                                      "网址https://deep.cn/|https://deep.cn/" + dated,
                                      "网址ftp://f.cn/|FTP" + dated, "网址https://m.cn/|手机" + dated}));
}

TEST_F(BookmarksTest, AddedAtTheEndTheyAreUndatedAfterEveryItem) {
  Refusal refusal = Refusal::kNone;
  const auto bookmarks = ParseChromiumBookmarks(kChromium, refusal);
  ASSERT_TRUE(bookmarks);
  options.at_end = true;
  EXPECT_EQ(AddBookmarks(db, *bookmarks, options).imported, 4u);
  EXPECT_EQ(Newest(1, true), (std::vector<std::string>{"网址https://m.cn/|手机|书签|NULL|NULL|NULL"}));
}

TEST_F(BookmarksTest, FilesThatAreNoBookmarksChangeNothing) {
  const std::vector<std::string> before = testing::Dump(db);
  const std::pair<std::string, Refusal> cases[] = {
      {"{}", Refusal::kNotBookmarks},
      {"not json", Refusal::kNotBookmarks},
      {R"({"roots": [1]})", Refusal::kNotBookmarks},
      {R"({"roots": {"other": {"children": )" + std::string(1000, '[') + std::string(1000, ']') + "}}}",
       Refusal::kTooDeep},
  };
  for (const auto& [json, refusal] : cases) {
    Write(folder.path() / "Bookmarks", json);
    EXPECT_EQ(ImportChromiumBookmarks(db, folder.path() / "Bookmarks", options).refusal, refusal) << json;
  }
  EXPECT_EQ(ImportChromiumBookmarks(db, folder.path() / "无", options).refusal, Refusal::kUnreadable);
  Write(folder.path() / "places.sqlite", "not a database");
  EXPECT_EQ(ImportFirefoxBookmarks(db, folder.path() / "places.sqlite", {}, options).refusal,
            Refusal::kNotBookmarks);
  EXPECT_EQ(testing::Dump(db), before);
}

// Firefox's own columns; the roots as a new profile has them.
constexpr char kPlaces[] = R"(
PRAGMA journal_mode = WAL;
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR,
  visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL,
  frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,
  url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT, preview_image_url TEXT, origin_id INTEGER);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER,
  position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, dateAdded INTEGER,
  lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0, syncChangeCounter INTEGER NOT NULL DEFAULT 1);
INSERT INTO moz_places (id, url, title) VALUES (1, 'https://www.mozilla.org/', 'Mozilla'),
  (3, 'place:sort=8&maxResults=10', NULL), (4, 'https://b.cn/', 'B站'), (5, 'javascript:alert(1)', NULL),
  (6, 'https://www.bilibili.com/', '哔哩'), (7, 'FILE:///C:/说明.txt', NULL);
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES
  (1, 2, NULL, 0, 0, '', 'root________'), (2, 2, NULL, 1, 0, 'menu', 'menu________'),
  (3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 'tags________'),
  (5, 2, NULL, 1, 3, 'unfiled', 'unfiled_____'), (6, 2, NULL, 1, 4, 'mobile', 'mobile______'),
  (10, 1, 1, 3, 0, 'Mozilla', 'a1'), (11, 2, NULL, 3, 1, '工具', 'a2'), (12, 3, NULL, 3, 2, NULL, 'a3'),
  (13, 1, 3, 3, 3, '最近', 'a4'), (14, 1, 4, 11, 1, NULL, 'a5'), (15, 1, 5, 11, 0, '脚本', 'a6'),
  (16, 1, 6, 2, 0, '哔哩', 'a7'), (17, 1, 1, 2, 1, 'Mozilla 菜单', 'a8'), (18, 2, NULL, 4, 0, '标签', 'a9'),
  (19, 1, 1, 18, 0, NULL, 'b1'), (20, 1, 7, 5, 0, '说明 "x"', 'b2');
)";

TEST_F(BookmarksTest, FirefoxIsReadFromACopyWithItsLogWhileTheBrowserHoldsIt) {
  const auto places = folder.path() / "profile" / "places.sqlite";
  std::filesystem::create_directories(places.parent_path());
  store::Database browser;
  ASSERT_TRUE(browser.Open(text::PathToUtf8(places), store::Database::kOpenCreate));
  ASSERT_TRUE(browser.Execute(kPlaces));
  ASSERT_TRUE(
      browser.Execute("PRAGMA wal_autocheckpoint = 0; "
                      "INSERT INTO moz_places (id, url, title) VALUES (8, 'https://m.cn/', '手机');"
                      "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) "
                      "VALUES (21, 1, 8, 6, 0, '手机', 'b3');"));
  const auto scratch = folder.path() / "临时";
  std::filesystem::create_directories(scratch);

  const TransferResult result = ImportFirefoxBookmarks(db, places, scratch, options);
  EXPECT_EQ(ImportText(result), "已导入 4 项，跳过 2 项重复，2 项无法使用，未导入");
  const std::string dated = std::string("|书签|NULL|NULL|") + kNow;
  EXPECT_EQ(Newest(4),
            (std::vector<std::string>{
                "网址https://www.mozilla.org/|Mozilla 菜单" + dated, "网址https://b.cn/|B站" + dated,
                "网址FILE:///C:/说明.txt|说明 \"x\"" + dated, "网址https://m.cn/|手机" + dated}));
  EXPECT_TRUE(std::filesystem::is_empty(scratch));
}

TEST(BrowserProfiles, EveryProfileWithABookmarkFileIsFound) {
  const testing::TempFolder folder;
  const auto local = folder.path() / "Local";
  const auto roaming = folder.path() / "Roaming";
  const auto chrome = local / "Google" / "Chrome" / "User Data";
  for (const auto& file :
       {chrome / "Profile 1" / "Bookmarks", chrome / "Default" / "Bookmarks",
        local / "Microsoft" / "Edge" / "User Data" / "Default" / "Bookmarks",
        roaming / "Opera Software" / "Opera Stable" / "Bookmarks",
        roaming / "Mozilla" / "Firefox" / "Profiles" / "k3x.default-release" / "places.sqlite"}) {
    Write(file, "{}");
  }
  std::filesystem::create_directories(chrome / "System Profile");
  using F = BookmarkFormat;
  EXPECT_EQ(
      FindBookmarkFiles(local, roaming),
      (std::vector<BookmarkFile>{
          {"Chrome", "Default", chrome / "Default" / "Bookmarks", F::kChromium},
          {"Chrome", "Profile 1", chrome / "Profile 1" / "Bookmarks", F::kChromium},
          {"Edge", "Default", local / "Microsoft" / "Edge" / "User Data" / "Default" / "Bookmarks",
           F::kChromium},
          {"Opera", "Opera Stable", roaming / "Opera Software" / "Opera Stable" / "Bookmarks", F::kChromium},
          {"Firefox", "k3x.default-release",
           roaming / "Mozilla" / "Firefox" / "Profiles" / "k3x.default-release" / "places.sqlite",
           F::kFirefox},
      }));
  EXPECT_TRUE(FindBookmarkFiles({}, folder.path() / "无").empty());
}

}  // namespace
}  // namespace velora::transfer
