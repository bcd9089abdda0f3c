#pragma once
// The program's clipboard operations. Each opens the clipboard, does its work and closes it; a
// clipboard another program holds open is waited for briefly before an operation gives up.
// Text goes in and out as UTF-16, so nothing outside the system's ANSI code page is lost.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/handles_win32.h"

namespace velora::desktop {

// A saved clipboard keeps at most this many formats, the first in the system's order.
inline constexpr std::size_t kMaxSavedFormats = 101;

// A metafile picture: the placement its block held, and a copy of its metafile.
struct SavedMetafilePicture {
  LONG mapping_mode = 0;
  LONG width = 0;
  LONG height = 0;
  core::UniqueMetafile metafile;
};

struct SavedFormat {
  UINT format = 0;
  std::string name;  // the registered name in UTF-8; empty for the system's own formats
  // A memory format keeps its bytes; a format whose data is a GDI object keeps a copy of it.
  std::variant<std::string, core::UniqueBitmap, core::UniquePalette, core::UniqueEnhMetafile,
               SavedMetafilePicture>
      data;
};
using SavedClipboard = std::vector<SavedFormat>;

class Clipboard {
 public:
  // Empty when the hidden window that owns what the program puts cannot be made. Use it on the
  // thread that made it.
  [[nodiscard]] static std::unique_ptr<Clipboard> Create();

  [[nodiscard]] bool PutText(std::string_view utf8);
  // Empty when the clipboard holds no text or stays held by another program.
  std::string ReadText();

  // Picture file bytes as a bitmap. Bytes that are no picture leave the clipboard as it was.
  [[nodiscard]] bool PutPicture(std::string_view file_bytes);
  // An animated picture, in the forms that keep it animated where it is pasted (see the .cpp).
  [[nodiscard]] bool PutGifPicture(std::string_view utf8_path);
  // Files for the file manager to paste: copied, or with `for_moving` moved. An empty list
  // leaves the clipboard as it was.
  [[nodiscard]] bool PutFileList(std::span<const std::string> utf8_paths, bool for_moving);

  // Counts every change of the clipboard's content by any program.
  static DWORD SequenceNumber() noexcept { return GetClipboardSequenceNumber(); }

  // Every format on the clipboard, up to kMaxSavedFormats, but of the forms the system converts
  // into one another (text, bitmaps, metafiles) only the one placed; nothing when it could not be
  // opened.
  [[nodiscard]] std::optional<SavedClipboard> Save();
  // Puts the saved formats back in their order, registered formats by their names. True when
  // every one was put.
  [[nodiscard]] bool Restore(const SavedClipboard& saved);

 private:
  explicit Clipboard(core::UniqueWindow owner) : owner_(std::move(owner)) {}
  core::UniqueWindow owner_;
  // Keeps what the program just put (text, or a restore of memory formats only) with the
  // clipboard's count after it: while the count stays, a save copies this instead of reading
  // the clipboard again. Under Wine each GetClipboardData of the program's own data keeps
  // about 1 KB, and every summon saves what the last snippet or restore put.
  void KeepWhatWasPut(std::optional<SavedClipboard> put);
  std::optional<SavedClipboard> ours_;
  DWORD ours_sequence_ = 0;
};

// The registered formats the program reads and writes, by name.
inline constexpr wchar_t kPreferredDropEffectFormat[] = L"Preferred DropEffect";
inline constexpr wchar_t kHtmlFormat[] = L"HTML Format";
inline constexpr wchar_t kGifFormat[] = L"GIF";

}  // namespace velora::desktop
