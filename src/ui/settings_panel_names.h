#pragma once
// Layout names and captions of the settings panel. The control-state sections of the settings
// file are keyed by these names, so they never change. Names the settings file's load steps
// touch live in settings/names.h, those the launcher window reads in launcher_names.h.
#include <string_view>

namespace velora::ui::settings_names {

inline constexpr std::string_view kTitle = "超级按钮_程序设置";
inline constexpr std::string_view kClose = "超级按钮_设置关闭1";
inline constexpr std::string_view kBody = "图片框_设置窗口2";
inline constexpr std::string_view kTabs = "选择夹_组件";
inline constexpr std::string_view kOptionsPage = "图片框_设置页";
inline constexpr std::string_view kSkinPage = "图片框_皮肤页";
inline constexpr std::string_view kAboutPage = "图片框_关于页";

// Page "设置".
inline constexpr std::string_view kHotkeyLabel = "标签_呼出快捷键";
inline constexpr std::string_view kRestartButton = "按钮_程序重启";
inline constexpr std::string_view kSaveButton = "按钮_保存配置";

// Page "皮肤".
inline constexpr std::string_view kBackgroundLabel = "标签_功能键3";
inline constexpr std::string_view kBackgroundFrame = "编辑框_rgb颜色值";
inline constexpr std::string_view kBackgroundMark = "图片框_可清空4";
inline constexpr std::string_view kTextColourLabel = "标签_功能键4";
inline constexpr std::string_view kTextColourFrame = "编辑框_rgb颜色值1";
inline constexpr std::string_view kTextColourMark = "图片框_可清空1";
inline constexpr std::string_view kBorderColourLabel = "标签_功能键6";
inline constexpr std::string_view kBorderColourFrame = "编辑框_rgb颜色值2";
inline constexpr std::string_view kBorderColourMark = "图片框_可清空2";
inline constexpr std::string_view kRadiusLabel = "标签_功能键5";
inline constexpr std::string_view kRadiusDown = "按钮_减";
inline constexpr std::string_view kRadiusUp = "按钮_加";
inline constexpr std::string_view kBorderWidthLabel = "标签_功能键7";
inline constexpr std::string_view kBorderWidthDown = "按钮_减1";
inline constexpr std::string_view kBorderWidthUp = "按钮_加1";
inline constexpr std::string_view kPicker = "选色板_取色";
inline constexpr std::string_view kApplyButton = "按钮_应用设置";

// Page "关于".
inline constexpr std::string_view kAboutName = "标签_关于";
inline constexpr std::string_view kVersionLabel = "标签_当前版本";
inline constexpr std::string_view kDisclaimerTitle = "标签_关于声明";
inline constexpr std::string_view kDisclaimerText = "标签_声明内容";
inline constexpr std::string_view kBackupList = "超级列表框_备份";
inline constexpr std::string_view kRestoreButton = "按钮_恢复备份";
inline constexpr std::string_view kExportButton = "按钮_导出目录";
inline constexpr std::string_view kImportButton = "按钮_导入目录";
inline constexpr std::string_view kBookmarksButton = "按钮_导入书签";

// Captions.
inline constexpr std::string_view kTitleCaption = "设置";
inline constexpr std::string_view kOptionsTab = "设置";
inline constexpr std::string_view kSkinTab = "皮肤";
inline constexpr std::string_view kAboutTab = "关于";
inline constexpr std::string_view kHotkeyCaption = "呼出窗口热键";
inline constexpr std::string_view kHotkeyDone = "热键注册成功";
inline constexpr std::string_view kHotkeyFailed = "热键注册失败";
inline constexpr std::string_view kRestartCaption = "重启";
inline constexpr std::string_view kSaveCaption = "保存";
inline constexpr std::string_view kApplyCaption = "应用";
inline constexpr std::string_view kProductName = "Velora";
inline constexpr std::string_view kDisclaimerCaption = "免责申明";
inline constexpr std::string_view kDisclaimer = "1.因使用本软件产生的任何问题，软件作者概不负责。";
inline constexpr std::string_view kBackupTimeColumn = "备份时间";
inline constexpr std::string_view kBackupItemsColumn = "物品";
inline constexpr std::string_view kRestoreCaption = "恢复";
inline constexpr std::string_view kExportCaption = "导出…";
inline constexpr std::string_view kImportCaption = "导入…";
inline constexpr std::string_view kBookmarksCaption = "导入浏览器书签…";

// What a screen reader calls the parts that show no text of their own.
inline constexpr std::string_view kBodyCaption = "设置内容";
inline constexpr std::string_view kTabsCaption = "设置分页";
inline constexpr std::string_view kOptionsPageCaption = "设置页";
inline constexpr std::string_view kSkinPageCaption = "皮肤页";
inline constexpr std::string_view kAboutPageCaption = "关于页";
inline constexpr std::string_view kBackupListCaption = "备份";
inline constexpr std::string_view kBackgroundColourCaption = "背景色";
inline constexpr std::string_view kTextColourCaption = "字体色";
inline constexpr std::string_view kBorderColourCaption = "边线色";
inline constexpr std::string_view kPickerCaption = "取色";

}  // namespace velora::ui::settings_names
