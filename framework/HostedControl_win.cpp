#include "framework/HostedControl.h"

#include <ocidl.h>

#include <cstring>

#include "framework/ControlSite.h"
#include "framework/WindowRect.h"

namespace velo {

namespace {

template <typename Interface>
void ReleaseAndClear(Interface*& object) {
  if (object) object->Release();
  object = nullptr;
}

// A stream over a copy of the bytes, at its start.
IStream* StreamOver(const std::vector<uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (!memory) return nullptr;
  void* data = GlobalLock(memory);
  if (!data) {
    GlobalFree(memory);
    return nullptr;
  }
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  // The block is never empty; the stream is exactly the bytes.
  ULARGE_INTEGER size;
  size.QuadPart = bytes.size();
  if (FAILED(stream->SetSize(size))) {
    stream->Release();
    return nullptr;
  }
  return stream;
}

// Loads the control's properties from a stream over the bytes.
template <typename Persist>
HRESULT LoadFrom(Persist* persist, const std::vector<uint8_t>& bytes) {
  IStream* stream = StreamOver(bytes);
  if (!stream) return E_OUTOFMEMORY;
  HRESULT result = persist->Load(stream);
  stream->Release();
  return result;
}

}  // namespace

bool HostedControl::Create(HWND dialog, int placeholderId,
                           const std::vector<uint8_t>* stream) {
  if (object_) return true;
  HWND placeholder = GetDlgItem(dialog, placeholderId);
  if (!placeholder) return false;
  void* created = nullptr;
  if (FAILED(CoCreateInstance(classId_, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IOleObject, &created)))
    return false;
  object_ = static_cast<IOleObject*>(created);
  RECT area = WindowRectIn(placeholder, dialog);
  site_ = new ControlSite(dialog, area);

  // Most controls want their site before their properties, to read the
  // ambients while they load.
  DWORD status = 0;
  if (FAILED(object_->GetMiscStatus(DVASPECT_CONTENT, &status))) status = 0;
  bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
  bool ready = (!siteFirst || SUCCEEDED(object_->SetClientSite(site_))) &&
               LoadProperties(stream) &&
               (siteFirst || SUCCEEDED(object_->SetClientSite(site_))) &&
               Activate(dialog, area);
  if (!ready) {
    Destroy();
    return false;
  }
  if (FAILED(object_->QueryInterface(IID_IDispatch,
                                     reinterpret_cast<void**>(&dispatch_))))
    dispatch_ = nullptr;
  // The control now draws where the placeholder was.
  ShowWindow(placeholder, SW_HIDE);
  return true;
}

bool HostedControl::LoadProperties(const std::vector<uint8_t>* stream) {
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit,
                                        reinterpret_cast<void**>(&persist)))) {
    HRESULT result = stream ? LoadFrom(persist, *stream) : persist->InitNew();
    persist->Release();
    return SUCCEEDED(result);
  }
  // A control of the older kind loads through IPersistStream and has no
  // fresh start of its own.
  if (!stream) return true;
  IPersistStream* older = nullptr;
  if (FAILED(object_->QueryInterface(IID_IPersistStream,
                                     reinterpret_cast<void**>(&older))))
    return false;
  HRESULT result = LoadFrom(older, *stream);
  older->Release();
  return SUCCEEDED(result);
}

bool HostedControl::Activate(HWND dialog, const RECT& area) {
  RECT position = area;
  HRESULT result = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0,
                                   dialog, &position);
  return SUCCEEDED(result) && site_->InPlaceActive();
}

void HostedControl::Destroy() {
  if (!object_) return;
  ReleaseAndClear(dispatch_);
  if (site_->InPlaceActive()) {
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(object_->QueryInterface(
            IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
  }
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  ReleaseAndClear(object_);
  site_->Release();
  site_ = nullptr;
}

ControlHosting::ControlHosting() : started_(SUCCEEDED(OleInitialize(nullptr))) {}

ControlHosting::~ControlHosting() {
  if (started_) OleUninitialize();
}

}  // namespace velo
