#pragma once
// A file system of named folders, files and shortcuts, recording which shortcuts were read.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "acquire/dropped_item.h"

namespace velora::acquire::testing {

class FakePathFacts final : public PathFacts {
 public:
  bool IsFolder(const std::string& path) override { return folders.contains(path); }
  bool IsFile(const std::string& path) override { return files.contains(path); }
  std::optional<exec::ShortcutTarget> ResolveShortcut(const std::string& path) override {
    resolved.push_back(path);
    const auto link = links.find(path);
    if (link == links.end()) return std::nullopt;
    return link->second;
  }

  std::set<std::string> folders;
  std::set<std::string> files;
  std::map<std::string, exec::ShortcutTarget> links;
  std::vector<std::string> resolved;
};

}  // namespace velora::acquire::testing
