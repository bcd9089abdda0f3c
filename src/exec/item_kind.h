#pragma once
// Sorting an item code into its kind. The kind is never stored: it is recomputed from the code
// each time, independently of the 后缀 column and of the category the row lives in.
#include <string>
#include <string_view>

namespace velora::exec {

enum class ItemKind {
  kBookmark,
  kSearch,
  kSystemPlace,
  kMacro,
  kFunction,
  kTextSnippet,
  kShortcut,
  kPicture,
  kPlainFile,
  kEmptyPath,  // a file code that decodes to nothing: launching it does nothing at all
};

enum class Place { kThisPc, kRecycleBin, kControlPanel, kDesktop, kUnknown };

struct ClassifiedCode {
  ItemKind kind = ItemKind::kEmptyPath;
  // The address, place name, key-code text or snippet text without the prefix; the whole code
  // for a function (its dispatcher matches the prefixed code); the decoded path for file kinds.
  std::string payload;
  Place place = Place::kUnknown;  // only for kSystemPlace

  bool operator==(const ClassifiedCode&) const = default;
};

ClassifiedCode KindOfCode(std::string_view code);

// True for the file kinds, whose payload is a path.
bool IsFileKind(ItemKind kind);

// The path a file code holds; empty when it decodes to nothing.
std::string FilePathOfCode(std::string_view code);

// From the last "." of the file name on, dot included; empty when the name has none. A blank
// after the dot ends the extension as the shell's own function does.
std::string_view PathExtension(std::string_view path);

// Exact comparison: ".JPG" is not one of them.
bool IsPictureExtension(std::string_view extension);

}  // namespace velora::exec
