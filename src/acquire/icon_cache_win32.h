#pragma once
// The icon cache as the item adder uses it: program icons extracted into the data directory's
// "icon" folder, picture thumbnails made in memory.
#include <filesystem>
#include <string>

#include "acquire/icon_maker.h"

namespace velora::acquire {

class IconCache final : public IconMaker {
 public:
  explicit IconCache(std::filesystem::path data_directory) : data_directory_(std::move(data_directory)) {}

  bool MakeProgramIcon(const std::string& program_path, const std::string& icon_key) override;
  std::string PictureThumbnailHex(const std::string& picture_path) override;

 private:
  std::filesystem::path data_directory_;
};

}  // namespace velora::acquire
