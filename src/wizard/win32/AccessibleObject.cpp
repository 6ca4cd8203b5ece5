#include "wizard/win32/AccessibleObject.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>

#include "utils/win32/SystemLibrary.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace {

// The interface's identity spelled out: the MinGW import library's symbol of
// this name does not hold it, and a wrong one makes every request fail.
const IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The system's own object for the control, with our name in front of it.
class TNamedAccessible final : public IAccessible {
 public:
  TNamedAccessible(IAccessible* Inner, std::wstring Name) : FInner(Inner), FName(std::move(Name)) {}
  ~TNamedAccessible() { FInner->Release(); }

  // IUnknown: only what this object is; the rest of the standard object's
  // interfaces stay reachable through it, but marshalling must see ours.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Out) override {
    if (!Out) return E_POINTER;
    *Out = nullptr;
    if (Iid == IID_IUnknown || Iid == IID_IDispatch || Iid == AccessibleIid) {
      *Out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    if (Iid == IID_IEnumVARIANT || Iid == IID_IOleWindow) return FInner->QueryInterface(Iid, Out);
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&FRefs); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG Refs = InterlockedDecrement(&FRefs);
    if (Refs == 0) delete this;
    return Refs;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* N) override { return FInner->GetTypeInfoCount(N); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT I, LCID L, ITypeInfo** T) override { return FInner->GetTypeInfo(I, L, T); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID R, LPOLESTR* N, UINT C, LCID L, DISPID* D) override {
    return FInner->GetIDsOfNames(R, N, C, L, D);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID D, REFIID R, LCID L, WORD F, DISPPARAMS* P, VARIANT* V, EXCEPINFO* E,
                                   UINT* A) override {
    return FInner->Invoke(D, R, L, F, P, V, E, A);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT Child, BSTR* Name) override {
    if (Child.vt != VT_I4 || Child.lVal != CHILDID_SELF) return FInner->get_accName(Child, Name);
    if (!Name) return E_POINTER;
    *Name = SysAllocStringLen(FName.data(), static_cast<UINT>(FName.size()));
    return *Name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** P) override { return FInner->get_accParent(P); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* N) override { return FInner->get_accChildCount(N); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT C, IDispatch** D) override { return FInner->get_accChild(C, D); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT C, BSTR* V) override { return FInner->get_accValue(C, V); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT C, BSTR* D) override { return FInner->get_accDescription(C, D); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT C, VARIANT* R) override { return FInner->get_accRole(C, R); }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT C, VARIANT* S) override { return FInner->get_accState(C, S); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT C, BSTR* H) override { return FInner->get_accHelp(C, H); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* F, VARIANT C, LONG* T) override {
    return FInner->get_accHelpTopic(F, C, T);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT C, BSTR* K) override {
    return FInner->get_accKeyboardShortcut(C, K);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* F) override { return FInner->get_accFocus(F); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* S) override { return FInner->get_accSelection(S); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT C, BSTR* A) override {
    return FInner->get_accDefaultAction(C, A);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG F, VARIANT C) override { return FInner->accSelect(F, C); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* L, LONG* T, LONG* W, LONG* H, VARIANT C) override {
    return FInner->accLocation(L, T, W, H, C);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG D, VARIANT S, VARIANT* E) override { return FInner->accNavigate(D, S, E); }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG X, LONG Y, VARIANT* C) override { return FInner->accHitTest(X, Y, C); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT C) override { return FInner->accDoDefaultAction(C); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT C, BSTR N) override { return FInner->put_accName(C, N); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT C, BSTR V) override { return FInner->put_accValue(C, V); }

 private:
  LONG FRefs = 1;
  IAccessible* FInner;
  std::wstring FName;
};

std::wstring Wide(const std::string& Text) {
  const int N = MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
  std::wstring W(static_cast<size_t>(N), L'\0');
  if (N > 0) MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), &W[0], N);
  return W;
}

using TNameFunction = std::function<std::string()>;

using TCreateStdAccessibleObject = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using TLresultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// Kept for the life of the process: the standard objects it makes live in it,
// and a screen reader may hold one after the window is gone.
const TSystemLibrary& Oleacc() {
  static const TSystemLibrary Library("oleacc.dll");
  return Library;
}

// The system's object for the control with Name in front of it, as the answer
// to WM_GETOBJECT; 0 (the control's own answer) when it cannot be made.
LRESULT NamedObject(HWND Hwnd, WPARAM W, const std::string& Name) {
  const auto CreateStandard = Oleacc().Function<TCreateStdAccessibleObject>("CreateStdAccessibleObject");
  const auto FromObject = Oleacc().Function<TLresultFromObject>("LresultFromObject");
  IAccessible* Standard = nullptr;
  if (!CreateStandard || !FromObject ||
      FAILED(CreateStandard(Hwnd, OBJID_CLIENT, AccessibleIid, reinterpret_cast<void**>(&Standard))))
    return 0;
  auto* Named = new TNamedAccessible(Standard, Wide(Name));
  const LRESULT R = FromObject(AccessibleIid, W, Named);
  Named->Release();
  return R;
}

LRESULT CALLBACK NamedProc(HWND Hwnd, UINT Msg, WPARAM W, LPARAM L, UINT_PTR Id, DWORD_PTR Data) {
  auto* Name = reinterpret_cast<TNameFunction*>(Data);
  if (Msg == WM_GETOBJECT && static_cast<LONG>(L) == OBJID_CLIENT) {
    if (const LRESULT R = NamedObject(Hwnd, W, (*Name)())) return R;
  } else if (Msg == WM_NCDESTROY) {
    RemoveWindowSubclass(Hwnd, NamedProc, Id);
    delete Name;
  }
  return DefSubclassProc(Hwnd, Msg, W, L);
}

}  // namespace

void GiveAccessibleName(HWND Control, std::function<std::string()> Name) {
  if (!Control) return;
  auto* Owned = new TNameFunction(std::move(Name));
  if (!SetWindowSubclass(Control, NamedProc, 2, reinterpret_cast<DWORD_PTR>(Owned))) delete Owned;
}

void AnnounceChange(HWND Control) {
  if (!Control) return;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Control, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, Control, OBJID_CLIENT, CHILDID_SELF);
}
