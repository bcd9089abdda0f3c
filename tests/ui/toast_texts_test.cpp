#include "ui/toast_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using velora::core::ToastKind;
using velora::store::GroupOutcome;
using velora::ui::GroupToast;
using velora::ui::StoreProblemText;
using velora::ui::Toast;

TEST(GroupToast, RefusalsAndDeletionsAreToldInTheirOwnWords) {
  EXPECT_EQ(GroupToast(GroupOutcome::kCreateFailed), (Toast{ToastKind::kFailed, "创建分组失败"}));
  EXPECT_EQ(GroupToast(GroupOutcome::kRenameFailed), (Toast{ToastKind::kFailed, "修改名称失败"}));
  EXPECT_EQ(GroupToast(GroupOutcome::kFixedGroupUndeletable),
            (Toast{ToastKind::kFailed, "初始分组框无法删除"}));
  EXPECT_EQ(GroupToast(GroupOutcome::kDeleted), (Toast{ToastKind::kDone, "删除分组完成"}));
  EXPECT_EQ(GroupToast(GroupOutcome::kDeleteFailed), (Toast{ToastKind::kFailed, "删除分组失败"}));
}

TEST(GroupToast, NewAndRenamedGroupsShowInTheBarWithoutAToast) {
  EXPECT_EQ(GroupToast(GroupOutcome::kCreated), std::nullopt);
  EXPECT_EQ(GroupToast(GroupOutcome::kRenamed), std::nullopt);
}

TEST(GroupToast, WhatLeftTheGroupsAsTheyWereIsAFailure) {
  for (GroupOutcome outcome : {GroupOutcome::kCreated, GroupOutcome::kCreateFailed, GroupOutcome::kRenamed,
                               GroupOutcome::kRenameFailed, GroupOutcome::kDeleted,
                               GroupOutcome::kDeleteFailed, GroupOutcome::kFixedGroupUndeletable}) {
    const std::optional<Toast> toast = GroupToast(outcome);
    if (!velora::store::Changed(outcome)) {
      ASSERT_TRUE(toast) << static_cast<int>(outcome);
      EXPECT_EQ(toast->kind, ToastKind::kFailed) << static_cast<int>(outcome);
    } else if (toast) {
      EXPECT_EQ(toast->kind, ToastKind::kDone) << static_cast<int>(outcome);
    }
  }
}

TEST(AutostartToast, EverySwitchIsAnsweredInItsOwnWords) {
  using velora::settings::AutostartOutcome;
  EXPECT_EQ(velora::ui::AutostartToast(AutostartOutcome::kOn), (Toast{ToastKind::kDone, "开机启动设置成功"}));
  EXPECT_EQ(velora::ui::AutostartToast(AutostartOutcome::kOnFailed),
            (Toast{ToastKind::kFailed, "开机启动设置失败"}));
  EXPECT_EQ(velora::ui::AutostartToast(AutostartOutcome::kOff),
            (Toast{ToastKind::kDone, "开机启动取消完成"}));
  EXPECT_EQ(velora::ui::AutostartToast(AutostartOutcome::kOffFailed),
            (Toast{ToastKind::kFailed, "开机启动取消失败"}));
}

TEST(StoreProblemText, EachProblemIsToldWithTheFileAndWhatItMeans) {
  using velora::store::OpenOutcome;
  const std::string path = "C:\\程序\\配置\\Velora.db";
  EXPECT_EQ(StoreProblemText(OpenOutcome::kOpened, path), "");
  for (const auto& [outcome, words] :
       {std::pair{OpenOutcome::kDamaged, "已损坏"}, std::pair{OpenOutcome::kLocked, "占用"},
        std::pair{OpenOutcome::kReadOnly, "只读"}, std::pair{OpenOutcome::kMissing, "无法打开"},
        std::pair{OpenOutcome::kUnreadable, "无法打开"}}) {
    const std::string text = StoreProblemText(outcome, path);
    EXPECT_NE(text.find(words), std::string::npos) << text;
    EXPECT_NE(text.find("\n" + path + "\n"), std::string::npos) << text;
  }
  // Nothing is lost: every problem that empties the panel says the file is kept or can be mended.
  EXPECT_NE(StoreProblemText(OpenOutcome::kDamaged, path).find("保持原样"), std::string::npos);
}

TEST(MissingItemsText, SaysWhatWentAndWhatWasKeptUnchecked) {
  EXPECT_EQ(velora::ui::MissingItemsText(0, 0), "没有失效的项目");
  EXPECT_EQ(velora::ui::MissingItemsText(1, 0), "清理失效完成，移除1项");
  EXPECT_EQ(velora::ui::MissingItemsText(12, 3), "清理失效完成，移除12项，3项所在位置无法访问，已保留");
  EXPECT_EQ(velora::ui::MissingItemsText(0, 2), "没有失效的项目，2项所在位置无法访问，已保留");
}
