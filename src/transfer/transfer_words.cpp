#include "transfer/transfer_words.h"

namespace velora::transfer {
namespace {

std::string_view RefusalText(Refusal refusal) {
  switch (refusal) {
    case Refusal::kNone:
      break;
    case Refusal::kUnreadable:
      return "无法读取文件";
    case Refusal::kTooLarge:
      return "文件太大（超过 64 MB），不是可导入的文件";
    case Refusal::kMalformed:
      return "文件内容已损坏，无法导入";
    case Refusal::kTooDeep:
      return "文件层次过深，不是可导入的文件";
    case Refusal::kNotCatalogue:
      return "这不是 Velora 导出的文件";
    case Refusal::kNewerVersion:
      return "文件来自更新版本的 Velora，请先升级";
    case Refusal::kBadContent:
      return "文件内容有误，未导入任何项目";
    case Refusal::kNotBookmarks:
      return "这不是浏览器的书签文件";
    case Refusal::kCopyFailed:
      return "无法复制书签文件，请关闭浏览器后再试";
    case Refusal::kNotSaved:
      return "无法写入数据库，未导入任何项目";
  }
  return {};
}

}  // namespace

std::string ImportText(const TransferResult& result) {
  if (!result.ok()) {
    std::string text(RefusalText(result.refusal));
    if (!result.detail.empty()) text.append("：").append(result.detail);
    return text;
  }
  std::string text = "已导入 " + std::to_string(result.imported) + " 项";
  if (result.duplicates > 0) text += "，跳过 " + std::to_string(result.duplicates) + " 项重复";
  if (result.left_out > 0) text += "，" + std::to_string(result.left_out) + " 项无法使用，未导入";
  return text;
}

std::string ExportText(std::optional<std::size_t> items) {
  return items ? "已导出 " + std::to_string(*items) + " 项" : std::string(kExportFailed);
}

}  // namespace velora::transfer
