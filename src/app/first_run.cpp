#include "app/first_run.h"

#include <system_error>

#include "settings/atomic_file.h"
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

std::filesystem::path ScreensaverPath(const std::filesystem::path& data_directory) {
  return data_directory / text::PathFromUtf8(kScreensaverFileName);
}

std::vector<std::filesystem::path> PrepareDataDirectory(const std::filesystem::path& data_directory,
                                                        std::string_view screensaver) {
  std::vector<std::filesystem::path> written;
  std::error_code ec;
  std::filesystem::create_directory(data_directory, ec);
  std::filesystem::create_directory(IconDirectory(data_directory), ec);

  const std::filesystem::path database = DatabasePath(data_directory);
  if (!std::filesystem::exists(database, ec) && store::WriteTemplateDatabase(database))
    written.push_back(database);

  // A program without its screensaver resource writes nothing: an empty file would stay for good.
  const std::filesystem::path saver = ScreensaverPath(data_directory);
  if (!screensaver.empty() && !std::filesystem::exists(saver, ec) &&
      settings::WriteFileAtomically(saver, screensaver)) {
    written.push_back(saver);
  }
  return written;
}

}  // namespace velora::app
