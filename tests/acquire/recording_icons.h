#pragma once
// An icon cache that records what it was asked for and answers as told.
#include <functional>
#include <string>
#include <vector>

#include "acquire/icon_maker.h"

namespace velora::acquire::testing {

class RecordingIcons final : public IconMaker {
 public:
  bool MakeProgramIcon(const std::string& program_path, const std::string& icon_key) override {
    calls.push_back("icon " + program_path + " " + icon_key);
    if (on_call) on_call();
    return program_has_icon;
  }
  std::string PictureThumbnailHex(const std::string& picture_path) override {
    calls.push_back("thumbnail " + picture_path);
    if (on_call) on_call();
    return thumbnail;
  }

  std::vector<std::string> calls;
  std::function<void()> on_call;
  bool program_has_icon = true;
  std::string thumbnail;
};

}  // namespace velora::acquire::testing
