// One ActiveX control hosted in a dialog in the place of a placeholder
// control of its template: created from its class id, given a client site,
// loaded from its persisted property stream (or started from its defaults
// when there is none), and activated in place in the placeholder's
// rectangle. When the control's class is not installed, or the control
// refuses any step, nothing stays of it and the placeholder stays as the
// template made it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <vector>

namespace velo {

class ControlSite;

class HostedControl {
 public:
  explicit HostedControl(const CLSID& classId) : classId_(classId) {}
  ~HostedControl() { Destroy(); }
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  // `stream` null starts the control from its defaults. False when nothing
  // was hosted.
  bool Create(HWND dialog, int placeholderId,
              const std::vector<uint8_t>* stream);
  // The control's dispatch interface, or null while none is hosted.
  IDispatch* Dispatch() const { return dispatch_; }
  // Deactivates the control, closes it and lets it go, its window with it;
  // to be done while the dialog's window still exists.
  void Destroy();

 private:
  // Gives the control its persisted properties.
  bool LoadProperties(const std::vector<uint8_t>* stream);
  bool Activate(HWND dialog, const RECT& area);

  CLSID classId_;
  IOleObject* object_ = nullptr;
  IDispatch* dispatch_ = nullptr;
  ControlSite* site_ = nullptr;
};

// Hosting of controls on this thread (OLE) while it lives; controls hosted
// without it are never created.
class ControlHosting {
 public:
  ControlHosting();
  ~ControlHosting();
  ControlHosting(const ControlHosting&) = delete;
  ControlHosting& operator=(const ControlHosting&) = delete;

 private:
  bool started_;
};

}  // namespace velo
