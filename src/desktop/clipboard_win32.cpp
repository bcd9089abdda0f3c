#include "desktop/clipboard_win32.h"

#include <bitset>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <type_traits>

#include "core/file_bytes.h"
#include "desktop/picture_decode_win32.h"
#include "exec/clipboard_payload.h"
#include "formats/image_type.h"
#include "text/fs_path.h"
#include "text/utf.h"

namespace velora::desktop {
namespace {

// Waits between attempts while another program holds the clipboard: a quarter second in all,
// longer than any program that merely copies keeps it open.
constexpr DWORD kOpenRetryDelaysMs[] = {10, 20, 30, 40, 50, 50, 50};

// The values of "Preferred DropEffect" (DROPEFFECT_COPY, DROPEFFECT_MOVE).
constexpr DWORD kDropEffectCopy = 1;
constexpr DWORD kDropEffectMove = 2;

// Answers only the messages other threads send to this one while it waits: a program emptying
// the clipboard we own sends our owner window WM_DESTROYCLIPBOARD and holds the clipboard open
// until it is answered. Posted messages stay queued, so none of our handlers runs in the middle
// of an operation.
void WaitAnsweringSentMessages(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0);
  }
}

// The open clipboard, closed again by the destructor.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) noexcept {
    open_ = OpenClipboard(owner) != FALSE;
    for (const DWORD delay : kOpenRetryDelaysMs) {
      if (open_) break;
      WaitAnsweringSentMessages(delay);
      open_ = OpenClipboard(owner) != FALSE;
    }
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool ok() const noexcept { return open_; }

 private:
  bool open_ = false;
};

// A movable block holding a copy of `size` bytes; a block of no bytes cannot be locked, so it
// gets one zero byte.
core::UniqueGlobal BlockOf(const void* data, std::size_t size) {
  core::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size == 0 ? 1 : size));
  if (!block) return nullptr;
  const core::GlobalLockScope lock(block.get());
  if (!lock.data()) return nullptr;
  if (size != 0) std::memcpy(lock.data(), data, size);
  return block;
}

core::UniqueGlobal BlockOf(std::string_view bytes) { return BlockOf(bytes.data(), bytes.size()); }

// Hands `object` to the clipboard, which owns it from then on; on failure it is freed here.
template <typename Owner>
bool PutObject(UINT format, Owner object) {
  if (!object || format == 0 || !SetClipboardData(format, object.get())) return false;
  (void)object.release();
  return true;
}

UINT RegisteredFormat(const wchar_t* name) { return RegisterClipboardFormatW(name); }

std::string NameOf(UINT format) {
  if (format < 0xC000) return {};  // the registered formats are numbered from 0xC000
  wchar_t name[256] = {};
  const int length = GetClipboardFormatNameW(format, name, 256);
  return length > 0 ? text::Narrow({name, static_cast<std::size_t>(length)}) : std::string();
}

enum class Kind { kMemory, kBitmap, kPalette, kEnhMetafile, kMetafilePicture, kNotCopied };

Kind KindOf(UINT format, HANDLE data) {
  switch (format) {
    case CF_BITMAP:
    case CF_DSPBITMAP:
      return Kind::kBitmap;
    case CF_PALETTE:
      return Kind::kPalette;
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
      return Kind::kEnhMetafile;
    case CF_METAFILEPICT:
    case CF_DSPMETAFILEPICT:
      return Kind::kMetafilePicture;
    case CF_OWNERDISPLAY:
      return Kind::kNotCopied;  // its owner draws it; there is no data
    default:
      break;
  }
  // A private format's handle means something only to the program that put it.
  if (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) return Kind::kNotCopied;
  if (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST) {
    switch (GetObjectType(data)) {
      case OBJ_BITMAP:
        return Kind::kBitmap;
      case OBJ_PAL:
        return Kind::kPalette;
      case OBJ_ENHMETAFILE:
        return Kind::kEnhMetafile;
      default:
        return Kind::kNotCopied;
    }
  }
  return Kind::kMemory;
}

core::UniqueBitmap CopyBitmap(HANDLE bitmap) {
  return core::UniqueBitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
}

core::UniquePalette CopyPalette(HANDLE palette) {
  const auto source = static_cast<HPALETTE>(palette);
  const UINT count = GetPaletteEntries(source, 0, 0, nullptr);
  if (count == 0) return nullptr;
  std::vector<PALETTEENTRY> entries(count + 1);  // LOGPALETTE holds the first entry itself
  auto* logical = reinterpret_cast<LOGPALETTE*>(entries.data());
  GetPaletteEntries(source, 0, count, logical->palPalEntry);
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(count);
  return core::UniquePalette(CreatePalette(logical));
}

core::UniqueEnhMetafile CopyEnhMetafile(HANDLE metafile) {
  return core::UniqueEnhMetafile(CopyEnhMetaFileW(static_cast<HENHMETAFILE>(metafile), nullptr));
}

std::optional<SavedMetafilePicture> CopyMetafilePicture(HANDLE block) {
  const core::GlobalLockScope lock(block);
  if (!lock.data() || lock.size() < sizeof(METAFILEPICT)) return std::nullopt;
  const auto* picture = static_cast<const METAFILEPICT*>(lock.data());
  core::UniqueMetafile copy(CopyMetaFileW(picture->hMF, nullptr));
  if (!copy) return std::nullopt;
  return SavedMetafilePicture{picture->mm, picture->xExt, picture->yExt, std::move(copy)};
}

std::optional<std::string> CopyBlockBytes(HANDLE block) {
  const core::GlobalLockScope lock(block);
  if (!lock.data()) return std::nullopt;
  return std::string(static_cast<const char*>(lock.data()), lock.size());
}

// The record with `copy` as its data; nothing when the copy failed.
template <typename Copy>
std::optional<SavedFormat> WithData(SavedFormat record, Copy copy) {
  if (!copy) return std::nullopt;
  if constexpr (std::is_same_v<Copy, std::optional<std::string>> ||
                std::is_same_v<Copy, std::optional<SavedMetafilePicture>>) {
    record.data = std::move(*copy);
  } else {
    record.data = std::move(copy);
  }
  return record;
}

std::optional<SavedFormat> SaveFormat(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (!data) return std::nullopt;
  SavedFormat record{format, NameOf(format), std::string()};
  switch (KindOf(format, data)) {
    case Kind::kMemory:
      return WithData(std::move(record), CopyBlockBytes(data));
    case Kind::kBitmap:
      return WithData(std::move(record), CopyBitmap(data));
    case Kind::kPalette:
      return WithData(std::move(record), CopyPalette(data));
    case Kind::kEnhMetafile:
      return WithData(std::move(record), CopyEnhMetafile(data));
    case Kind::kMetafilePicture:
      return WithData(std::move(record), CopyMetafilePicture(data));
    case Kind::kNotCopied:
      break;
  }
  return std::nullopt;
}

// Formats the system converts into one another, numbered by family (0: none). The system lists
// the form a program placed first and the forms it can make from it after; only the placed one
// is worth saving, since a restore brings the others back. Asking for a made form makes the
// system convert it on every summon: a cost on Windows, and under Wine memory that is never
// given back.
int ConversionFamily(UINT format) {
  switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT:
      return 1;
    case CF_BITMAP:
    case CF_DIB:
    case CF_DIBV5:
      return 2;
    case CF_ENHMETAFILE:
    case CF_METAFILEPICT:
      return 3;
    default:
      return 0;
  }
}

// A registered format's number differs between sessions of the system; its name does not.
UINT FormatToRestore(const SavedFormat& record) {
  if (!record.name.empty()) {
    if (const UINT format = RegisterClipboardFormatW(text::Widen(record.name).c_str()); format != 0)
      return format;
  }
  return record.format;
}

// Puts a copy, so that one saved clipboard can be restored more than once.
bool PutSaved(UINT format, const SavedFormat& record) {
  return std::visit(
      [format](const auto& data) -> bool {
        using Data = std::decay_t<decltype(data)>;
        if constexpr (std::is_same_v<Data, std::string>) {
          return PutObject(format, BlockOf(data));
        } else if constexpr (std::is_same_v<Data, core::UniqueBitmap>) {
          return PutObject(format, CopyBitmap(data.get()));
        } else if constexpr (std::is_same_v<Data, core::UniquePalette>) {
          return PutObject(format, CopyPalette(data.get()));
        } else if constexpr (std::is_same_v<Data, core::UniqueEnhMetafile>) {
          return PutObject(format, CopyEnhMetafile(data.get()));
        } else {
          core::UniqueMetafile copy(CopyMetaFileW(data.metafile.get(), nullptr));
          if (!copy) return false;
          const METAFILEPICT picture{data.mapping_mode, data.width, data.height, copy.get()};
          if (!PutObject(format, BlockOf(&picture, sizeof picture))) return false;
          (void)copy.release();  // emptying the clipboard deletes it with its block
          return true;
        }
      },
      record.data);
}

// A copy of a saved clipboard that holds bytes only; nothing when a record holds a GDI object.
std::optional<SavedClipboard> CopyOfMemoryFormats(const SavedClipboard& saved) {
  SavedClipboard copy;
  copy.reserve(saved.size());
  for (const SavedFormat& record : saved) {
    const auto* bytes = std::get_if<std::string>(&record.data);
    if (!bytes) return std::nullopt;
    copy.push_back(SavedFormat{record.format, record.name, *bytes});
  }
  return copy;
}

}  // namespace

std::unique_ptr<Clipboard> Clipboard::Create() {
  // The documented way to put data is with an owner window: a clipboard opened without one and
  // emptied has no owner, and Windows may then refuse SetClipboardData.
  core::UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
  if (!owner) return nullptr;
  return std::unique_ptr<Clipboard>(new Clipboard(std::move(owner)));
}

bool Clipboard::PutText(std::string_view utf8) {
  const std::wstring wide = text::Widen(utf8);
  core::UniqueGlobal block = BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  if (!block) return false;
  {
    const OpenClipboardScope open(owner_.get());
    if (!open.ok()) return false;
    EmptyClipboard();
    if (!PutObject(CF_UNICODETEXT, std::move(block))) return false;
  }
  SavedClipboard put;
  put.push_back(
      {CF_UNICODETEXT,
       {},
       std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t))});
  KeepWhatWasPut(std::move(put));
  return true;
}

void Clipboard::KeepWhatWasPut(std::optional<SavedClipboard> put) {
  ours_ = std::move(put);
  ours_sequence_ = SequenceNumber();
}

std::string Clipboard::ReadText() {
  const OpenClipboardScope open(owner_.get());
  if (!open.ok() || !IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
  const core::GlobalLockScope lock(GetClipboardData(CF_UNICODETEXT));
  if (!lock.data()) return {};
  // Another program's block need not end in a zero character: read no further than the block.
  const auto* units = static_cast<const wchar_t*>(lock.data());
  const std::size_t capacity = lock.size() / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < capacity && units[length] != L'\0') ++length;
  return text::Narrow({units, length});
}

bool Clipboard::PutPicture(std::string_view file_bytes) {
  // Decoded before the clipboard is touched: bytes that are no picture must not empty it.
  core::UniqueBitmap bitmap = DecodePictureBitmap(file_bytes);
  if (!bitmap) return false;
  const OpenClipboardScope open(owner_.get());
  if (!open.ok()) return false;
  EmptyClipboard();
  return PutObject(CF_BITMAP, std::move(bitmap));
}

// An animated picture is put in four forms, richest first, as readers take the first they know
// among those they understand:
// - "GIF", the file's bytes: office programs paste it as an animated picture;
// - "HTML Format", an image element with the file's address: web-based editors, mail and chat
//   programs load the file itself and keep it animated;
// - the file list (with "Preferred DropEffect" copy): chat programs send the file, file managers
//   paste a copy of it;
// - a bitmap of the first frame, for programs that paste only bitmaps.
// None of it needs a browser engine, which a system may lack (Wine has none by default).
bool Clipboard::PutGifPicture(std::string_view utf8_path) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(text::PathFromUtf8(utf8_path), error);
  if (error) return false;
  const std::optional<std::string> bytes = core::ReadFileBytes(path);
  if (!bytes || formats::ImageTypeOf(*bytes) != formats::ImageType::kGif) return false;
  core::UniqueBitmap first_frame = DecodePictureBitmap(*bytes);
  if (!first_frame) return false;

  const std::string full_path = text::PathToUtf8(path);
  const std::string html = exec::HtmlClipboardText(exec::PictureElement(full_path));
  const std::string paths[] = {full_path};
  core::UniqueGlobal gif_block = BlockOf(*bytes);
  core::UniqueGlobal html_block = BlockOf(html.c_str(), html.size() + 1);
  core::UniqueGlobal list_block = BlockOf(exec::FileListBlock(paths));
  core::UniqueGlobal effect_block = BlockOf(&kDropEffectCopy, sizeof kDropEffectCopy);
  if (!gif_block || !html_block || !list_block || !effect_block) return false;

  const OpenClipboardScope open(owner_.get());
  if (!open.ok()) return false;
  EmptyClipboard();
  bool all = PutObject(RegisteredFormat(kGifFormat), std::move(gif_block));
  all = PutObject(RegisteredFormat(kHtmlFormat), std::move(html_block)) && all;
  all = PutObject(CF_HDROP, std::move(list_block)) && all;
  all = PutObject(RegisteredFormat(kPreferredDropEffectFormat), std::move(effect_block)) && all;
  all = PutObject(CF_BITMAP, std::move(first_frame)) && all;
  return all;
}

bool Clipboard::PutFileList(std::span<const std::string> utf8_paths, bool for_moving) {
  const std::string list = exec::FileListBlock(utf8_paths);
  if (list.empty()) return false;  // no path to put
  core::UniqueGlobal list_block = BlockOf(list);
  if (!list_block) return false;
  // Stated either way, so a file manager never keeps the effect of an earlier cut.
  const DWORD effect = for_moving ? kDropEffectMove : kDropEffectCopy;
  core::UniqueGlobal effect_block = BlockOf(&effect, sizeof effect);
  if (!effect_block) return false;

  const OpenClipboardScope open(owner_.get());
  if (!open.ok()) return false;
  EmptyClipboard();
  if (!PutObject(CF_HDROP, std::move(list_block))) return false;
  (void)PutObject(RegisteredFormat(kPreferredDropEffectFormat), std::move(effect_block));
  return true;
}

std::optional<SavedClipboard> Clipboard::Save() {
  if (ours_ && SequenceNumber() == ours_sequence_) return CopyOfMemoryFormats(*ours_);
  const OpenClipboardScope open(owner_.get());
  if (!open.ok()) return std::nullopt;
  SavedClipboard saved;
  std::bitset<4> families_saved;
  for (UINT format = EnumClipboardFormats(0); format != 0 && saved.size() < kMaxSavedFormats;
       format = EnumClipboardFormats(format)) {
    const int family = ConversionFamily(format);
    if (family != 0 && families_saved[family]) continue;
    if (std::optional<SavedFormat> record = SaveFormat(format)) {
      saved.push_back(std::move(*record));
      if (family != 0) families_saved.set(family);
    }
  }
  return saved;
}

bool Clipboard::Restore(const SavedClipboard& saved) {
  bool all = true;
  {
    const OpenClipboardScope open(owner_.get());
    if (!open.ok()) return false;
    EmptyClipboard();
    for (const SavedFormat& record : saved) all = PutSaved(FormatToRestore(record), record) && all;
  }
  KeepWhatWasPut(all ? CopyOfMemoryFormats(saved) : std::nullopt);
  return all;
}

}  // namespace velora::desktop
