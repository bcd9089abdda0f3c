#pragma once
// The bytes of the clipboard formats the program builds itself: the file list that file managers
// paste and the HTML document that editors and chat programs paste. Both hold wide or UTF-8 text,
// so names outside the system's ANSI code page survive.
#include <span>
#include <string>
#include <string_view>

namespace velora::exec {

// The file-list block: the 20-byte DROPFILES header (list at offset 20, drop point 0,0, not in
// the non-client area, wide names), then every path in UTF-16LE ended by a zero character, and
// one more zero character after the last. Empty paths and paths holding a zero character are
// left out: either would end the list early. Empty when no path is left.
std::string FileListBlock(std::span<const std::string> utf8_paths);

// The file: address of a local ("C:\…") or network ("\\server\…") path. Characters that would
// change the address's meaning are escaped; other text, Chinese included, stays as UTF-8.
std::string FileUrl(std::string_view utf8_path);

// An image element showing the picture file at `utf8_path`.
std::string PictureElement(std::string_view utf8_path);

// The "HTML Format" text around `fragment`: the header of byte offsets (start and end of the
// document and of the fragment), then the document with the fragment between its markers.
std::string HtmlClipboardText(std::string_view fragment);

}  // namespace velora::exec
