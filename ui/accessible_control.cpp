#include "ui/accessible_control.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "platform/win32_text.h"
#include "widgets/window_text.h"

namespace lumaset::ui {
namespace {

LONG msaaRole(Role role) {
  switch (role) {
    case Role::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case Role::CheckBox:
      return ROLE_SYSTEM_CHECKBUTTON;
    case Role::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case Role::Link:
      return ROLE_SYSTEM_LINK;
    case Role::Graphic:
      return ROLE_SYSTEM_GRAPHIC;
    case Role::StaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case Role::EditableText:
      return ROLE_SYSTEM_TEXT;
    case Role::Grouping:
      return ROLE_SYSTEM_GROUPING;
    case Role::PropertyPage:
      return ROLE_SYSTEM_PROPERTYPAGE;
    case Role::Whitespace:
    default:
      return ROLE_SYSTEM_WHITESPACE;
  }
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT giveText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocString(text.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

// The system's accessible object of a control's window, answering the name, role and
// state of the control itself (CHILDID_SELF) from the control table and the window.
class AccessibleControl final : public IAccessible, public IOleWindow {
 public:
  AccessibleControl(IAccessible* standard, HWND window, const ControlName& row)
      : standard_(standard), window_(window), row_(row) {}
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible))
      *out = static_cast<IAccessible*>(this);
    else if (id == __uuidof(IOleWindow))
      *out = static_cast<IOleWindow*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleWindow: the window the object stands for.
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  STDMETHODIMP Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                      EXCEPINFO* exception, UINT* wrong) override {
    return standard_->Invoke(member, id, locale, flags, parameters, result, exception, wrong);
  }

  // IAccessible: what the control table and the window say of the control itself.
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (!isSelf(child) || row_.accessibleName.empty()) return standard_->get_accName(child, name);
    return giveText(toWide(std::string(accessibleNameOf(row_))), name);
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!isSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = msaaRole(row_.role);
    return S_OK;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT got = standard_->get_accState(child, state);
    if (got == S_OK && isSelf(child) && state->vt == VT_I4) state->lVal |= ownState();
    return got;
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    const HRESULT got = standard_->get_accValue(child, value);
    if (!isSelf(child) || row_.role != Role::ComboBox || (got == S_OK && *value && SysStringLen(*value) > 0))
      return got;
    // A box that shows its choice as a label (the theme box) has the label's text as its value.
    if (got == S_OK && *value) SysFreeString(*value);
    return giveText(kit::windowText(window_), value);
  }

  // IAccessible: the rest is the system's.
  STDMETHODIMP get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  STDMETHODIMP get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override { return standard_->get_accChild(child, out); }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override {
    return standard_->get_accDescription(child, out);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override { return standard_->get_accHelp(child, out); }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return standard_->get_accKeyboardShortcut(child, out);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
  STDMETHODIMP get_accSelection(VARIANT* selection) override { return standard_->get_accSelection(selection); }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override {
    return standard_->get_accDefaultAction(child, out);
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  STDMETHODIMP accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    return standard_->accLocation(x, y, w, h, child);
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* hit) override { return standard_->accHitTest(x, y, hit); }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override { return standard_->put_accValue(child, value); }

 private:
  ~AccessibleControl() { standard_->Release(); }

  // A ticked check box, a pressed page button, a link, a control the Tab key reaches.
  LONG ownState() const {
    LONG state = 0;
    const bool ticked = SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (row_.role == Role::CheckBox && ticked) state |= STATE_SYSTEM_CHECKED;
    if (row_.role == Role::PushButton && ticked) state |= STATE_SYSTEM_PRESSED;
    if (row_.role == Role::Link) state |= STATE_SYSTEM_LINKED;
    if (GetWindowLongPtrW(window_, GWL_STYLE) & WS_TABSTOP) state |= STATE_SYSTEM_FOCUSABLE;
    return state;
  }

  IAccessible* standard_;
  HWND window_;
  const ControlName& row_;
  LONG references_ = 1;
};

LRESULT CALLBACK accessibleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR row) {
  // The object id comes as a 32-bit value in lParam.
  if (message != WM_GETOBJECT || static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
    return DefSubclassProc(window, message, wParam, lParam);
  // __uuidof, not IID_IAccessible: mingw's oleacc import library makes that name a
  // function stub, whose bytes are no interface id.
  IAccessible* standard = nullptr;
  if (FAILED(
          CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))))
    return DefSubclassProc(window, message, wParam, lParam);
  auto* described = new AccessibleControl(standard, window, *reinterpret_cast<const ControlName*>(row));
  // The result holds its own reference; a client that never asks for it frees it.
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(described));
  described->Release();
  return result;
}

}  // namespace

void describeToScreenReaders(HWND window, Control control) {
  const ControlName* row = controlRow(control);
  if (window && row) SetWindowSubclass(window, accessibleProc, 12, reinterpret_cast<DWORD_PTR>(row));
}

}  // namespace lumaset::ui
