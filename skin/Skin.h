// The two controls of the skin component that the main window hosts.
#pragma once

#include "skin/DispatchObject.h"
#include "skin/SkinComponent.h"

namespace velo {

class CSkin : public SkinComponent {
 public:
  CSkin();
  // The control the main window hosts; while it is not hosted the calls do
  // nothing.
  HostedControl& Control() { return control_; }
  void LoadSkin(const std::string& path) override;
  void SkinWindow(int32_t window) override;
  void SkinElement(int32_t window, const std::string& element) override;

 private:
  HostedControl control_;
  DispatchObject object_;
};

class CSplash : public SplashComponent {
 public:
  CSplash();
  HostedControl& Control() { return control_; }
  void LoadSplash(const std::string& path) override;
  void SetDisplayTime(int32_t time) override;
  void SetShown(bool shown) override;

 private:
  HostedControl control_;
  DispatchObject object_;
};

}  // namespace velo
