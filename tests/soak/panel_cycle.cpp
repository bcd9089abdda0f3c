#include "soak/panel_cycle.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "e2e/desktop_input.h"

namespace velora::soak {
namespace {

constexpr ULONGLONG kStepLimitMs = 30000;  // a loaded two-core machine has taken more than ten

// Polls `condition` until it holds; a step that never shows its outcome fails the cycle.
template <typename Condition>
void WaitFor(const char* step, Condition condition) {
  const ULONGLONG until = GetTickCount64() + kStepLimitMs;
  while (!condition()) {
    if (GetTickCount64() > until) throw CycleFailure(step);
    Sleep(2);
  }
}

void SendKey(WORD key) {
  if (!e2e::TapKey(key)) throw CycleFailure("SendInput refused a key");
}

// Each event carries the point, so a late pointer move from the display cannot send the button
// elsewhere.
void SendMouseAt(POINT at, std::vector<std::pair<DWORD, int>> events) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  std::vector<INPUT> inputs;
  for (const auto& [flags, wheel] : events) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, width - 1);
    input.mi.dy = MulDiv(at.y, 65535, height - 1);
    input.mi.mouseData = static_cast<DWORD>(wheel);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs.push_back(input);
  }
  const UINT count = static_cast<UINT>(inputs.size());
  if (SendInput(count, inputs.data(), sizeof(INPUT)) != count)
    throw CycleFailure("SendInput refused the mouse");
}

std::wstring FirstCaption(HWND grid) {
  const std::vector<std::wstring> captions = e2e::GridCaptions(grid);
  return captions.empty() ? std::wstring() : captions.front();
}

// Returns once the window's thread has handled what was sent to it before.
void WaitForAnswer(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepLimitMs, &answer)) {
    throw CycleFailure("the panel did not answer");
  }
}

}  // namespace

PanelCycle::PanelCycle(DWORD process_id, HWND panel, CycleItems items)
    : process_id_(process_id), panel_(panel), grid_(e2e::FindItemGrid(panel)), items_(std::move(items)) {
  if (!grid_) throw CycleFailure("the panel has no item grid");
}

void PanelCycle::Run() {
  SendKey(VK_F9);
  WaitFor("summoning with F9",
          [&] { return IsWindowVisible(panel_) && FirstCaption(grid_) == items_.first_page; });

  SendMouseAt(GridCentre(), {{MOUSEEVENTF_WHEEL, -WHEEL_DELTA}});
  WaitFor("turning to the next page", [&] { return FirstCaption(grid_) == items_.second_page; });

  const POINT snippet = SnippetCell();
  SendMouseAt(snippet, {{MOUSEEVENTF_RIGHTDOWN, 0}, {MOUSEEVENTF_RIGHTUP, 0}});
  WaitFor("opening the item menu", [&] { return MenuShows(); });
  SendKey(VK_ESCAPE);
  WaitFor("dismissing the item menu", [&] { return !MenuShows(); });

  // The panel no longer held, the launch hides it. The driver never writes the clipboard: a change
  // soon after a summon is taken by the panel for a late copy of the selection.
  const DWORD before = GetClipboardSequenceNumber();
  SendMouseAt(snippet, {{MOUSEEVENTF_LEFTDOWN, 0}, {MOUSEEVENTF_LEFTUP, 0}});
  const auto launched = [&] {
    return !IsWindowVisible(panel_) && GetClipboardSequenceNumber() != before &&
           e2e::ClipboardText() == items_.snippet;
  };
  try {
    WaitFor("launching the snippet", launched);
  } catch (const CycleFailure&) {
    throw CycleFailure(std::string("launching the snippet: the panel ") +
                       (IsWindowVisible(panel_) ? "still shows" : "hid") + ", the clipboard holds " +
                       std::to_string(e2e::ClipboardText().size()) + " characters, the menu " +
                       (MenuShows() ? "shows" : "is gone"));
  }
  WaitForAnswer(panel_);
}

void PanelCycle::LetGo() {
  const HWND pin = e2e::FindChildByText(panel_, items_.pin);
  if (!pin) throw CycleFailure("the panel has no pin");
  RECT r{};
  GetWindowRect(pin, &r);
  SendMouseAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2},
              {{MOUSEEVENTF_LEFTDOWN, 0}, {MOUSEEVENTF_LEFTUP, 0}});
  WaitFor("letting go of the pin", [&] { return SendMessageW(pin, BM_GETCHECK, 0, 0) == BST_UNCHECKED; });
}

void PanelCycle::HideWithHotkey() {
  if (!IsWindowVisible(panel_)) return;
  SendKey(VK_F9);
  WaitFor("hiding with F9", [&] { return !IsWindowVisible(panel_); });
  WaitForAnswer(panel_);
}

POINT PanelCycle::GridCentre() const {
  RECT r{};
  GetWindowRect(grid_, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT PanelCycle::SnippetCell() const {
  const POINT at = e2e::CellOf(grid_, items_.snippet);
  if (at.x < 0) throw CycleFailure("the snippet is not on the second page");
  return at;
}

bool PanelCycle::MenuShows() const {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == process_id_ && IsWindowVisible(w)) return true;
  }
  return false;
}

}  // namespace velora::soak
