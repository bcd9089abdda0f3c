#pragma once
// Encoded image bytes for a cell: either a view of a built-in image compiled into the program,
// or bytes of its own (an icon file, a decoded thumbnail). Copies stay valid either way.
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace velora::exec {

class ImageBytes {
 public:
  ImageBytes() = default;
  // For data that lives as long as the program, such as the built-in images.
  static ImageBytes Static(std::string_view bytes) { return ImageBytes(bytes); }
  static ImageBytes Owned(std::string bytes) { return ImageBytes(std::move(bytes)); }

  std::string_view bytes() const {
    if (const auto* view = std::get_if<std::string_view>(&data_)) return *view;
    return std::get<std::string>(data_);
  }
  bool empty() const { return bytes().empty(); }

 private:
  explicit ImageBytes(std::string_view view) : data_(view) {}
  explicit ImageBytes(std::string owned) : data_(std::move(owned)) {}

  std::variant<std::string_view, std::string> data_;
};

}  // namespace velora::exec
