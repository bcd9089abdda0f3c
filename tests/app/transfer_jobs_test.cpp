// The about page's export and import as the program runs them: off the UI thread on a connection
// of their own, the outcome back on the UI thread in the bar, the grid and a toast.
#include "app/transfer_jobs_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/groups.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "toolkit/category_bar.h"
#include "transfer/transfer_words.h"
#include "ui/item_grid.h"
#include "ui/launcher_test_parts.h"

namespace velora::app {
namespace {

using ui::test_parts::Parts;

TEST(CombineImportsTest, AddsTheTakenAndRefusesOnlyWhenAllWere) {
  using transfer::Refusal;
  using transfer::TransferResult;
  const TransferResult a{Refusal::kNone, 3, 1, 0, ""};
  const TransferResult b{Refusal::kNone, 2, 0, 4, ""};
  const TransferResult copy_failed = transfer::Refused(Refusal::kCopyFailed);
  const TransferResult not_bookmarks = transfer::Refused(Refusal::kNotBookmarks);
  const struct {
    std::vector<TransferResult> results;
    TransferResult expected;
  } cases[] = {
      {{}, {}},
      {{a, b}, {Refusal::kNone, 5, 1, 4, ""}},
      {{copy_failed, a}, a},  // one locked browser does not spoil the others
      {{not_bookmarks, copy_failed}, not_bookmarks},
  };
  for (const auto& c : cases) EXPECT_EQ(CombineImports(c.results), c.expected) << c.results.size();
}

class TransferJobsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(source.Make());
    ASSERT_TRUE(store::CreateGroup(source.db, "工具箱") == store::GroupOutcome::kCreated);
    ASSERT_TRUE(store::AddItem(source.db, "书签", {kCode, std::nullopt, "甲", "书签", "", ""}));
    ASSERT_TRUE(shown.Make());
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), host, gdiplus));
    window.FillCategoryBar(store::BuildCategoryList(shown.db));
    window.ShowCategory("书签");
  }
  void TearDown() override { window.Destroy(); }

  // Jobs on `store`'s file whose outcome the window shows, as the program wires them.
  std::unique_ptr<TransferJobs> JobsOn(ui::test_parts::StoreFolder& store) {
    TransferJobHooks hooks;
    hooks.imported = [this] {
      window.FillCategoryBar(store::BuildCategoryList(shown.db));
      window.RefreshGrid();
    };
    hooks.toast = [this](core::ToastKind kind, std::string_view text) {
      toasts.emplace_back(text);
      window.ShowToast(kind, text);
    };
    return TransferJobs::Create(store.data() / L"Velora.db", {{}, store.data() / L"Velora配置.ini"},
                                std::move(hooks));
  }

  // The UI thread keeps answering while the job runs; false when it did not end in time.
  static bool Finish(TransferJobs& jobs) {
    for (int i = 0; i < 200 && jobs.Busy(); ++i) ui::test_parts::Pump(25);
    return !jobs.Busy();
  }

  std::vector<std::string> BarCaptions() {
    std::vector<std::string> captions;
    for (const auto& cell : Parts::category_bar(window).model().cells()) captions.push_back(cell.caption);
    return captions;
  }

  static constexpr const char* kCode = "网址https://导出.example/";
  ui::test_parts::StoreFolder source{"jobs-source"};
  ui::test_parts::StoreFolder shown{"jobs-shown"};
  toolkit::GdiplusSession gdiplus;
  ui::test_parts::BuildingHost host;
  settings::OptionsHolder options;
  ui::LauncherWindow window{ui::test_parts::ServicesFor(options, shown)};
  std::vector<std::string> toasts;
};

TEST_F(TransferJobsTest, ExportThenMergeShowsTheItemsInTheRunningWindow) {
  const std::filesystem::path file = source.folder / L"导出 目录.json";
  const std::size_t items = store::CountItems(source.data() / L"Velora.db").value_or(0);
  {
    const auto exports = JobsOn(source);
    ASSERT_NE(exports, nullptr);
    ASSERT_TRUE(exports->Start({TransferVerb::kExport, text::PathToUtf8(file)}));
    ASSERT_TRUE(Finish(*exports));
  }
  ASSERT_EQ(toasts, std::vector<std::string>{transfer::ExportText(items)});
  ASSERT_TRUE(std::filesystem::exists(file));

  const auto imports = JobsOn(shown);
  ASSERT_NE(imports, nullptr);
  const std::vector<std::string> bar_before = BarCaptions();
  const TransferRequest merge{TransferVerb::kMerge, text::PathToUtf8(file)};
  ASSERT_TRUE(imports->Start(merge));
  EXPECT_FALSE(imports->Start(merge)) << "one job at a time";
  ASSERT_TRUE(Finish(*imports));
  // The template's own rows were there already; the new group and the bookmark were not.
  ASSERT_GE(toasts.size(), 3u);
  EXPECT_EQ(toasts[1], kTransferRunning);
  EXPECT_EQ(toasts.back(), transfer::ImportText({transfer::Refusal::kNone, 1, items - 1, 0, ""}));
  std::vector<std::string> bar_after = bar_before;
  bar_after.push_back("工具箱");
  EXPECT_EQ(BarCaptions(), bar_after);
  EXPECT_EQ(window.shown_category(), "书签");
  bool shown_in_grid = false;
  for (int cell = 0; const std::string* code = Parts::grid(window).model().CodeAt(cell); ++cell) {
    shown_in_grid = shown_in_grid || *code == kCode;
  }
  EXPECT_TRUE(shown_in_grid) << "the grid reads the store again";
}

}  // namespace
}  // namespace velora::app
