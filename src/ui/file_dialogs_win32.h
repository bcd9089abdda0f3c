#pragma once
// The system's open and save dialogs for the catalogue file, and the merge-or-replace question.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace velora::ui {

inline constexpr std::string_view kCatalogueFileName = "Velora目录.json";
inline constexpr std::string_view kCatalogueFilter = "目录文件 (*.json)";
inline constexpr std::string_view kAllFilesFilter = "所有文件 (*.*)";
inline constexpr std::string_view kExportDialogTitle = "导出目录";
inline constexpr std::string_view kImportDialogTitle = "导入目录";
inline constexpr std::string_view kMergeOrReplace = "合并到现有目录？选“否”则替换现有目录（替换前会先备份）";

// Nothing when the user cancelled. A name typed without extension gets ".json".
std::optional<std::filesystem::path> AskExportFile(HWND owner);
std::optional<std::filesystem::path> AskImportFile(HWND owner);

enum class ImportChoice { kMerge, kReplace, kCancel };
ImportChoice AskMergeOrReplace(HWND owner);

}  // namespace velora::ui
