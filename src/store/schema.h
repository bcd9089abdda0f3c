#pragma once
// Names of the item store: the fixed categories, the item columns and the field list groups
// are created from.
#include <array>
#include <string_view>

namespace velora::store {

inline constexpr std::array<std::string_view, 7> kFixedCategories = {"软件", "目录", "书签", "图片",
                                                                     "文档", "热键", "搜索"};

inline constexpr std::string_view kSoftwareCategory = "软件";
inline constexpr std::string_view kBookmarkCategory = "书签";
// The one fixed category without a key: it is created from the field list, as groups are.
inline constexpr std::string_view kSearchCategory = "搜索";

namespace column {
inline constexpr std::string_view kCode = "code";
inline constexpr std::string_view kPath = "路径";
inline constexpr std::string_view kName = "名称";
inline constexpr std::string_view kSuffix = "后缀";
inline constexpr std::string_view kIcon = "图标";
inline constexpr std::string_view kDate = "日期";
}  // namespace column

inline constexpr std::string_view kItemFieldList =
    "code|10|4096\r\n路径|10|4096\r\n名称|10|4096\r\n位置|10|4096\r\n类别|10|4096\r\n后缀|10|4096\r\n"
    "图标|10|4096\r\n日期|10|4096";

// The savepoint that groups the writes of one add.
inline constexpr std::string_view kSavepoint = "事务";

bool IsFixedCategory(std::string_view name);

}  // namespace velora::store
