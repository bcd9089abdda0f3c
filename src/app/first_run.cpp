#include "app/first_run.h"

#include <system_error>

#include "store/template_db.h"
#include "text/fs_path.h"

namespace velora::app {

std::filesystem::path DataDirectory(const std::filesystem::path& executable_directory) {
  return executable_directory / text::PathFromUtf8(kDataFolderName);
}

std::filesystem::path DatabasePath(const std::filesystem::path& data_directory) {
  return data_directory / text::PathFromUtf8(kDatabaseFileName);
}

std::filesystem::path IconDirectory(const std::filesystem::path& data_directory) {
  return data_directory / text::PathFromUtf8(kIconFolderName);
}

void PrepareDataDirectory(const std::filesystem::path& data_directory) {
  std::error_code ec;
  std::filesystem::create_directory(data_directory, ec);
  std::filesystem::create_directory(IconDirectory(data_directory), ec);
  const std::filesystem::path database = DatabasePath(data_directory);
  if (!std::filesystem::exists(database, ec)) (void)store::WriteTemplateDatabase(database);
}

}  // namespace velora::app
