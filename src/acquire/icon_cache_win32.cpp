#include "acquire/icon_cache_win32.h"

#include "acquire/icon_extract_win32.h"
#include "acquire/picture_win32.h"
#include "core/file_bytes.h"
#include "exec/suffix_icon.h"
#include "text/fs_path.h"
#include "text/hex.h"

namespace velora::acquire {

bool IconCache::MakeProgramIcon(const std::string& program_path, const std::string& icon_key) {
  const std::optional<std::filesystem::path> file = exec::IconFilePath(data_directory_, icon_key);
  return file && ExtractProgramIcon(text::PathFromUtf8(program_path), *file);
}

std::string IconCache::PictureThumbnailHex(const std::string& picture_path) {
  const std::optional<std::string> bytes = core::ReadFileBytes(text::PathFromUtf8(picture_path));
  if (!bytes) return {};
  const std::string thumbnail = ItemThumbnail(*bytes);
  return thumbnail.empty() ? std::string() : text::HexEncode(thumbnail);
}

}  // namespace velora::acquire
