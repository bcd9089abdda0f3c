#pragma once
// The texts a grid cell shows: its caption and the hover tip.
#include <string>
#include <string_view>

namespace velora::exec {

// The stored name with every "换行" turned into a line break.
std::string CaptionOfName(std::string_view name);

// What hovering the item shows: a file's path, a web item's address, a macro's key names joined
// by "+", a snippet's text. Empty (no tip) for system places, functions, an empty path and a
// macro with fewer than three numbers.
std::string TipOfCode(std::string_view code);

// What a screen reader says of the item beside its caption: its kind and, where it has one, its
// target ("程序 · C:\…\app.exe", "书签 · https://…").
std::string DescriptionOfCode(std::string_view code);

}  // namespace velora::exec
