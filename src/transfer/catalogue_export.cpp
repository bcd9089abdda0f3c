#include "transfer/catalogue_export.h"

#include <system_error>

#include "settings/atomic_file.h"
#include "settings/ini_document.h"
#include "transfer/catalogue_json.h"
#include "transfer/category_tables.h"

namespace velora::transfer {

std::string ExportCatalogue(store::Database& db, const SettingsMap& settings, const Roots& roots) {
  return CatalogueToJson({ReadCategories(db), settings}, roots);
}

std::optional<std::size_t> ExportToFile(store::Database& db, const SettingsMap& settings, const Roots& roots,
                                        const std::filesystem::path& file) {
  Catalogue catalogue{ReadCategories(db), settings};
  if (!settings::WriteFileAtomically(file, CatalogueToJson(catalogue, roots))) return std::nullopt;
  return CountRows(catalogue.categories);
}

SettingsMap ReadSettingsFile(const std::filesystem::path& file) {
  SettingsMap settings;
  const std::optional<std::string> bytes = settings::ReadFileBytes(file);
  if (!bytes) return settings;
  for (settings::IniDocument::Entry& entry : settings::IniDocument::Parse(*bytes).Entries()) {
    settings[std::move(entry.section)].emplace(std::move(entry.key), std::move(entry.value));
  }
  return settings;
}

bool MergeIntoSettingsFile(const std::filesystem::path& file, const SettingsMap& settings) {
  std::error_code ec;
  const bool exists = std::filesystem::exists(file, ec);
  if (ec) return false;
  const std::optional<std::string> bytes = exists ? settings::ReadFileBytes(file) : std::string();
  if (!bytes) return false;  // a file that cannot be read is never replaced
  settings::IniDocument document = settings::IniDocument::Parse(*bytes);
  for (const auto& [section, keys] : settings) {
    for (const auto& [key, value] : keys) (void)document.Set(section, key, value);
  }
  return settings::WriteFileAtomically(file, document.Serialize());
}

}  // namespace velora::transfer
