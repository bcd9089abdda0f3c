#pragma once
// The item store's own words that decide an item's kind and image: code prefixes, 后缀 values,
// place names and the picture extensions. Kept in one place so none is retyped.
#include <array>
#include <string_view>

namespace velora::exec {

namespace prefix {
inline constexpr std::string_view kWeb = "网址";
inline constexpr std::string_view kSystem = "系统";
inline constexpr std::string_view kMacro = "热键";
inline constexpr std::string_view kFunction = "功能";
inline constexpr std::string_view kText = "$$文本$$";
}  // namespace prefix

// A web address holding this is a search template.
inline constexpr std::string_view kKeywordPlaceholder = "$关键词$";

namespace place {
inline constexpr std::string_view kThisPc = "我的电脑";
inline constexpr std::string_view kDesktop = "桌面";
inline constexpr std::string_view kControlPanel = "控制面板";
inline constexpr std::string_view kRecycleBin = "回收站";
}  // namespace place

namespace suffix {
inline constexpr std::string_view kProgram = ".exe";
inline constexpr std::string_view kFolder = "文件夹";
inline constexpr std::string_view kTextFile = ".txt";
inline constexpr std::string_view kBookmark = "书签";
inline constexpr std::string_view kMacro = "热键";
inline constexpr std::string_view kFunction = "功能";
inline constexpr std::string_view kText = "文本";
}  // namespace suffix

inline constexpr std::string_view kShortcutEnding = ".lnk";
inline constexpr std::array<std::string_view, 5> kPictureExtensions = {".jpg", ".png", ".jpeg", ".gif",
                                                                       ".ico"};
inline constexpr std::array<std::string_view, 4> kVideoExtensions = {".mp4", ".mkv", ".avi", ".rmvb"};
inline constexpr std::array<std::string_view, 4> kAudioExtensions = {".mp3", ".wma", ".flac", ".aac"};

// The icon cache: "icon\" + key + ".ico" inside the data directory.
inline constexpr std::string_view kIconFolder = "icon";
inline constexpr std::string_view kIconFileEnding = ".ico";

// A caption writes a line break as this word.
inline constexpr std::string_view kLineBreakWord = "换行";

}  // namespace velora::exec
