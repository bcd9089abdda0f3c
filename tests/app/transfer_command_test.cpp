// The command line's export and import: which lines are commands, the words the hand-over
// carries, and the work on real store files (a replace that cannot back up changes nothing).
#include "app/transfer_command.h"

#include <gtest/gtest.h>

#include <fstream>

#include "store/items.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/path_code.h"
#include "transfer/category_tables.h"
#include "transfer/store_dump.h"

namespace velora::app {
namespace {

TEST(TransferCommandTest, ReadsTheCommandLine) {
  using V = TransferVerb;
  const struct {
    std::vector<std::string> arguments;
    std::optional<TransferRequest> request;
    bool misused;
  } cases[] = {
      {{}, std::nullopt, false},
      {{"/hidden"}, std::nullopt, false},
      {{"C:\\a.json"}, std::nullopt, false},
      {{"/export", "C:\\备份 1.json"}, TransferRequest{V::kExport, "C:\\备份 1.json"}, false},
      {{"-EXPORT", "a.json"}, TransferRequest{V::kExport, "a.json"}, false},
      {{"/import", "a.json"}, TransferRequest{V::kMerge, "a.json"}, false},
      {{"/Import", "a.json", "/REPLACE"}, TransferRequest{V::kReplace, "a.json"}, false},
      {{"/import", "a.json", "-replace"}, TransferRequest{V::kReplace, "a.json"}, false},
      // A switch where the file belongs, a missing file, a stray word: told how to use it.
      {{"/export"}, std::nullopt, true},
      {{"/import", "/replace"}, std::nullopt, true},
      {{"/import", ""}, std::nullopt, true},
      {{"/export", "a.json", "/replace"}, std::nullopt, true},
      {{"/import", "a.json", "b.json"}, std::nullopt, true},
      {{"/import", "a.json", "/replace", "/replace"}, std::nullopt, true},
  };
  for (const auto& c : cases) {
    const ParsedCommand parsed = ParseTransferCommand(c.arguments);
    const std::string line = c.arguments.empty() ? "" : c.arguments[0];
    EXPECT_EQ(parsed.request, c.request) << line << " " << c.arguments.size();
    EXPECT_EQ(parsed.misused, c.misused) << line << " " << c.arguments.size();
  }
}

TEST(TransferCommandTest, HandOverWordsComeBackAndRefuseStrangers) {
  const HandedRequest requests[] = {
      {1, 2, {TransferVerb::kExport, "C:\\a.json"}},
      {0xFFFFFFFF00000001ULL, 0x12345678, {TransferVerb::kReplace, "D:\\导出\n第二行.json"}},
      {7, 8, {TransferVerb::kMerge, "\\\\server\\share\\😀.json"}},
  };
  for (const HandedRequest& handed : requests) {
    EXPECT_EQ(DecodeRequest(EncodeRequest(handed)), handed) << handed.request.file;
  }
  for (const std::string_view stranger :
       {"", "1\n2\nexport\n", "1\n2\nimport\na", "x\n2\nexport\na", "1\n-2\nexport\na", "1\n2\nexport"}) {
    EXPECT_FALSE(DecodeRequest(stranger)) << stranger;
  }

  const TransferReply replies[] = {{true, "已导出 3 项"}, {false, "第一行\n第二行"}, {false, ""}};
  for (const TransferReply& reply : replies) {
    EXPECT_EQ(DecodeReply(EncodeReply(42, reply), 42), reply) << reply.text;
    EXPECT_FALSE(DecodeReply(EncodeReply(42, reply), 43)) << "an answer to another request";
  }
  EXPECT_FALSE(DecodeReply("42\nmaybe\nx", 42));
}

class TransferWorkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::OpenTemplateStore(source, folder.path() / "源.db");
    testing::OpenTemplateStore(target, folder.path() / "目标.db");
    const std::string tool = "D:\\Velora\\工具\\a.exe";
    ASSERT_TRUE(
        store::AddItem(source, "软件", {text::PathCode(tool), tool, "工具", ".exe", "", std::nullopt}));
    ASSERT_TRUE(store::AddItem(source, "书签", {"网址https://a.cn/", std::nullopt, "甲", "书签", "", ""}));
    places.settings_file = folder.path() / "设置.ini";
    std::ofstream(places.settings_file, std::ios::binary) << "[Window]\r\nWidth=640\r\n";
  }

  TransferReply Run(store::Database& db, TransferVerb verb, const std::function<bool()>& back_up) {
    return RunTransfer(db, {verb, text::PathToUtf8(file)}, places, back_up);
  }

  velora::testing::TempFolder folder;
  store::Database source;
  store::Database target;
  TransferPlaces places{{"C:\\Users\\甲", "D:\\Velora"}, {}};
  std::filesystem::path file = folder.path() / "导出 目录.json";
};

TEST_F(TransferWorkTest, ExportThenImportCarriesItemsAndSettings) {
  const auto never = []() -> bool {
    ADD_FAILURE() << "only a replace backs up";
    return false;
  };
  const std::size_t template_rows = transfer::CountRows(transfer::ReadCategories(target));
  TransferReply reply = Run(source, TransferVerb::kExport, never);
  EXPECT_TRUE(reply.ok);
  EXPECT_EQ(reply.text, "已导出 " + std::to_string(template_rows + 2) + " 项");
  std::ofstream(places.settings_file, std::ios::binary | std::ios::trunc) << "[Window]\r\nWidth=800\r\n";

  reply = Run(target, TransferVerb::kMerge, never);
  EXPECT_TRUE(reply.ok);
  EXPECT_EQ(reply.text.rfind("已导入 2 项，", 0), 0U) << reply.text;
  EXPECT_EQ(transfer::CountRows(transfer::ReadCategories(target)), template_rows + 2);
  std::ifstream settings(places.settings_file, std::ios::binary);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(settings), {}).find("=640"), std::string::npos);
  // A second merge finds every item there.
  EXPECT_TRUE(Run(target, TransferVerb::kMerge, never).ok);
  EXPECT_EQ(transfer::CountRows(transfer::ReadCategories(target)), template_rows + 2);
}

TEST_F(TransferWorkTest, ReplaceBacksUpFirstAndWithoutABackupChangesNothing) {
  ASSERT_TRUE(Run(source, TransferVerb::kExport, {}).ok);
  ASSERT_TRUE(store::AddItem(target, "书签", {"网址https://b.cn/", std::nullopt, "乙", "书签", "", ""}));
  const std::vector<std::string> before = testing::Dump(target);
  const TransferReply refused = Run(target, TransferVerb::kReplace, [] { return false; });
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.text, kBackupFailedNothingImported);
  EXPECT_EQ(testing::Dump(target), before);

  int backups = 0;
  EXPECT_TRUE(Run(target, TransferVerb::kReplace, [&] { return ++backups > 0; }).ok);
  EXPECT_EQ(backups, 1);
  EXPECT_EQ(transfer::ReadCategories(target), transfer::ReadCategories(source));
}

TEST_F(TransferWorkTest, RefusedFilesFailAndLeaveTheStoreAsItWas) {
  const std::vector<std::string> before = testing::Dump(target);
  const auto backed_up = [] { return true; };
  for (const std::string_view content :
       {"{\"format\":\"velora-catalogue\",\"version\":1,\"categories\":[", "{\"format\":\"other\"}", ""}) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
    for (const TransferVerb verb : {TransferVerb::kMerge, TransferVerb::kReplace}) {
      const TransferReply reply = Run(target, verb, backed_up);
      EXPECT_FALSE(reply.ok) << content;
      EXPECT_FALSE(reply.text.empty()) << content;
    }
  }
  std::filesystem::remove(file);
  EXPECT_FALSE(Run(target, TransferVerb::kMerge, backed_up).ok);
  EXPECT_EQ(testing::Dump(target), before);
  // An export into a folder that does not exist fails too.
  file = folder.path() / "没有" / "a.json";
  EXPECT_FALSE(Run(source, TransferVerb::kExport, {}).ok);
}

}  // namespace
}  // namespace velora::app
