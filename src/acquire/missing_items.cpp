#include "acquire/missing_items.h"

#include <map>

#include "exec/item_kind.h"

namespace velora::acquire {

std::vector<FileItem> FileItemsOf(const std::vector<std::string>& codes) {
  std::vector<FileItem> items;
  for (const std::string& code : codes) {
    const exec::ClassifiedCode classified = exec::KindOfCode(code);
    if (!exec::IsFileKind(classified.kind) || classified.payload.empty()) continue;
    items.push_back({code, classified.payload});
  }
  return items;
}

MissingCheck FindMissing(const std::vector<FileItem>& items,
                         const std::function<PathPresence(const std::string& path)>& probe) {
  MissingCheck check;
  std::map<std::string, PathPresence> answers;
  for (const FileItem& item : items) {
    auto [at, fresh] = answers.try_emplace(item.path, PathPresence::kUnknown);
    if (fresh) at->second = probe(item.path);
    if (at->second == PathPresence::kMissing) check.missing_codes.push_back(item.code);
    if (at->second == PathPresence::kUnknown) ++check.unchecked;
  }
  return check;
}

}  // namespace velora::acquire
