// The clipboard operations against the real clipboard: what other programs read back from it.
#include "desktop/clipboard_win32.h"

#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "desktop/launch_effects_win32.h"
#include "support/temp_folder.h"
#include "test_pictures.h"
#include "text/fs_path.h"
#include "text/utf.h"

namespace velora::desktop {
namespace {

using testing::BitmapPixels;
using testing::BitmapSize;
using testing::Pixels;

// Outside GBK: a CJK Extension B character, an emoji, a Latin letter with a diacritic, the euro sign.
constexpr std::string_view kWideText = "复制 𠀀 😀 ő € 你好";

// The clipboard as another program sees it: opened without an owner, for reading or for setting
// up a state the program under test meets.
class OtherProgram {
 public:
  OtherProgram() {
    for (int attempt = 0; attempt < 50 && !open_; ++attempt) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (!open_) Sleep(10);
    }
    EXPECT_TRUE(open_) << "the test could not open the clipboard";
  }
  ~OtherProgram() {
    if (open_) CloseClipboard();
  }

  static UINT Format(const wchar_t* name) { return RegisterClipboardFormatW(name); }

  std::optional<std::string> Bytes(UINT format) const {
    HANDLE data = GetClipboardData(format);
    if (!data) return std::nullopt;
    const void* bytes = GlobalLock(data);
    if (!bytes) return std::nullopt;
    std::string copy(static_cast<const char*>(bytes), GlobalSize(data));
    GlobalUnlock(data);
    return copy;
  }

  // Puts `bytes` as they are, without a zero added.
  static void Put(UINT format, std::string_view bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
  }

  std::vector<std::string> DroppedFiles() const {
    std::vector<std::string> files;
    auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    if (!drop) return files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
      DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
      files.push_back(text::Narrow(name));
    }
    return files;
  }

  std::optional<DWORD> DropEffect() const {
    const auto bytes = Bytes(Format(kPreferredDropEffectFormat));
    if (!bytes || bytes->size() < sizeof(DWORD)) return std::nullopt;
    DWORD effect = 0;
    std::memcpy(&effect, bytes->data(), sizeof effect);
    return effect;
  }

 private:
  bool open_ = false;
};

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clipboard_ = Clipboard::Create();
    ASSERT_TRUE(clipboard_);
  }

  std::unique_ptr<Clipboard> clipboard_;
  velora::testing::TempFolder folder_{"剪贴板测试"};
};

TEST_F(ClipboardTest, TextOutsideTheAnsiCodePageRoundTrips) {
  ASSERT_TRUE(clipboard_->PutText(kWideText));
  EXPECT_EQ(clipboard_->ReadText(), kWideText);
  {
    OtherProgram other;
    const auto bytes = other.Bytes(CF_UNICODETEXT);
    ASSERT_TRUE(bytes);
    const std::wstring wide = text::Widen(kWideText);
    EXPECT_EQ(bytes->substr(0, (wide.size() + 1) * 2),
              std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2));
  }
  ASSERT_TRUE(clipboard_->PutText(""));
  EXPECT_EQ(clipboard_->ReadText(), "");
  OtherProgram other;
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, ReadsTextOtherProgramsPut) {
  {
    OtherProgram other;
    EmptyClipboard();
    OtherProgram::Put(CF_TEXT, std::string_view("plain ascii", 12));
  }
  EXPECT_EQ(clipboard_->ReadText(), "plain ascii");

  // A block without its terminating zero is read up to its end, no further.
  {
    OtherProgram other;
    EmptyClipboard();
    const std::u16string unterminated = u"没有结尾";
    OtherProgram::Put(CF_UNICODETEXT, std::string_view(reinterpret_cast<const char*>(unterminated.data()),
                                                       unterminated.size() * 2));
  }
  // Wine writes a zero over the last character of a text block it is given; Windows keeps it.
  const std::string read = clipboard_->ReadText();
  EXPECT_TRUE(read.starts_with("没有结")) << read;
  EXPECT_TRUE(std::string_view("没有结尾").starts_with(read)) << read;

  {
    OtherProgram other;
    EmptyClipboard();
    OtherProgram::Put(OtherProgram::Format(L"Velora Test Other"), "x");
  }
  EXPECT_EQ(clipboard_->ReadText(), "");
}

// A summon tells a copy from no copy by the sequence number: reading and saving must not move it,
// and a copy by another program must.
TEST_F(ClipboardTest, OnlyAChangeMovesTheSequenceNumber) {
  ASSERT_TRUE(clipboard_->PutText("已有的字"));
  const DWORD before = Clipboard::SequenceNumber();
  EXPECT_EQ(clipboard_->ReadText(), "已有的字");
  const std::optional<SavedClipboard> saved = clipboard_->Save();
  ASSERT_TRUE(saved);
  EXPECT_EQ(Clipboard::SequenceNumber(), before);
  {
    OtherProgram other;
    EmptyClipboard();
    OtherProgram::Put(CF_TEXT, std::string_view("copied", 7));
  }
  EXPECT_NE(Clipboard::SequenceNumber(), before);
}

TEST_F(ClipboardTest, PictureBecomesABitmapWithTransparencyOnWhite) {
  // Red, half-transparent green, fully transparent; then blue, white, black.
  const Pixels pixels = {0xFFFF0000, 0x8000FF00, 0x00000000, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000};
  ASSERT_TRUE(clipboard_->PutPicture(testing::EncodePng(3, 2, pixels)));
  OtherProgram other;
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(BitmapSize(bitmap).cx, 3);
  EXPECT_EQ(BitmapSize(bitmap).cy, 2);
  const Pixels read = BitmapPixels(bitmap);
  EXPECT_EQ(read[0], 0xFF0000u);
  EXPECT_EQ(read[2], 0xFFFFFFu) << "a transparent pixel reads white, not black";
  EXPECT_NEAR(static_cast<int>(read[1] >> 16), 0x7F, 2) << "half green over white";
  EXPECT_EQ(read[1] & 0xFF00, 0xFF00u);
  EXPECT_EQ(read[3], 0x0000FFu);
  EXPECT_EQ(read[5], 0x000000u);
}

TEST_F(ClipboardTest, IconFilePastesItsLargestImage) {
  const std::string small = testing::EncodePng(16, 16, Pixels(16 * 16, 0xFF00FF00));
  const std::string large = testing::EncodePng(48, 48, Pixels(48 * 48, 0xFF0000FF));
  ASSERT_TRUE(clipboard_->PutPicture(testing::IconFileOf({{16, small}, {48, large}})));
  OtherProgram other;
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(BitmapSize(bitmap).cx, 48);
  EXPECT_EQ(BitmapPixels(bitmap)[0], 0x0000FFu);
}

TEST_F(ClipboardTest, BytesThatAreNoPictureLeaveTheClipboardAlone) {
  ASSERT_TRUE(clipboard_->PutText("kept"));
  EXPECT_FALSE(clipboard_->PutPicture("not a picture at all"));
  EXPECT_FALSE(clipboard_->PutPicture(""));
  EXPECT_EQ(clipboard_->ReadText(), "kept");
}

TEST_F(ClipboardTest, FileListReadsBackWithWideNamesAndDropEffect) {
  const std::vector<std::string> paths = {"C:\\资料\\报告 2024.docx", "D:\\照片\\𠀀😀.png", "C:\\plain.txt"};
  ASSERT_TRUE(clipboard_->PutFileList(paths, false));
  {
    OtherProgram other;
    EXPECT_EQ(other.DroppedFiles(), paths);
    EXPECT_EQ(other.DropEffect(), DROPEFFECT_COPY);
  }
  ASSERT_TRUE(clipboard_->PutFileList(paths, true));
  OtherProgram other;
  EXPECT_EQ(other.DroppedFiles(), paths);
  EXPECT_EQ(other.DropEffect(), DROPEFFECT_MOVE);
}

TEST_F(ClipboardTest, EmptyFileListLeavesTheClipboardAlone) {
  ASSERT_TRUE(clipboard_->PutText("kept"));
  EXPECT_FALSE(clipboard_->PutFileList({}, false));
  const std::vector<std::string> only_empty = {""};
  EXPECT_FALSE(clipboard_->PutFileList(only_empty, false));
  EXPECT_EQ(clipboard_->ReadText(), "kept");
}

TEST_F(ClipboardTest, GifIsPutAsBytesHtmlFileListAndFirstFrame) {
  const std::filesystem::path gif = folder_.path() / text::PathFromUtf8("动图 100%.gif");
  const std::string bytes = testing::AnimatedGif();
  std::ofstream(gif, std::ios::binary) << bytes;
  const std::string path = text::PathToUtf8(gif);

  ASSERT_TRUE(clipboard_->PutGifPicture(path));
  OtherProgram other;
  const auto gif_bytes = other.Bytes(OtherProgram::Format(kGifFormat));
  ASSERT_TRUE(gif_bytes);
  EXPECT_EQ(gif_bytes->substr(0, bytes.size()), bytes);

  const auto html = other.Bytes(OtherProgram::Format(kHtmlFormat));
  ASSERT_TRUE(html);
  EXPECT_TRUE(html->starts_with("Version:0.9\r\n"));
  std::string address = "file:///" + path;
  std::replace(address.begin(), address.end(), '\\', '/');
  address.replace(address.find(" 100%"), 5, "%20100%25");
  EXPECT_NE(html->find("<img src=\"" + address + "\""), std::string::npos) << *html;

  EXPECT_EQ(other.DroppedFiles(), std::vector<std::string>{path});
  EXPECT_EQ(other.DropEffect(), DROPEFFECT_COPY);
  auto first_frame = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_TRUE(first_frame);
  EXPECT_EQ(BitmapPixels(first_frame), Pixels{0xFF0000u});
}

TEST_F(ClipboardTest, GifRouteRefusesWhatIsNoGifFile) {
  ASSERT_TRUE(clipboard_->PutText("kept"));
  const std::filesystem::path& folder = folder_.path();
  const std::filesystem::path png = folder / "picture.gif";
  std::ofstream(png, std::ios::binary) << testing::EncodePng(1, 1, {0xFFFFFFFF});
  EXPECT_FALSE(clipboard_->PutGifPicture(text::PathToUtf8(png)));
  EXPECT_FALSE(clipboard_->PutGifPicture(text::PathToUtf8(folder / "missing.gif")));
  EXPECT_EQ(clipboard_->ReadText(), "kept");
}

TEST_F(ClipboardTest, SavedClipboardComesBackWithTextRegisteredFormatAndBitmap) {
  const UINT registered = OtherProgram::Format(L"Velora Test 格式");
  const Pixels pixels = {0x123456, 0xABCDEF, 0x00FF00, 0xFF0000};
  HENHMETAFILE drawing = nullptr;
  {
    OtherProgram other;
    EmptyClipboard();
    const std::wstring wide = text::Widen(kWideText);
    OtherProgram::Put(CF_UNICODETEXT,
                      std::string_view(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2));
    OtherProgram::Put(registered, std::string("\x00\x01\x02 registered \xFF", 16));
    ASSERT_TRUE(SetClipboardData(CF_BITMAP, testing::MakeBitmap(2, 2, pixels)));
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 40, 30);
    drawing = CloseEnhMetaFile(recorder);
    ASSERT_TRUE(SetClipboardData(CF_ENHMETAFILE, drawing));
  }

  std::optional<SavedClipboard> saved = clipboard_->Save();
  ASSERT_TRUE(saved);
  const auto registered_record = std::find_if(saved->begin(), saved->end(),
                                              [&](const SavedFormat& f) { return f.format == registered; });
  ASSERT_NE(registered_record, saved->end());
  EXPECT_EQ(registered_record->name, "Velora Test 格式");
  // Of the forms the system makes from one another only the placed one is kept.
  for (const UINT made : {UINT{CF_TEXT}, UINT{CF_OEMTEXT}, UINT{CF_DIB}, UINT{CF_METAFILEPICT}}) {
    EXPECT_TRUE(std::none_of(saved->begin(), saved->end(), [&](const SavedFormat& f) {
      return f.format == made;
    })) << made;
  }

  // The summon's copy replaces it all.
  ASSERT_TRUE(clipboard_->PutText("selected text"));
  ASSERT_EQ(clipboard_->ReadText(), "selected text");

  // Restored twice: a saved clipboard hands out copies and stays whole.
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(clipboard_->Restore(*saved)) << round;
    EXPECT_EQ(clipboard_->ReadText(), kWideText);
    OtherProgram other;
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "the system makes the other forms again";
    EXPECT_EQ(other.Bytes(registered)->substr(0, 16), std::string("\x00\x01\x02 registered \xFF", 16));
    HANDLE bitmap = GetClipboardData(CF_BITMAP);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(BitmapPixels(static_cast<HBITMAP>(bitmap)), pixels);
    HANDLE metafile = GetClipboardData(CF_ENHMETAFILE);
    ASSERT_TRUE(metafile);
    EXPECT_EQ(GetObjectType(metafile), static_cast<DWORD>(OBJ_ENHMETAFILE));
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(static_cast<HENHMETAFILE>(metafile), sizeof header, &header);
    EXPECT_GT(header.nRecords, 2u);
  }
}

// A save right after our own restore gives back what was restored, and one after another
// program's write gives that program's content.
TEST_F(ClipboardTest, ASaveAfterOurRestoreFollowsLaterChanges) {
  ASSERT_TRUE(clipboard_->PutText("first"));
  std::optional<SavedClipboard> saved = clipboard_->Save();
  ASSERT_TRUE(saved && clipboard_->Restore(*saved));
  for (int round = 0; round < 2; ++round) {
    saved = clipboard_->Save();
    ASSERT_TRUE(saved && clipboard_->Restore(*saved)) << round;
    EXPECT_EQ(clipboard_->ReadText(), "first") << round;
  }
  {
    OtherProgram other;
    EmptyClipboard();
    OtherProgram::Put(CF_TEXT, std::string_view("from another", 13));
  }
  saved = clipboard_->Save();
  ASSERT_TRUE(clipboard_->PutText("selected"));
  ASSERT_TRUE(saved && clipboard_->Restore(*saved));
  EXPECT_EQ(clipboard_->ReadText(), "from another");
}

// What a launch writes on the clipboard is no late copy of the summon's Ctrl+C: it stays, and the
// clipboard the user had is not put back over it.
TEST_F(ClipboardTest, ALaunchsOwnWriteEndsTheWaitForALateCopy) {
  struct QuietPanel final : LaunchPanel {
    HWND Window() const override { return nullptr; }
    bool Held() const override { return true; }
    void Show() override {}
    void Hide() override {}
    void HideTip() override {}
    void Report(core::ToastKind, std::string_view) override {}
    void ConfirmSnippetCopied() override {}
  } panel;
  store::Database db;
  const std::unique_ptr<core::UiDispatcher> ui = core::UiDispatcher::Create();
  ASSERT_TRUE(ui);
  LaunchEffectsWin32 effects(panel, db, {}, ui->Poster());
  ASSERT_TRUE(clipboard_->PutText("用户原有的字"));
  // Nothing is selected anywhere: the summon stops waiting, and a copy may still land.
  EXPECT_EQ(effects.CaptureSelection(), "");
  effects.PutClipboardText("片段");
  EXPECT_EQ(effects.TakeLateCopy(), std::nullopt);
  EXPECT_EQ(clipboard_->ReadText(), "片段");
}

TEST_F(ClipboardTest, SavingKeepsTheFirst101Formats) {
  {
    OtherProgram other;
    EmptyClipboard();
    for (int i = 0; i < 150; ++i) {
      const std::wstring name = L"Velora Many " + std::to_wstring(i);
      OtherProgram::Put(OtherProgram::Format(name.c_str()), std::to_string(i));
    }
  }
  std::optional<SavedClipboard> saved = clipboard_->Save();
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->size(), kMaxSavedFormats);
  for (std::size_t i = 0; i < saved->size(); ++i) {
    EXPECT_EQ((*saved)[i].name, "Velora Many " + std::to_string(i));
  }
  ASSERT_TRUE(clipboard_->Restore(*saved));
  OtherProgram other;
  EXPECT_EQ(CountClipboardFormats(), 101);
  EXPECT_EQ(other.Bytes(OtherProgram::Format(L"Velora Many 100"))->substr(0, 3), "100");
  EXPECT_FALSE(IsClipboardFormatAvailable(OtherProgram::Format(L"Velora Many 101")));
}

// Another thread of the test stands for a program that holds the clipboard open a while.
class Holder {
 public:
  // Opens the clipboard and, once it is open, lets the test go on; with `empty`, it then empties
  // the clipboard, which sends the present owner a message and waits for its answer.
  Holder(DWORD hold_ms, bool empty) {
    opened_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, hold_ms, empty] {
      bool open = false;
      for (int attempt = 0; attempt < 100 && !open; ++attempt) {
        open = OpenClipboard(nullptr) != FALSE;
        if (!open) Sleep(5);
      }
      SetEvent(opened_);
      if (!open) return;
      if (empty) {
        EmptyClipboard();
        OtherProgram::Put(CF_UNICODETEXT, std::string_view("h\0o\0l\0d\0e\0r\0\0\0", 14));
      }
      Sleep(hold_ms);
      CloseClipboard();
    });
    WaitForSingleObject(opened_, 5000);
  }
  ~Holder() {
    thread_.join();
    CloseHandle(opened_);
  }

 private:
  HANDLE opened_ = nullptr;
  std::thread thread_;
};

TEST_F(ClipboardTest, WaitsBrieflyForAProgramHoldingTheClipboard) {
  {
    const Holder holder(100, false);
    EXPECT_TRUE(clipboard_->PutText("after the wait"));
  }
  EXPECT_EQ(clipboard_->ReadText(), "after the wait");
}

TEST_F(ClipboardTest, AnswersTheHolderThatEmptiesOurClipboard) {
  ASSERT_TRUE(clipboard_->PutText("ours"));  // our window owns the clipboard now
  {
    const Holder holder(100, true);
    EXPECT_TRUE(clipboard_->PutText("ours again"));
  }
  EXPECT_EQ(clipboard_->ReadText(), "ours again");
}

TEST_F(ClipboardTest, GivesUpOnAClipboardHeldTooLong) {
  {
    // Another program's: what the program put itself it could save without opening.
    OtherProgram other;
    EmptyClipboard();
    OtherProgram::Put(CF_TEXT, std::string_view("kept", 5));
  }
  {
    const Holder holder(1500, false);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(clipboard_->PutText("lost"));
    EXPECT_FALSE(clipboard_->Save());
    EXPECT_EQ(clipboard_->ReadText(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1400));
  }
  EXPECT_EQ(clipboard_->ReadText(), "kept");
}

}  // namespace
}  // namespace velora::desktop
