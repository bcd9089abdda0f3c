#pragma once
// Import of a catalogue file into the open store, all of it in one savepoint: a file that is
// refused, or a write the store refuses, leaves the store exactly as it was.
#include <filesystem>
#include <string_view>

#include "store/database.h"
#include "transfer/catalogue.h"
#include "transfer/outcome.h"
#include "transfer/roots.h"

namespace velora::transfer {

enum class ImportMode {
  // Adds what the store lacks: an item whose code its category already holds is skipped (a
  // repeat in the file too, where the category is keyed and cannot hold two), missing groups are
  // created. Rows go in in the file's order, so dated items take their place by date and undated
  // ones follow the category's own undated items.
  kMerge,
  // The store becomes the file's catalogue: every category in the file holds exactly the file's
  // rows, in its order; groups the file does not name are dropped, and fixed categories it does
  // not name are emptied (never dropped). The caller backs the store up first.
  kReplace,
};

struct CatalogueImport {
  TransferResult result;
  // The file's settings, re-rooted, for MergeIntoSettingsFile; empty after a refusal.
  SettingsMap settings;
};

CatalogueImport ImportCatalogue(store::Database& db, std::string_view json, ImportMode mode,
                                const Roots& roots);

// The same from a file, refused before reading when it is larger than json_guard.h allows.
CatalogueImport ImportCatalogueFile(store::Database& db, const std::filesystem::path& file, ImportMode mode,
                                    const Roots& roots);

// Writes parsed rows into the store as ImportCatalogue does; the counts, or kNotSaved.
TransferResult WriteCatalogue(store::Database& db, const Catalogue& catalogue, ImportMode mode);

}  // namespace velora::transfer
