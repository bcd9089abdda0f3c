#pragma once
// The adder's view of the file system and of shell links, for real.
#include "acquire/dropped_item.h"

namespace velora::acquire {

class ShellPathFacts final : public PathFacts {
 public:
  bool IsFolder(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  std::optional<exec::ShortcutTarget> ResolveShortcut(const std::string& path) override;
};

}  // namespace velora::acquire
