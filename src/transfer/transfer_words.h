#pragma once
// The window's words for what an export or import did.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "transfer/outcome.h"

namespace velora::transfer {

inline constexpr std::string_view kExportFailed = "导出失败，无法写入文件";

// "已导入 123 项，跳过 4 项重复", or why nothing was imported.
std::string ImportText(const TransferResult& result);
// "已导出 123 项", or kExportFailed.
std::string ExportText(std::optional<std::size_t> items);

}  // namespace velora::transfer
