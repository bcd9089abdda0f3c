#pragma once
// Serves a custom control's accessible tree through the system's accessibility interface
// (IAccessible), which screen readers read on Windows and which UI Automation clients reach
// through the system's proxy. The control answers WM_GETOBJECT with one of these and cuts it off
// when it goes: a tool that still holds it is then told the object is gone.
#include <windows.h>
// After windows.h, whose types they use.
#include <oleacc.h>

#include "core/accessible_tree.h"

namespace velora::toolkit {

// What the object reads, always as the control is at the moment of the call.
class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  virtual core::AccessibleTree AccessibleNow() const = 0;
  virtual HWND AccessibleWindow() const = 0;
  // Children in a row, for moving up and down.
  virtual int AccessibleColumns() const { return 1; }
  // Asked to carry out a child's default action (0: the control's); it runs later, from the
  // message loop, not inside the tool's call.
  virtual void RequestAccessibleAction(int child) = 0;
};

class ControlAccessible final : public IAccessible {
 public:
  // With one reference, the caller's.
  static ControlAccessible* Create(AccessibleSource& source);
  // The control is going: every later call fails as for an object that is gone.
  void Disconnect() { source_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; tools call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  explicit ControlAccessible(AccessibleSource& source) : source_(&source) {}
  ~ControlAccessible() = default;
  // The node a child variant names, read now; null for a bad id or a control that is gone.
  // `tree` receives the snapshot the node lives in.
  const core::AccessibleNode* NodeOf(const VARIANT& child, core::AccessibleTree& tree) const;
  HRESULT TextOf(const VARIANT& child, std::string core::AccessibleNode::*field, BSTR* text) const;

  LONG references_ = 1;
  AccessibleSource* source_;
};

// Answers WM_GETOBJECT for the client area with `object`; 0 leaves the request to the system.
LRESULT AnswerGetObject(ControlAccessible& object, WPARAM wparam, LPARAM lparam);

}  // namespace velora::toolkit
