#include "acquire/favicon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velora::acquire;
using ::testing::ElementsAre;

namespace {

const std::string kPng = "\x89PNG\r\n\x1a\n";

std::string Padded(const std::string& start, std::size_t size) {
  return start + std::string(size - start.size(), 'z');
}

// Replies by kind of download and records what was asked.
class ScriptedDownloads final : public FaviconDownloads {
 public:
  ScriptedDownloads(std::string request_reply, std::string plain_reply)
      : request_reply_(std::move(request_reply)), plain_reply_(std::move(plain_reply)) {}
  std::string Request(const std::string& url) override {
    asked.push_back("request " + url);
    return request_reply_;
  }
  std::string PlainDownload(const std::string& url) override {
    asked.push_back("plain " + url);
    return plain_reply_;
  }
  std::vector<std::string> asked;

 private:
  std::string request_reply_;
  std::string plain_reply_;
};

}  // namespace

TEST(FaviconAddress, AsksTheHostOverHttpAndKeysTheWholeAddress) {
  const FaviconAddress a = FaviconAddressOf("网址https://www.example.com/path/page.html?q=1&r=2");
  EXPECT_EQ(a.site, "https://www.example.com/path/page.html?q=1&r=2");
  EXPECT_EQ(a.favicon, "http://www.example.com/favicon.ico");

  EXPECT_EQ(FaviconAddressOf("网址https://example.com").favicon, "http://example.com/favicon.ico");
  EXPECT_EQ(FaviconAddressOf("网址http://example.com/").favicon, "http://example.com/favicon.ico");
  EXPECT_EQ(FaviconAddressOf("网址HTTPS://Example.com:8080/a").favicon,
            "http://Example.com:8080/favicon.ico");
  EXPECT_EQ(FaviconAddressOf("网址www.example.com/a/b").favicon, "http://www.example.com/favicon.ico");
  EXPECT_EQ(FaviconAddressOf("网址example.com?x=/y").favicon, "http://example.com/favicon.ico");
  EXPECT_EQ(FaviconAddressOf("网址example.com#top").favicon, "http://example.com/favicon.ico");
  // A search template keeps its placeholder in the key's text.
  EXPECT_EQ(FaviconAddressOf("网址https://www.example.com/s?wd=$关键词$").site,
            "https://www.example.com/s?wd=$关键词$");
}

TEST(FaviconAddress, RewritesTheShoppingSearchHostToItsMainHost) {
  EXPECT_EQ(FaviconAddressOf("网址https://s.taobao.com/search?q=$关键词$").favicon,
            "http://www.taobao.com/favicon.ico");
  EXPECT_EQ(FaviconAddressOf("网址http://S.TaoBao.COM/").favicon, "http://www.taobao.com/favicon.ico");
  // Only that host: a longer host that ends the same way is another site.
  EXPECT_EQ(FaviconAddressOf("网址https://ss.taobao.com/").favicon, "http://ss.taobao.com/favicon.ico");
  EXPECT_EQ(RewriteFaviconUrl("http://s.taobao.com/x http://s.taobao.com/"),
            "http://www.taobao.com/x http://www.taobao.com/");
}

TEST(FaviconAddress, CodesWithoutAnAddressGiveAMeaninglessAddressNotAFailure) {
  EXPECT_EQ(FaviconAddressOf("").favicon, "http:///favicon.ico");
  EXPECT_EQ(FaviconAddressOf("热键17+0+70").site, "热键17+0+70");
}

TEST(DownloadFavicon, AsksAgainWithThePlainDownloadOnlyBelowAThousandBytes) {
  const std::string url = "http://example.com/favicon.ico";
  ScriptedDownloads small(Padded(kPng, 999), Padded("GIF89a", 1500));
  EXPECT_EQ(DownloadFavicon(url, small), Padded("GIF89a", 1500));
  EXPECT_THAT(small.asked, ElementsAre("request " + url, "plain " + url));

  ScriptedDownloads enough(Padded(kPng, 1000), Padded("GIF89a", 1500));
  EXPECT_EQ(DownloadFavicon(url, enough), Padded(kPng, 1000));
  EXPECT_THAT(enough.asked, ElementsAre("request " + url));
}

TEST(DownloadFavicon, KeepsOnlyPictures) {
  const std::string url = "http://example.com/favicon.ico";
  // The second reply is no picture: a small first one that is stays.
  ScriptedDownloads second_broken(Padded(kPng, 318), "<html>not found</html>");
  EXPECT_EQ(DownloadFavicon(url, second_broken), Padded(kPng, 318));
  ScriptedDownloads first_empty("", Padded("\xFF\xD8\xFF", 700));
  EXPECT_EQ(DownloadFavicon(url, first_empty), Padded("\xFF\xD8\xFF", 700));
  ScriptedDownloads error_page(Padded("<!DOCTYPE html>", 4000), "");
  EXPECT_EQ(DownloadFavicon(url, error_page), "");
  ScriptedDownloads nothing("", "");
  EXPECT_EQ(DownloadFavicon(url, nothing), "");
}

TEST(CellShowsTarget, OnlyWhileTheCellStillShowsTheItemOfThatCategory) {
  const FaviconTarget target{"书签", "网址https://example.com/", 3};
  EXPECT_TRUE(CellShowsTarget(target, "书签", "网址https://example.com/"));
  EXPECT_FALSE(CellShowsTarget(target, "搜索", "网址https://example.com/")) << "category switched";
  EXPECT_FALSE(CellShowsTarget(target, "书签", "网址https://other.example/")) << "page turned";
  EXPECT_FALSE(CellShowsTarget(target, "书签", std::nullopt)) << "the cell is empty now";
}
