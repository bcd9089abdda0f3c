#include "toolkit/native_controls.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

#include "core/guarded.h"
#include "text/utf.h"
#include "toolkit/control_host.h"

namespace velora::toolkit {
namespace {

constexpr UINT_PTR kKeySubclassId = 0x1159;

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP ||
         message == WM_CHAR || message == WM_SYSCHAR;
}

// The input method's own word, for a composition whose start message did not come this way.
bool HasCompositionString(HWND hwnd) {
  HIMC context = ImmGetContext(hwnd);
  if (!context) return false;
  const LONG bytes = ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0);
  ImmReleaseContext(hwnd, context);
  return bytes > 0;
}

RECT ClientOf(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return client;
}

}  // namespace

EditBox::EditBox(ControlHost& host, ControlArgs args, bool multiline)
    : Control(host, type_word::kEdit, std::move(args)) {
  const DWORD style = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL |
                      (multiline ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : 0);
  CreateHwnd(L"EDIT", style);
  if (hwnd())
    SetWindowSubclass(hwnd(), &EditBox::KeyProcedure, kKeySubclassId, reinterpret_cast<DWORD_PTR>(this));
}

EditBox::~EditBox() {
  if (hwnd()) RemoveWindowSubclass(hwnd(), &EditBox::KeyProcedure, kKeySubclassId);
}

void EditBox::DisableInputMethod() {
  if (hwnd()) ImmAssociateContextEx(hwnd(), nullptr, 0);
}

bool EditBox::composing() const { return composing_ || (hwnd() && HasCompositionString(hwnd())); }

LRESULT CALLBACK EditBox::KeyProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR data) noexcept {
  return core::Guarded(
      "edit key procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<EditBox*>(data);
        if (message == WM_IME_STARTCOMPOSITION) {
          self->composing_ = true;
        } else if (message == WM_IME_ENDCOMPOSITION) {
          self->composing_ = false;
        } else if (message == WM_NCDESTROY) {
          RemoveWindowSubclass(hwnd, &EditBox::KeyProcedure, kKeySubclassId);
        } else if (IsKeyMessage(message) && self->on_key && !self->composing()) {
          // A copy: the handler may close what owns this box.
          const auto on_key = self->on_key;
          if (on_key(*self, {message, wparam})) return 0;
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

void EditBox::SetMargins(int left, int right) {
  left_margin_ = left;
  right_margin_ = right;
  ApplyDpi();
}

void EditBox::ApplyDpi() {
  Control::ApplyDpi();
  if (!hwnd() || left_margin_ < 0) return;
  SendMessageW(hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(host().Scale(left_margin_), host().Scale(std::max(right_margin_, 0))));
}

std::vector<Caption> EditBox::Captions() const {
  if (GetWindowLongW(hwnd(), GWL_STYLE) & ES_MULTILINE) return {};
  RECT box = ClientOf(hwnd());
  const auto margins = static_cast<DWORD>(SendMessageW(hwnd(), EM_GETMARGINS, 0, 0));
  box.left += LOWORD(margins);
  box.right -= HIWORD(margins);
  return {{text::Widen(Text()), host().Font(12), box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX}};
}

void EditBox::OnCommand(WORD code) {
  if (code == EN_CHANGE && on_change) on_change(*this);
}

CheckBox::CheckBox(ControlHost& host, ControlArgs args)
    : Control(host, type_word::kCheckBox, std::move(args)) {
  CreateHwnd(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX);
}

bool CheckBox::Checked() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<Caption> CheckBox::Captions() const {
  RECT box = ClientOf(hwnd());
  box.left += host().Scale(17);  // the box and the gap after it
  return {{text::Widen(Text()), host().Font(12), box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX}};
}

void CheckBox::OnCommand(WORD code) {
  if (code == BN_CLICKED) {
    if (on_click) on_click(*this);
    if (on_change) on_change(*this);
  }
}

PushButton::PushButton(ControlHost& host, ControlArgs args)
    : Control(host, type_word::kButton, std::move(args)) {
  CreateHwnd(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
}

std::vector<Caption> PushButton::Captions() const {
  RECT box = ClientOf(hwnd());
  InflateRect(&box, -host().Scale(3), -host().Scale(2));  // inside the raised edge
  return {{text::Widen(Text()), host().Font(12), box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX}};
}

void PushButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && on_click) on_click(*this);
}

ComboBox::ComboBox(ControlHost& host, ControlArgs args, std::string_view type_word)
    : Control(host, type_word, std::move(args)) {
  CreateHwnd(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
}

int ComboBox::Add(std::string_view text, long long number) {
  const auto index = static_cast<int>(
      SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text::Widen(text).c_str())));
  if (index >= 0) SendMessageW(hwnd(), CB_SETITEMDATA, index, static_cast<LPARAM>(number));
  return index;
}

void ComboBox::Delete(int index) { SendMessageW(hwnd(), CB_DELETESTRING, index, 0); }

int ComboBox::Count() const { return static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0)); }

std::string ComboBox::ItemText(int index) const {
  const auto length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(length));
  return text::Narrow(buffer);
}

long long ComboBox::ItemNumber(int index) const {
  return static_cast<long long>(SendMessageW(hwnd(), CB_GETITEMDATA, index, 0));
}

int ComboBox::Selected() const { return static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)); }

void ComboBox::Select(int index) { SendMessageW(hwnd(), CB_SETCURSEL, index, 0); }

std::string ComboBox::Text() const {
  const int index = Selected();
  return index >= 0 ? ItemText(index) : std::string();
}

std::vector<Caption> ComboBox::Captions() const {
  RECT box = ClientOf(hwnd());
  box.left += host().Scale(3);
  box.right -= GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(host().dpi()));
  std::vector<Caption> captions;
  captions.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i) {
    captions.push_back(
        {text::Widen(ItemText(i)), host().Font(12), box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX});
  }
  return captions;
}

void ComboBox::OnCommand(WORD code) {
  if (code == CBN_SELCHANGE && on_change) on_change(*this);
}

}  // namespace velora::toolkit
