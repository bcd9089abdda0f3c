#pragma once
// The window's words for what became of dropped files.
#include <string_view>

namespace velora::acquire {

// A dropped path longer than an item can hold was not added (a 失败 toast).
inline constexpr std::string_view kPathTooLong = "路径超过499个字符，无法添加";
// The item store refused the new item (a read-only or damaged store; a 失败 toast).
inline constexpr std::string_view kItemNotSaved = "添加失败，无法写入数据库";

}  // namespace velora::acquire
