#pragma once
// Export of the whole catalogue into one file, and the settings file's side of it.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "store/database.h"
#include "transfer/catalogue.h"
#include "transfer/roots.h"

namespace velora::transfer {

// The catalogue file (catalogue_json.h) of every category of the store, read from one state of
// it, with these settings.
std::string ExportCatalogue(store::Database& db, const SettingsMap& settings, const Roots& roots);

// Writes it through a temporary file that replaces `file` only once whole. How many items it
// holds, or nothing when the file could not be written (an older one then stays as it was).
std::optional<std::size_t> ExportToFile(store::Database& db, const SettingsMap& settings, const Roots& roots,
                                        const std::filesystem::path& file);

// The settings file's keys and values as the program reads them; empty when it cannot be read.
SettingsMap ReadSettingsFile(const std::filesystem::path& file);

// Sets every key of `settings` in the settings file, keeping its other lines, and replaces the
// file atomically. Keys the file cannot hold (an empty name, "=" in a key) are left out. False
// when the file could not be replaced: it then stays as it was.
[[nodiscard]] bool MergeIntoSettingsFile(const std::filesystem::path& file, const SettingsMap& settings);

}  // namespace velora::transfer
