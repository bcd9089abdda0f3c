#include "toolkit/accessible_win32.h"

#include <oleauto.h>

#include "text/utf.h"

namespace velora::toolkit {
namespace {

LONG RoleOf(core::AccessibleRole role) {
  switch (role) {
    case core::AccessibleRole::kList:
      return ROLE_SYSTEM_LIST;
    case core::AccessibleRole::kListItem:
      return ROLE_SYSTEM_LISTITEM;
    case core::AccessibleRole::kPageTabList:
      return ROLE_SYSTEM_PAGETABLIST;
    case core::AccessibleRole::kPageTab:
      return ROLE_SYSTEM_PAGETAB;
    case core::AccessibleRole::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case core::AccessibleRole::kAlert:
      return ROLE_SYSTEM_ALERT;
    case core::AccessibleRole::kPane:
      return ROLE_SYSTEM_PANE;
    case core::AccessibleRole::kGrip:
      return ROLE_SYSTEM_GRIP;
    case core::AccessibleRole::kClient:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

std::optional<core::AccessibleDirection> DirectionOf(long direction) {
  switch (direction) {
    case NAVDIR_UP:
      return core::AccessibleDirection::kUp;
    case NAVDIR_DOWN:
      return core::AccessibleDirection::kDown;
    case NAVDIR_LEFT:
      return core::AccessibleDirection::kLeft;
    case NAVDIR_RIGHT:
      return core::AccessibleDirection::kRight;
    case NAVDIR_NEXT:
      return core::AccessibleDirection::kNext;
    case NAVDIR_PREVIOUS:
      return core::AccessibleDirection::kPrevious;
    case NAVDIR_FIRSTCHILD:
      return core::AccessibleDirection::kFirstChild;
    case NAVDIR_LASTCHILD:
      return core::AccessibleDirection::kLastChild;
    default:
      return std::nullopt;
  }
}

void SetChild(VARIANT* out, int child) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = child;
}

}  // namespace

ControlAccessible* ControlAccessible::Create(AccessibleSource& source) {
  return new ControlAccessible(source);
}

HRESULT ControlAccessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ControlAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ControlAccessible::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ControlAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT ControlAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT ControlAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT ControlAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

const core::AccessibleNode* ControlAccessible::NodeOf(const VARIANT& child,
                                                      core::AccessibleTree& tree) const {
  if (!source_ || child.vt != VT_I4) return nullptr;
  tree = source_->AccessibleNow();
  if (child.lVal == CHILDID_SELF) return &tree.self;
  if (child.lVal < 1 || child.lVal > static_cast<LONG>(tree.children.size())) return nullptr;
  return &tree.children[static_cast<std::size_t>(child.lVal - 1)];
}

HRESULT ControlAccessible::TextOf(const VARIANT& child, std::string core::AccessibleNode::*field,
                                  BSTR* text) const {
  if (!text) return E_POINTER;
  *text = nullptr;
  if (!source_) return CO_E_OBJNOTCONNECTED;
  core::AccessibleTree tree;
  const core::AccessibleNode* node = NodeOf(child, tree);
  if (!node) return E_INVALIDARG;
  const std::string& value = node->*field;
  if (value.empty()) return S_FALSE;
  const std::wstring wide = text::Widen(value);
  *text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT ControlAccessible::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!source_) return CO_E_OBJNOTCONNECTED;
  // The system's object for the control's own window, whose parent is the window's container.
  return AccessibleObjectFromWindow(source_->AccessibleWindow(), static_cast<DWORD>(OBJID_WINDOW),
                                    IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT ControlAccessible::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  if (!source_) return CO_E_OBJNOTCONNECTED;
  *count = static_cast<long>(source_->AccessibleNow().children.size());
  return S_OK;
}

HRESULT ControlAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
  if (!dispatch) return E_POINTER;
  *dispatch = nullptr;
  core::AccessibleTree tree;
  if (!NodeOf(child, tree)) return source_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
  return S_FALSE;  // every child is a simple element of this object
}

HRESULT ControlAccessible::get_accName(VARIANT child, BSTR* name) {
  return TextOf(child, &core::AccessibleNode::name, name);
}

HRESULT ControlAccessible::get_accValue(VARIANT, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT ControlAccessible::get_accDescription(VARIANT child, BSTR* description) {
  return TextOf(child, &core::AccessibleNode::description, description);
}

HRESULT ControlAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  core::AccessibleTree tree;
  const core::AccessibleNode* node = NodeOf(child, tree);
  if (!node) return source_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
  SetChild(role, RoleOf(node->role));
  return S_OK;
}

HRESULT ControlAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  core::AccessibleTree tree;
  const core::AccessibleNode* node = NodeOf(child, tree);
  if (!node) return source_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
  LONG bits = static_cast<LONG>(core::StateBits(*node));
  // A closed panel's controls are there but not shown; readers pass over them.
  if (!IsWindowVisible(source_->AccessibleWindow())) bits |= STATE_SYSTEM_INVISIBLE;
  SetChild(state, static_cast<int>(bits));
  return S_OK;
}

HRESULT ControlAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (!help) return E_POINTER;
  *help = nullptr;
  return S_FALSE;
}

HRESULT ControlAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (file) *file = nullptr;
  if (topic) *topic = 0;
  return S_FALSE;
}

HRESULT ControlAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  if (!shortcut) return E_POINTER;
  *shortcut = nullptr;
  return S_FALSE;
}

HRESULT ControlAccessible::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!source_) return CO_E_OBJNOTCONNECTED;
  const core::AccessibleTree tree = source_->AccessibleNow();
  for (std::size_t i = 0; i < tree.children.size(); ++i) {
    if (tree.children[i].focused) {
      SetChild(child, static_cast<int>(i) + 1);
      return S_OK;
    }
  }
  if (GetFocus() != source_->AccessibleWindow()) return S_FALSE;
  SetChild(child, CHILDID_SELF);
  return S_OK;
}

HRESULT ControlAccessible::get_accSelection(VARIANT* children) {
  if (!children) return E_POINTER;
  VariantInit(children);
  if (!source_) return CO_E_OBJNOTCONNECTED;
  const core::AccessibleTree tree = source_->AccessibleNow();
  for (std::size_t i = 0; i < tree.children.size(); ++i) {
    if (tree.children[i].selected) {
      SetChild(children, static_cast<int>(i) + 1);  // one selected at a time
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT ControlAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return TextOf(child, &core::AccessibleNode::default_action, action);
}

HRESULT ControlAccessible::accSelect(long, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT ControlAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  core::AccessibleTree tree;
  const core::AccessibleNode* node = NodeOf(child, tree);
  if (!node) return source_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
  POINT origin{node->location.left, node->location.top};
  ClientToScreen(source_->AccessibleWindow(), &origin);
  *left = origin.x;
  *top = origin.y;
  *width = node->location.width;
  *height = node->location.height;
  return S_OK;
}

HRESULT ControlAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  core::AccessibleTree tree;
  if (!NodeOf(start, tree)) return source_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
  const std::optional<core::AccessibleDirection> way = DirectionOf(direction);
  if (!way) return E_INVALIDARG;
  const std::optional<int> to = core::Navigate(tree, start.lVal, *way, source_->AccessibleColumns());
  if (!to) return S_FALSE;
  SetChild(end, *to);
  return S_OK;
}

HRESULT ControlAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!source_) return CO_E_OBJNOTCONNECTED;
  POINT at{x, y};
  ScreenToClient(source_->AccessibleWindow(), &at);
  RECT client{};
  GetClientRect(source_->AccessibleWindow(), &client);
  if (!PtInRect(&client, at)) return S_FALSE;
  SetChild(child, core::ChildAt(source_->AccessibleNow(), {at.x, at.y}));
  return S_OK;
}

HRESULT ControlAccessible::accDoDefaultAction(VARIANT child) {
  core::AccessibleTree tree;
  const core::AccessibleNode* node = NodeOf(child, tree);
  if (!node) return source_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
  if (node->default_action.empty()) return DISP_E_MEMBERNOTFOUND;
  source_->RequestAccessibleAction(child.lVal);
  return S_OK;
}

HRESULT ControlAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT ControlAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

LRESULT AnswerGetObject(ControlAccessible& object, WPARAM wparam, LPARAM lparam) {
  // The object id travels in the low 32 bits; a 64-bit lParam may carry more above them.
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  return LresultFromObject(IID_IAccessible, wparam, static_cast<IAccessible*>(&object));
}

}  // namespace velora::toolkit
