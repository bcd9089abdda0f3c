#pragma once
// Layout names of the launcher window's components; the settings file keys control states by
// these names, so they never change.
#include <string_view>

namespace velora::ui::names {

inline constexpr std::string_view kBackground = "图片框_窗口背景";
inline constexpr std::string_view kCommandBar = "图片框_设置栏";
inline constexpr std::string_view kRecentButton = "超级按钮_最近打开";
inline constexpr std::string_view kBookmarkButton = "超级按钮_书签";
inline constexpr std::string_view kClearButton = "超级按钮_清空";
inline constexpr std::string_view kAddPositionButton = "超级按钮_添加位置";
inline constexpr std::string_view kSettingsButton = "超级按钮_设置";
inline constexpr std::string_view kPinButton = "超级按钮_固定";
inline constexpr std::string_view kCategoryHolder = "图片框_分组框";
inline constexpr std::string_view kCategoryBar = "超级列表框_分组";
// Takes the bar's place while the user finds by typing.
inline constexpr std::string_view kQueryBox = "编辑框_查找";
inline constexpr std::string_view kQueryBoxLabel = "查找";  // what a screen reader calls the box
inline constexpr std::string_view kContent = "图片框_图标背景";
inline constexpr std::string_view kRecentList = "超级列表框";
inline constexpr std::string_view kGrid = "图标列表框";
inline constexpr std::string_view kGrip = "按钮EX_调整";
inline constexpr std::string_view kToastTemplate = "分组框_弹出提示";
inline constexpr std::string_view kSettingsPanel = "图片框_程序设置";
inline constexpr std::string_view kBookmarkPanel = "图片框_添加书签";
inline constexpr std::string_view kShortcutPanel = "图片框_添加快捷键";
inline constexpr std::string_view kGroupPanel = "图片框_添加分组";
inline constexpr std::string_view kBookmarkTitle = "超级按钮_添加书签";
inline constexpr std::string_view kBookmarkClose = "超级按钮_设置关闭";
inline constexpr std::string_view kBookmarkBody = "图片框_设置窗口1";
inline constexpr std::string_view kBookmarkAddress = "编辑框_书签地址";
inline constexpr std::string_view kBookmarkAddressLabel = "标签_视频标题2";
inline constexpr std::string_view kBookmarkName = "编辑框_书签标题";
inline constexpr std::string_view kBookmarkNameLabel = "标签_视频标题1";
inline constexpr std::string_view kBookmarkAdd = "按钮_书签添加";
inline constexpr std::string_view kShortcutTitle = "超级按钮_添加快捷键";
inline constexpr std::string_view kShortcutClose = "超级按钮_快捷键关闭";
inline constexpr std::string_view kShortcutBody = "图片框_设置窗口3";
inline constexpr std::string_view kFirstModifierLabel = "标签_功能键1";
inline constexpr std::string_view kFirstModifierList = "下拉框_功能键1";
inline constexpr std::string_view kSecondModifierLabel = "标签_功能键2";
inline constexpr std::string_view kSecondModifierList = "下拉框_功能键2";
inline constexpr std::string_view kShortcutKey = "编辑框_快捷键3";
inline constexpr std::string_view kShortcutKeyLabel = "标签_按键";
inline constexpr std::string_view kShortcutName = "编辑框_快捷键标题";
inline constexpr std::string_view kShortcutNameLabel = "标签_视频标题3";
inline constexpr std::string_view kShortcutStatus = "标签_快捷键状态";
inline constexpr std::string_view kShortcutAdd = "按钮_快捷键添加";
inline constexpr std::string_view kGroupTitle = "超级按钮_添加分组";
inline constexpr std::string_view kGroupClose = "超级按钮_添加分组关闭";
inline constexpr std::string_view kGroupBody = "图片框_设置窗口4";
inline constexpr std::string_view kGroupName = "编辑框_添加分组名称";
inline constexpr std::string_view kGroupNameLabel = "标签_视频标题5";
inline constexpr std::string_view kGroupConfirm = "按钮_添加分组";
inline constexpr std::string_view kTipLabel = "标签文本";

inline constexpr std::string_view kTipRecent = "最近打开";
inline constexpr std::string_view kTipBookmark = "添加书签";
inline constexpr std::string_view kTipClear = "清空列表";
inline constexpr std::string_view kTipAddAtEnd = "添加在尾";
inline constexpr std::string_view kTipAddAtFront = "添加在前";
inline constexpr std::string_view kTipPin = "窗口置顶";
inline constexpr std::string_view kTipGrip = "调整窗口大小";
inline constexpr std::string_view kTipSettings = "设置";
inline constexpr std::string_view kTipClose = "关闭";
inline constexpr std::string_view kToastTitle = "信息框";

// The add panels' own words.
inline constexpr std::string_view kShortcutTitleCaption = "添加快捷键";
inline constexpr std::string_view kAddGroupTitleCaption = "添加分组";
inline constexpr std::string_view kRenameGroupTitleCaption = "修改分组";
inline constexpr std::string_view kAddCaption = "添加";
inline constexpr std::string_view kRenameCaption = "修改";

// What a screen reader calls the components that show no text of their own.
inline constexpr std::string_view kBackgroundCaption = "窗口背景";
inline constexpr std::string_view kCategoryHolderCaption = "分组栏";
inline constexpr std::string_view kCommandBarCaption = "工具栏";
inline constexpr std::string_view kContentCaption = "图标区";
inline constexpr std::string_view kGridCaption = "图标列表";
inline constexpr std::string_view kRecentListCaption = "最近打开列表";
inline constexpr std::string_view kSettingsPanelCaption = "设置面板";
inline constexpr std::string_view kBookmarkPanelCaption = "添加书签面板";
inline constexpr std::string_view kShortcutPanelCaption = "添加快捷键面板";
inline constexpr std::string_view kGroupPanelCaption = "添加分组面板";
inline constexpr std::string_view kBookmarkBodyCaption = "书签内容";
inline constexpr std::string_view kShortcutBodyCaption = "快捷键内容";
inline constexpr std::string_view kGroupBodyCaption = "分组内容";

}  // namespace velora::ui::names
