#pragma once
// The catalogue file: one UTF-8 JSON document that begins with "format" and "version", then holds
// the categories in the bar's order, their items in list order, and the settings file's keys.
#include <string>
#include <string_view>

#include "transfer/catalogue.h"
#include "transfer/outcome.h"
#include "transfer/roots.h"

namespace velora::transfer {

inline constexpr std::string_view kCatalogueFormat = "velora-catalogue";
inline constexpr int kCatalogueVersion = 1;

// Each item carries its code, or for a file or folder the path its code holds ("file"); name,
// kind (后缀), date and path; the icon's bytes in Base64 when the column is hex as the program
// writes it, else the column's exact text ("icon_text"). Paths in file codes, in 路径 and in
// settings values are written with the roots' placeholders. Text that is not UTF-8 is carried as
// {"bytes": Base64}, so every column comes back exactly.
std::string CatalogueToJson(const Catalogue& catalogue, const Roots& roots);

struct ParsedCatalogue {
  Catalogue catalogue;  // paths re-rooted with this machine's roots
  // A refusal, or the count of file items left out because their path no longer fits an item
  // under this machine's roots.
  TransferResult result;
};

// Checks size and nesting first (json_guard.h), then every field; any fault refuses the whole
// document. Fields a later version may add are ignored.
ParsedCatalogue ParseCatalogueJson(std::string_view json, const Roots& roots);

}  // namespace velora::transfer
