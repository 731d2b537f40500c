// The container's side of one hosted ActiveX control: the client site it is
// given, the in-place site and frame it asks for when it activates in place,
// the control site it tells about itself and asks to convert sizes, and the
// ambient properties it reads through the site's IDispatch. The
// dialog's window is the window it draws in, at the rectangle it is given;
// the dialog has no menus, toolbars or status line to share.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleidl.h>
#include <oaidl.h>
#include <ocidl.h>

namespace velo {

class ControlSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IOleControlSite,
                          public IDispatch {
 public:
  // `area`: in the dialog's client coordinates. Starts with one reference.
  ControlSite(HWND dialog, const RECT& area);

  // True between the control's OnInPlaceActivate and OnInPlaceDeactivate.
  bool InPlaceActive() const { return inPlaceActive_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // IOleWindow, shared by the in-place site and the frame
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(
      IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
      RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override;

  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(RECT* border) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*,
                                            LPCOLESTR) override;

  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, OLEMENUGROUPWIDTHS* widths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, WORD) override;

  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override;
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override;
  // Between HIMETRIC and the dialog's pixels.
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric,
                                            POINTF* container,
                                            DWORD flags) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override;
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override;
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override;

  // IDispatch: the ambient properties, read as property gets.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID interfaceId, LCID,
                                   WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*,
                                   UINT* argumentError) override;

 private:
  ~ControlSite() = default;

  HWND dialog_;
  RECT area_;
  bool inPlaceActive_ = false;
  LONG references_ = 1;
};

}  // namespace velo
