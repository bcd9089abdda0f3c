#include "acquire/clear_icon.h"

#include "assets/images/builtin_images.h"
#include "store/items.h"

namespace velora::acquire {

exec::ImageBytes ClearItemIcon(store::Database& db, std::string_view table, std::string_view code) {
  if (!store::ClearIcon(db, table, code)) return {};
  return exec::ImageBytes::Static(assets::ImageBytesOf(assets::BuiltinImage::kDefaultItem));
}

}  // namespace velora::acquire
