#pragma once
// Every text the screensaver shows.
#include <array>
#include <string_view>

namespace velora::flipit {

inline constexpr std::string_view kTitle = "Velora 翻页时钟屏保";
// The settings dialog: there is nothing to set.
inline constexpr std::string_view kAboutText =
    "在每台显示器上全屏显示翻页样式的大时钟。按任意键、点击鼠标或移动鼠标即可退出。";
inline constexpr std::string_view kAboutNoOptions = "此屏保没有可以设置的选项。";
inline constexpr std::string_view kOk = "确定";
inline constexpr std::array<std::string_view, 7> kWeekdays = {"星期日", "星期一", "星期二", "星期三",
                                                              "星期四", "星期五", "星期六"};

}  // namespace velora::flipit
