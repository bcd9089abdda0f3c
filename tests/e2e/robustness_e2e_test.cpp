// What a user must never lose and must always be told: a store that cannot be used is reported
// and left as it was, a damaged one moved aside whole; log-off keeps the settings; the program starts GDI+ as
// Windows requires.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "text/fs_path.h"
#include "text/gbk.h"
#include "text/utf.h"

using namespace velora::e2e;

namespace {

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// The message box a process shows: a dialog of its own whose text is what the user reads.
struct MessageBoxFound {
  HWND dialog = nullptr;
  std::wstring text;
};

MessageBoxFound WaitForMessageBox(DWORD process_id, DWORD limit_ms = 15000) {
  MessageBoxFound found;
  WaitUntil(
      [&] {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          if (owner != process_id || !IsWindowVisible(w)) continue;
          found.dialog = w;
          // The message is the dialog's static text (id 0xFFFF in a message box).
          EnumChildWindows(
              w,
              [](HWND child, LPARAM out) {
                wchar_t cls[32] = {};
                GetClassNameW(child, cls, 32);
                if (_wcsicmp(cls, L"Static") != 0) return TRUE;
                wchar_t text[1024] = {};
                SendMessageW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
                if (text[0]) reinterpret_cast<std::wstring*>(out)->append(text);
                return TRUE;
              },
              reinterpret_cast<LPARAM>(&found.text));
          return true;
        }
        return false;
      },
      limit_ms);
  return found;
}

class RobustnessTest : public InstalledCopyTest {
 protected:
  std::filesystem::path Data() const { return folder.path() / L"配置"; }
  std::filesystem::path Store() const { return Data() / L"Velora.db"; }
  std::filesystem::path Settings() const { return Data() / L"Velora配置.ini"; }

  void RunOnceAndClose() {
    VeloraProcess velora(exe);
    ASSERT_NE(velora.WaitForWindow(), nullptr);
    EXPECT_EQ(velora.Close(), 0u);
  }

  std::vector<std::filesystem::path> DamagedCopies() const {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(Data())) {
      if (entry.path().filename().wstring().starts_with(L"Velora.db.损坏-")) found.push_back(entry.path());
    }
    return found;
  }

  // Starts a copy that finds its store unusable: it must say so, keep running and end cleanly.
  std::wstring StartAndReadStoreProblem() {
    VeloraProcess velora(exe);
    EXPECT_NE(velora.WaitForWindow(), nullptr);
    const MessageBoxFound box = WaitForMessageBox(velora.id());
    EXPECT_NE(box.dialog, nullptr) << "no word to the user";
    if (box.dialog) PostMessageW(box.dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(velora.Close(), 0u);
    return box.text;
  }
};

}  // namespace

TEST_F(RobustnessTest, DamagedStoreIsReportedAndMovedAsideByteForByte) {
  std::filesystem::create_directories(Data());
  std::string damaged = "SQLite format 3";
  damaged.resize(8192, '\x5A');  // a header that lies, then nothing a database would hold
  WriteBytes(Store(), damaged);

  const std::wstring text = StartAndReadStoreProblem();
  EXPECT_NE(text.find(L"物品数据库已损坏"), std::wstring::npos) << velora::text::Narrow(text);
  EXPECT_NE(text.find(L"没有可用的备份"), std::wstring::npos) << velora::text::Narrow(text);
  const std::vector<std::filesystem::path> aside = DamagedCopies();
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_NE(text.find(aside[0].filename().wstring()), std::wstring::npos);
  EXPECT_EQ(ReadBytes(aside[0]), damaged);
  // The template took its place.
  velora::store::Database store;
  ASSERT_TRUE(store.Open(velora::text::PathToUtf8(Store())));
  EXPECT_TRUE(store.TableExists("软件"));
}

TEST_F(RobustnessTest, ADamagedStoreIsReplacedByTheNewestSoundBackupWhenTheUserAgrees) {
  RunOnceAndClose();
  std::filesystem::remove_all(Data() / L"backup");  // the first start's own backup of the day
  std::filesystem::create_directories(Data() / L"backup");
  {
    velora::store::Database store;
    ASSERT_TRUE(store.Open(velora::text::PathToUtf8(Store())));
    ASSERT_TRUE(store.Execute("insert into 软件 (code, 名称) values ('k1', '记事本')"));
  }
  std::filesystem::copy_file(Store(), Data() / L"backup" / L"Velora-20261201-080000.db");
  WriteBytes(Data() / L"backup" / L"Velora-20261202-080000.db", "newer, but damaged");
  std::string damaged = "SQLite format 3";
  damaged.resize(8192, '\x5A');
  WriteBytes(Store(), damaged);

  {
    VeloraProcess velora(exe);
    ASSERT_NE(velora.WaitForWindow(), nullptr);
    const MessageBoxFound box = WaitForMessageBox(velora.id());
    ASSERT_NE(box.dialog, nullptr);
    EXPECT_NE(box.text.find(L"2026-12-01 08:00:00，"), std::wstring::npos) << velora::text::Narrow(box.text);
    PostMessageW(box.dialog, WM_COMMAND, IDYES, 0);
    Sleep(500);
    EXPECT_EQ(velora.Close(), 0u);
  }
  velora::store::Database store;
  ASSERT_TRUE(store.Open(velora::text::PathToUtf8(Store())));
  velora::store::Statement q = store.Query("select 名称 from 软件 where code = 'k1'");
  ASSERT_TRUE(q.Step());
  EXPECT_EQ(q.ColumnText(0), "记事本");
  ASSERT_EQ(DamagedCopies().size(), 1u);
  EXPECT_EQ(ReadBytes(DamagedCopies()[0]), damaged);
}

TEST_F(RobustnessTest, StoreLockedByAnotherProgramIsReportedAndLeftWhole) {
  RunOnceAndClose();
  {
    velora::store::Database other;
    ASSERT_TRUE(other.Open(velora::text::PathToUtf8(Store())));
    // An exclusive lock, as a program in the middle of writing holds it: no reader gets in.
    ASSERT_TRUE(other.Execute("BEGIN EXCLUSIVE"));
    const std::wstring text = StartAndReadStoreProblem();
    EXPECT_NE(text.find(L"正被其他程序占用"), std::wstring::npos) << velora::text::Narrow(text);
    ASSERT_TRUE(other.Execute("ROLLBACK"));
  }
  velora::store::Database db;
  ASSERT_TRUE(db.Open(velora::text::PathToUtf8(Store())));
  velora::store::Statement rows = db.Query("select count(*) from 书签");
  ASSERT_TRUE(rows.Step());
  EXPECT_EQ(rows.ColumnInt(0), 14);
}

TEST_F(RobustnessTest, LogOffSavesTheSettingsWithoutExit) {
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  std::error_code ignored;
  std::filesystem::remove(Settings(), ignored);
  // The user made the panel larger; then Windows ends the session.
  ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(
      SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(answer, TRUE);
  ASSERT_TRUE(
      SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer));
  // Windows ends the process now, with no WM_CLOSE and no Exit.
  const std::string ini = velora::text::GbkToUtf8(ReadBytes(Settings()));
  EXPECT_NE(ini.find("窗口宽度=600"), std::string::npos) << ini;
  EXPECT_NE(ini.find("窗口高度=400"), std::string::npos) << ini;
}

// Windows refuses every GDI+ call before GdiplusStartup; the program must import and call it.
TEST(ShippedProgram, ImportsGdiplusStartup) {
  const std::string image = ReadBytes(BuiltExecutable());
  ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
  IMAGE_DOS_HEADER dos{};
  std::memcpy(&dos, image.data(), sizeof dos);
  IMAGE_NT_HEADERS64 nt{};
  ASSERT_LT(static_cast<std::size_t>(dos.e_lfanew) + sizeof nt, image.size());
  std::memcpy(&nt, image.data() + dos.e_lfanew, sizeof nt);
  ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
  std::vector<IMAGE_SECTION_HEADER> sections(nt.FileHeader.NumberOfSections);
  std::memcpy(sections.data(),
              image.data() + dos.e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                  nt.FileHeader.SizeOfOptionalHeader,
              sections.size() * sizeof(IMAGE_SECTION_HEADER));
  const auto at = [&](DWORD rva) -> const char* {
    for (const IMAGE_SECTION_HEADER& s : sections) {
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
        return image.data() + s.PointerToRawData + (rva - s.VirtualAddress);
      }
    }
    return nullptr;
  };
  const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  bool found = false;
  for (const char* d = at(imports); d; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR descriptor{};
    std::memcpy(&descriptor, d, sizeof descriptor);
    if (descriptor.Name == 0) break;
    if (_stricmp(at(descriptor.Name), "gdiplus.dll") != 0) continue;
    for (const char* t =
             at(descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk : descriptor.FirstThunk);
         t; t += sizeof(ULONGLONG)) {
      ULONGLONG thunk = 0;
      std::memcpy(&thunk, t, sizeof thunk);
      if (thunk == 0) break;
      if (thunk & IMAGE_ORDINAL_FLAG64) continue;
      if (std::strcmp(at(static_cast<DWORD>(thunk)) + 2, "GdiplusStartup") == 0)
        found = true;  // after the hint
    }
  }
  EXPECT_TRUE(found);
}
