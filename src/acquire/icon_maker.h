#pragma once
// What the item adder asks of the icon cache: a program's icon file and a picture's thumbnail.
#include <string>

namespace velora::acquire {

class IconMaker {
 public:
  virtual ~IconMaker() = default;
  // Writes the program's first icon group into the icon file of `icon_key` ("icon\" + key +
  // ".ico" in the data directory, through a temporary file and a rename). False, and no file,
  // when the program has no icon or cannot be read.
  virtual bool MakeProgramIcon(const std::string& program_path, const std::string& icon_key) = 0;
  // The hex text of the picture's thumbnail (100 wide, PNG); empty when the file cannot be read
  // or decoded.
  virtual std::string PictureThumbnailHex(const std::string& picture_path) = 0;
};

}  // namespace velora::acquire
