#pragma once
// What an import did, or why it changed nothing; transfer_words.h words it.
#include <cstddef>
#include <string>
#include <utility>

namespace velora::transfer {

enum class Refusal {
  kNone,
  kUnreadable,    // the file cannot be read
  kTooLarge,      // past the size limit: refused before parsing
  kMalformed,     // not JSON
  kTooDeep,       // nested deeper than any real file
  kNotCatalogue,  // JSON, but not a catalogue file
  kNewerVersion,  // a catalogue of a later format version
  kBadContent,    // a field of the wrong type or a name no category can have; `detail` says where
  kNotBookmarks,  // not a browser's bookmark file
  kCopyFailed,    // the browser's file could not be copied aside to be read
  kNotSaved,      // the store refused the writes: all of them were undone
};

struct TransferResult {
  Refusal refusal = Refusal::kNone;
  std::size_t imported = 0;
  std::size_t duplicates = 0;  // already in the category, or repeated in the file
  // Entries that cannot be items here: a file item whose path no longer fits an item under this
  // machine's roots, a row without a code for a keyed category, a bookmark that is no web address.
  std::size_t left_out = 0;
  std::string detail;  // for kBadContent

  bool ok() const { return refusal == Refusal::kNone; }
  bool operator==(const TransferResult&) const = default;
};

inline TransferResult Refused(Refusal refusal, std::string detail = {}) {
  TransferResult result;
  result.refusal = refusal;
  result.detail = std::move(detail);
  return result;
}

}  // namespace velora::transfer
