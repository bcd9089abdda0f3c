// Texts typed into edit boxes come back after a restart exactly, quotes and line breaks too.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "e2e/installed_copy.h"

using namespace velora::e2e;

namespace {

// The edit box whose inner caption label reads `caption`.
HWND EditLabelled(HWND window, const wchar_t* caption) {
  struct Search {
    const wchar_t* caption;
    HWND edit = nullptr;
  } search{caption};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t text[64] = {};
        wchar_t parent_class[16] = {};
        GetWindowTextW(child, text, 64);
        GetClassNameW(GetParent(child), parent_class, 16);
        if (std::wstring(text) != s->caption || _wcsicmp(parent_class, L"Edit") != 0) return TRUE;
        s->edit = GetParent(child);
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.edit;
}

// WM_GETTEXT into a fixed buffer: Wine answers WM_GETTEXTLENGTH from another process with 0.
std::wstring Text(HWND edit) {
  wchar_t buffer[512] = {};
  SendMessageW(edit, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

// The settings file as text: its bytes are GBK.
std::wstring ReadGbkFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(
      936, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

using ControlStateTest = InstalledCopyTest;

}  // namespace

TEST_F(ControlStateTest, QuotesAndLineBreaksSurviveARestart) {
  const std::wstring address = L"https://例子.cn/s?q=\"引号\"&n=1";
  const std::wstring title = L"第一行\r\n第二行 \"乙\"";
  {
    VeloraProcess velora(exe);
    HWND window = StartShown(velora);
    ASSERT_NE(window, nullptr);
    HWND address_box = EditLabelled(window, L"网址：");
    HWND title_box = EditLabelled(window, L"标题：");
    ASSERT_NE(address_box, nullptr);
    ASSERT_NE(title_box, nullptr);
    SendMessageW(address_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    SendMessageW(title_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
    ASSERT_EQ(Text(title_box), title);
    EXPECT_EQ(velora.Close(), 0u);
  }
  // Stored with the escapes, so every value stays on its own line of the file.
  const std::wstring ini = ReadGbkFile(folder.path() / L"配置" / L"Velora配置.ini");
  EXPECT_NE(ini.find(L"编辑框_书签地址=https://例子.cn/s?q=#引号引号#引号&n=1"), std::wstring::npos);
  EXPECT_NE(ini.find(L"编辑框_书签标题=第一行><br><第二行 #引号乙#引号"), std::wstring::npos);

  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(EditLabelled(window, L"网址：")), address);
  EXPECT_EQ(Text(EditLabelled(window, L"标题：")), title);
  EXPECT_EQ(velora.Close(), 0u);
}
