#include "ui/toast_motion.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace velora::ui;

namespace {

void Slide(ToastMotion& toast) {
  for (int i = 0; i < kToastSlideSteps; ++i) toast.Step();
}

}  // namespace

TEST(Toast, WidthByGbkLength) {
  EXPECT_EQ(ToastWidth("1234567890123456789"), 230);   // 19 bytes
  EXPECT_EQ(ToastWidth("12345678901234567890"), 350);  // 20 bytes
  EXPECT_EQ(ToastWidth("开机启动设置成功"), 230);      // 16 bytes in GBK, 24 in UTF-8
  EXPECT_EQ(ToastWidth("开机启动设置成功abcd"), 350);  // 20 bytes
}

TEST(Toast, QuickSuccessionStacksRowsAndFreesThemAtTheFade) {
  int showing = 0;
  std::vector<std::unique_ptr<ToastMotion>> toasts;
  for (int i = 0; i < 3; ++i) toasts.push_back(std::make_unique<ToastMotion>(showing, 510, "完成"));
  EXPECT_EQ(showing, 3);
  for (auto& toast : toasts) Slide(*toast);
  EXPECT_EQ(toasts[0]->rect(), (Rect{140, 50, 230, 60}));
  EXPECT_EQ(toasts[1]->rect().top, 110);
  EXPECT_EQ(toasts[2]->rect().top, 170);

  toasts[0]->EndHold();
  EXPECT_EQ(showing, 2);
  EXPECT_EQ(ToastMotion(showing, 510, "x").target_top(), 170);  // a new one stacks under the others
  EXPECT_EQ(showing, 2);                                        // and freed its row when it went
}

TEST(Toast, SlidesFromTheTopInItsStepsThenFades) {
  int showing = 0;
  ToastMotion toast(showing, 600, "开机启动设置成功abcd");
  EXPECT_EQ(toast.rect(), (Rect{125, 10, 350, 60}));  // centred
  toast.Step();
  EXPECT_GT(toast.rect().top, 10);
  for (int i = 1; i < kToastSlideSteps - 1; ++i) toast.Step();
  EXPECT_EQ(toast.phase(), ToastMotion::Phase::kSlide);
  EXPECT_LT(toast.rect().top, 50);
  toast.Step();
  EXPECT_EQ(toast.phase(), ToastMotion::Phase::kHold);
  EXPECT_EQ(toast.rect().top, 50);

  toast.Step();  // the hold is a wait, not steps
  EXPECT_EQ(toast.phase(), ToastMotion::Phase::kHold);
  toast.EndHold();
  EXPECT_EQ(showing, 0);
  int last_alpha = toast.alpha();
  EXPECT_EQ(last_alpha, 255);
  for (int i = 0; i < kToastFadeSteps; ++i) {
    toast.Step();
    EXPECT_LT(toast.alpha(), last_alpha);
    last_alpha = toast.alpha();
  }
  EXPECT_EQ(toast.phase(), ToastMotion::Phase::kDone);
  EXPECT_EQ(toast.alpha(), 0);
  toast.EndHold();
  EXPECT_EQ(showing, 0);
}

TEST(Toast, DestroyedEarlyFreesItsRow) {
  int showing = 0;
  { ToastMotion toast(showing, 510, "失败"); }
  EXPECT_EQ(showing, 0);
}
