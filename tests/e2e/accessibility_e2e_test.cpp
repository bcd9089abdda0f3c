// The running program as a screen reader reads it, from another process: the grid's items, the
// bar's categories and the buttons by name, role and state; a keyboard move heard as a focus
// event; an item's default action launching it; the query box by its name.
#include <windows.h>
// After windows.h, whose types they use.
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "text/utf.h"

using namespace velora::e2e;

namespace {

// The client object of a window of another process, or null.
IAccessible* ObjectOf(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring Name(IAccessible& object, long child) {
  BSTR name = nullptr;
  if (object.get_accName(Child(child), &name) != S_OK || !name) return {};
  std::wstring text(name, SysStringLen(name));
  SysFreeString(name);
  return text;
}

long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& object,
            long child) {
  VARIANT value;
  VariantInit(&value);
  return SUCCEEDED((object.*get)(Child(child), &value)) && value.vt == VT_I4 ? value.lVal : -1;
}
long Role(IAccessible& object, long child) { return Number(&IAccessible::get_accRole, object, child); }
long State(IAccessible& object, long child) { return Number(&IAccessible::get_accState, object, child); }

// The names of an object's children, as AccessibleChildren hands them over.
std::vector<std::wstring> ChildNames(IAccessible& object) {
  long count = 0;
  object.get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long got = 0;
  AccessibleChildren(&object, 0, count, children.data(), &got);
  std::vector<std::wstring> names;
  for (long i = 0; i < got; ++i) {
    names.push_back(children[static_cast<std::size_t>(i)].vt == VT_I4
                        ? Name(object, children[static_cast<std::size_t>(i)].lVal)
                        : L"?");
  }
  return names;
}

// The focus events a process raises, heard out of context while the test pumps messages.
struct FocusEvents {
  static inline std::vector<std::pair<HWND, long>> heard;
  static void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) heard.emplace_back(window, child);
  }
};

class AccessibilityTest : public InstalledCopyTest {
 protected:
  void SetUp() override {
    InstalledCopyTest::SetUp();
    CoInitialize(nullptr);
  }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace

TEST_F(AccessibilityTest, TheTreeNamesItemsCategoriesAndButtonsAndAnItemsDefaultActionLaunchesIt) {
  {
    VeloraProcess first(exe);  // writes the store
    ASSERT_NE(StartShown(first), nullptr);
    ASSERT_EQ(first.Close(), 0u);
    velora::store::Database db;
    ASSERT_TRUE(db.Open(velora::text::PathToUtf8(folder.path() / L"配置" / L"Velora.db")));
    ASSERT_TRUE(
        velora::store::AddItem(db, "软件", {"$$文本$$读屏", {}, "问候", "文本", {}, "2100-01-01 00:00:00"}));
  }
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);  // started by hand: held, pin pressed, software on show
  ASSERT_NE(window, nullptr);

  HWND grid = FindItemGrid(window);
  IAccessible* list = ObjectOf(grid);
  ASSERT_NE(list, nullptr) << "the grid answers no accessible object";
  EXPECT_EQ(Role(*list, CHILDID_SELF), ROLE_SYSTEM_LIST);
  const std::vector<std::wstring> captions = GridCaptions(grid);
  std::vector<std::wstring> shown;
  for (const std::wstring& caption : captions) {
    if (!caption.empty()) shown.push_back(caption);
  }
  EXPECT_EQ(ChildNames(*list), shown);  // the items, empty cells left out
  EXPECT_EQ(Role(*list, 1), ROLE_SYSTEM_LISTITEM);
  BSTR description = nullptr;
  ASSERT_EQ(list->get_accDescription(Child(1), &description), S_OK);
  EXPECT_EQ(std::wstring(description, SysStringLen(description)), L"文本 · 读屏");
  SysFreeString(description);

  IAccessible* bar = ObjectOf(FindChildByText(window, L"软件"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Role(*bar, CHILDID_SELF), ROLE_SYSTEM_PAGETABLIST);
  const std::vector<std::wstring> tabs = ChildNames(*bar);
  ASSERT_GE(tabs.size(), 7u);
  EXPECT_EQ(std::vector<std::wstring>(tabs.begin(), tabs.begin() + 3),
            (std::vector<std::wstring>{L"软件", L"目录", L"书签"}));
  EXPECT_EQ(Role(*bar, 1), ROLE_SYSTEM_PAGETAB);
  EXPECT_TRUE(State(*bar, 1) & STATE_SYSTEM_SELECTED);
  EXPECT_FALSE(State(*bar, 2) & STATE_SYSTEM_SELECTED);

  // Every shown image button by its tip; the pin, pressed, as checked.
  std::vector<std::pair<std::wstring, long>> buttons;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) {
        if (IAccessible* object = ObjectOf(child)) {
          if (Role(*object, CHILDID_SELF) == ROLE_SYSTEM_PUSHBUTTON &&
              !(State(*object, CHILDID_SELF) & STATE_SYSTEM_INVISIBLE)) {
            reinterpret_cast<decltype(buttons)*>(found)->emplace_back(Name(*object, CHILDID_SELF),
                                                                      State(*object, CHILDID_SELF));
          }
          object->Release();
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&buttons));
  EXPECT_GE(buttons.size(), 6u);
  std::wstring printed;
  for (const auto& [name, state] : buttons) {
    EXPECT_FALSE(name.empty());
    printed += name + ((state & STATE_SYSTEM_CHECKED) ? L"(checked) " : L" ");
  }
  EXPECT_NE(printed.find(L"(checked)"), std::wstring::npos) << velora::text::Narrow(printed);
  // The tree as a screen reader hears it, for whoever reads the test's output.
  std::wstring tree = L"list:";
  for (const std::wstring& name : ChildNames(*list)) tree += L" [" + name + L"]";
  tree += L"\npage tabs:";
  for (const std::wstring& name : tabs) tree += L" [" + name + L"]";
  std::printf("%s\nbuttons: %s\n", velora::text::Narrow(tree).c_str(), velora::text::Narrow(printed).c_str());

  // A keyboard move is heard as the focus moving to the item.
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &FocusEvents::Hear,
                                       velora.id(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return SetForegroundWindow(window) && GetForegroundWindow() == window; }));
  ASSERT_TRUE(TapKey(VK_RIGHT));
  const bool heard = WaitUntil([&] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    return std::find(FocusEvents::heard.begin(), FocusEvents::heard.end(), std::pair(grid, 1L)) !=
           FocusEvents::heard.end();
  });
  UnhookWinEvent(hook);
  EXPECT_TRUE(heard);
  EXPECT_TRUE(State(*list, 1) & STATE_SYSTEM_SELECTED);

  // The item's default action launches it: the snippet's text lands on the clipboard.
  EXPECT_EQ(list->accDoDefaultAction(Child(1)), S_OK);
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"读屏"; }));

  // A typed letter opens the query box, a native edit read out by its name, not by what is typed.
  ASSERT_TRUE(TapKey('D'));
  HWND query = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
          wchar_t cls[16] = {};
          GetClassNameW(child, cls, 16);
          if (_wcsicmp(cls, L"Edit") == 0 && IsWindowVisible(child)) *reinterpret_cast<HWND*>(found) = child;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query != nullptr;
  }));
  IAccessible* box = ObjectOf(query);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Name(*box, CHILDID_SELF), L"查找");
  EXPECT_EQ(Role(*box, CHILDID_SELF), ROLE_SYSTEM_TEXT);
  box->Release();
  bar->Release();
  list->Release();
  EXPECT_EQ(velora.Close(), 0u);
}
