#pragma once
// The settings file's own names: the file, its sections, keys and escapes, and the layout names
// the load steps touch. Every one appears exactly once, here.
#include <cstdint>
#include <string_view>

namespace velora::settings {

inline constexpr std::string_view kSettingsFileName = "Velora配置.ini";  // in the data directory

// Section of the appearance and layout keys.
inline constexpr std::string_view kInitialSection = "初始化";
inline constexpr std::string_view kIconsPerPageKey = "图表数量";
inline constexpr std::string_view kWindowWidthKey = "窗口宽度";
inline constexpr std::string_view kWindowHeightKey = "窗口高度";
inline constexpr std::string_view kBackgroundKey = "窗口底色";
inline constexpr std::string_view kTextColourKey = "窗口字色";
inline constexpr std::string_view kCornerRadiusKey = "窗口圆角";
inline constexpr std::string_view kBorderColourKey = "窗口线色";
inline constexpr std::string_view kBorderWidthKey = "窗口线宽";
// Read only: a host answering like the default external-address service, for a network that
// cannot reach it. The program never writes this key.
inline constexpr std::string_view kExternalAddressHostKey = "外网地址服务器";

// Control-state sections, one per control type; the keys are the controls' layout names.
inline constexpr std::string_view kEditSection = "编辑框";
inline constexpr std::string_view kComboSection = "组合框";
inline constexpr std::string_view kCheckSection = "选择框";

// Escapes of the control-state values. Existing files depend on them byte for byte.
inline constexpr std::string_view kLineBreakEscape = "><br><";
inline constexpr std::string_view kQuoteEscape = "#引号";
inline constexpr std::string_view kFieldSeparator = "<|>";
inline constexpr std::string_view kEntrySeparator = "<||>";
inline constexpr std::string_view kCheckedValue = "真";
inline constexpr std::string_view kUncheckedValue = "假";
inline constexpr char kExclusionSeparator = '|';

// Restored controls and their combo entries are drawn in this colour, entries this tall.
inline constexpr std::uint32_t kControlTextColour = 0xFF303133;
inline constexpr int kComboEntryHeight = 40;

// Controls whose states are options: the hotkey list and the check boxes of the options page.
inline constexpr std::string_view kHotkeyList = "下拉框_热键";
inline constexpr std::string_view kSideButtonBox = "选择框_鼠标侧键上呼出";
inline constexpr std::string_view kMiddleButtonBox = "选择框_鼠标中键呼出";
inline constexpr std::string_view kDockingBox = "选择框_靠边伸缩";
inline constexpr std::string_view kHideOnLeaveBox = "选择框_移出窗口隐藏";
inline constexpr std::string_view kAutostartBox = "选择框_开机启动";
inline constexpr std::string_view kLaunchToFrontBox = "选择框_图标自动置顶";
inline constexpr std::string_view kTipsOffBox = "选择框_关闭提示";
inline constexpr std::string_view kHoverSelectBox = "选择框_分组滑动显示";
inline constexpr std::string_view kDoubleClickBox = "选择框_双击图标打开";

// Fields the load sets from the appearance after the generic restore.
inline constexpr std::string_view kCornerRadiusField = "编辑框_圆角度";
inline constexpr std::string_view kBorderWidthField = "编辑框_边线宽度";
inline constexpr std::string_view kBackgroundSwatch = "标签EX_背景色";
inline constexpr std::string_view kTextColourSwatch = "标签EX_字体色";
inline constexpr std::string_view kBorderColourSwatch = "标签EX_边线色";

}  // namespace velora::settings
