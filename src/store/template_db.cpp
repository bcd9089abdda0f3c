#include "store/template_db.h"

#include <system_error>

#include "store/database.h"
#include "text/fs_path.h"

extern const unsigned char kTemplateSeed[];
extern const std::size_t kTemplateSeed_size;

namespace velora::store {

std::string_view TemplateSeed() { return {reinterpret_cast<const char*>(kTemplateSeed), kTemplateSeed_size}; }

bool WriteTemplateDatabase(const std::filesystem::path& target) {
  std::error_code ec;
  if (std::filesystem::exists(target, ec)) return false;
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  std::filesystem::remove(temporary, ec);  // a leftover of an interrupted run
  {
    Database db;
    if (!db.Open(text::PathToUtf8(temporary), Database::kOpenCreate) || !db.Execute(TemplateSeed())) {
      db.Close();
      std::filesystem::remove(temporary, ec);
      return false;
    }
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) std::filesystem::remove(temporary, ec);
  return !ec;
}

}  // namespace velora::store
