#include "acquire/favicon_fetch_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "acquire/icon_key.h"
#include "net/local_server_win32.h"
#include "settings/atomic_file.h"
#include "store/items.h"
#include "store/temp_store.h"
#include "support/message_pump_win32.h"

using namespace velora;
using acquire::FaviconResult;
using acquire::FaviconTarget;
using ::testing::ElementsAre;
using ::testing::StartsWith;
using velora::testing::LocalServer;

namespace {

const std::string kPng = "\x89PNG\r\n\x1a\n";
constexpr std::string_view kSearchCategory = "搜索";

// A picture's signature followed by filler: the fetch judges pictures by their first bytes.
std::string Picture(std::string_view signature, std::size_t size) {
  std::string bytes(signature);
  bytes.resize(size, 'p');
  return bytes;
}

std::string Reply(std::string_view body) {
  return "HTTP/1.1 200 OK\r\nContent-Type: image/x-icon\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + std::string(body);
}

// A site on 127.0.0.1 that answers each request with the next body of its script (the last one
// again when the script runs out) and records the request line and the client's name of each.
class FaviconFetchTest : public velora::testing::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    std::filesystem::create_directory(folder.path() / "icon");
    for (std::string_view table : {std::string_view("书签"), kSearchCategory}) {
      ASSERT_TRUE(db.Execute("create table " + std::string(table) +
                             " (code, 路径, 名称, 位置, 类别, 后缀, 图标, 日期)"));
    }
  }

  void Serve(std::vector<std::string> bodies) {
    server_ = LocalServer::Start([this, bodies](SOCKET connection, LocalServer& server) {
      const std::string raw = velora::testing::ReadHttpRequest(connection);
      if (raw.empty()) return;
      std::size_t index = 0;
      {
        std::lock_guard lock(mutex_);
        const std::size_t agent = raw.find("User-Agent: ");
        requests_.push_back(raw.substr(0, raw.find("\r\n")) + " | " +
                            raw.substr(agent + 12, raw.find("\r\n", agent) - agent - 12));
        index = std::min(requests_.size() - 1, bodies.size() - 1);
      }
      while (hold_.load() && server.Linger(std::chrono::milliseconds(10))) {
      }
      velora::testing::SendAll(connection, Reply(bodies[index]));
    });
    ASSERT_TRUE(server_);
  }

  std::string Site() const {
    return "http://127.0.0.1:" + std::to_string(server_->port()) + "/news/today.html?from=velora";
  }
  FaviconTarget AddWebItem(std::string_view table) {
    const std::string code = "网址" + Site();
    EXPECT_TRUE(store::AddItem(db, table, {code, {}, "新闻", "书签", "", {}}));
    return {std::string(table), code, 4};
  }
  acquire::FaviconPlaces Places() const { return {folder.path(), text::PathFromUtf8(DbPath())}; }
  std::filesystem::path IconFile() const {
    return folder.path() / "icon" / (acquire::IconKey(Site()) + ".ico");
  }
  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  std::string IconOf(std::string_view table, const std::string& code) {
    return store::ReadItem(db, table, code)->icon.value_or("(null)");
  }

  std::unique_ptr<LocalServer> server_;
  std::atomic<bool> hold_{false};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  acquire::NetFaviconDownloads downloads_;
};

// Pumps the thread's messages until the fetch's result arrives on this thread.
std::optional<FaviconResult> WaitForResult(std::optional<FaviconResult>& arrived, DWORD limit_ms) {
  (void)velora::testing::PumpUntil([&] { return arrived.has_value(); }, limit_ms);
  return std::exchange(arrived, std::nullopt);
}

}  // namespace

TEST_F(FaviconFetchTest, AThousandByteReplyIsStoredAsItCameAndOnlyItsOwnRowNamesIt) {
  const std::string icon = Picture(std::string("\0\0\1\0\1\0", 6), 1000);
  Serve({icon});
  const FaviconTarget target = AddWebItem("书签");
  AddWebItem(kSearchCategory);  // the same address in another category

  const FaviconResult result = acquire::FetchFavicon(target, Places(), downloads_);

  EXPECT_EQ(result.target, target);
  EXPECT_EQ(result.icon_key, acquire::IconKey(Site()));
  EXPECT_EQ(result.image, icon);
  EXPECT_EQ(settings::ReadFileBytes(IconFile()), icon);
  EXPECT_FALSE(std::filesystem::exists(settings::AtomicFile::TemporaryPath(IconFile())));
  EXPECT_EQ(IconOf("书签", target.code), result.icon_key);
  EXPECT_EQ(IconOf(kSearchCategory, target.code), "");
  // The host's icon over http, asked once with the request's own client name.
  EXPECT_THAT(Requests(), ElementsAre(StartsWith("GET /favicon.ico HTTP/1.1 | Mozilla/4.0")));
}

TEST_F(FaviconFetchTest, A999ByteReplyIsAskedForAgainWithThePlainDownload) {
  const std::string second = Picture("GIF89a", 2400);
  Serve({Picture(kPng, 999), second});
  const FaviconTarget target = AddWebItem(kSearchCategory);

  const FaviconResult result = acquire::FetchFavicon(target, Places(), downloads_);

  EXPECT_EQ(result.image, second);
  EXPECT_EQ(settings::ReadFileBytes(IconFile()), second);
  EXPECT_EQ(IconOf(kSearchCategory, target.code), acquire::IconKey(Site()));
  const std::vector<std::string> requests = Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_THAT(requests[1], StartsWith("GET /favicon.ico HTTP/1.1 | Velora"));
}

TEST_F(FaviconFetchTest, AReplyThatIsNoPictureLeavesNoFileAndTheRowAsItWas) {
  std::string page = "<!DOCTYPE html><html><body>没有这个文件</body></html>";
  page.resize(1500, ' ');
  Serve({page});
  const FaviconTarget target = AddWebItem("书签");
  ASSERT_TRUE(store::SetIcon(db, "书签", target.code, "0123456789"));

  const FaviconResult result = acquire::FetchFavicon(target, Places(), downloads_);

  EXPECT_EQ(result.image, "");
  EXPECT_EQ(result.icon_key, "");
  EXPECT_FALSE(std::filesystem::exists(IconFile()));
  EXPECT_FALSE(std::filesystem::exists(settings::AtomicFile::TemporaryPath(IconFile())));
  EXPECT_EQ(IconOf("书签", target.code), "0123456789");
}

TEST_F(FaviconFetchTest, RunsOnAWorkerOneAtATimeAndHandsTheResultBack) {
  const std::string icon = Picture(kPng, 1200);
  hold_ = true;
  Serve({icon});
  const FaviconTarget target = AddWebItem("书签");
  const auto ui = core::UiDispatcher::Create();
  ASSERT_TRUE(ui);
  acquire::FaviconFetcher fetcher(ui->Poster());
  std::optional<FaviconResult> arrived;
  const auto done = [&](FaviconResult result) { arrived = std::move(result); };

  ASSERT_TRUE(fetcher.Start(target, Places(), done));
  EXPECT_TRUE(fetcher.Busy());
  EXPECT_FALSE(fetcher.Start(target, Places(), done)) << "a second fetch while one runs";
  hold_ = false;

  const std::optional<FaviconResult> result = WaitForResult(arrived, 20000);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->target, target);
  EXPECT_EQ(result->image, icon);
  EXPECT_FALSE(fetcher.Busy());
  EXPECT_EQ(IconOf("书签", target.code), acquire::IconKey(Site()));
  EXPECT_EQ(Requests().size(), 1u);

  // Free again: a fetch for an address nobody answers still reports back, with nothing stored.
  const FaviconTarget nowhere{"书签", "网址http://127.0.0.1:1/", 0};
  ASSERT_TRUE(fetcher.Start(nowhere, Places(), done));
  const std::optional<FaviconResult> failed = WaitForResult(arrived, 40000);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->target, nowhere);
  EXPECT_EQ(failed->image, "");
}
