// The two controls of the skin component that the main window hosts.
#pragma once

#include "skin/DispatchObject.h"
#include "skin/SkinComponent.h"

namespace velo {

class CSkin : public SkinComponent {
 public:
  CSkin();
  // Starts the component; without it the calls do nothing.
  bool Create() { return object_.Create(); }
  void LoadSkin(const std::string& path) override;
  void SkinWindow(int32_t window) override;
  void SkinElement(int32_t window, const std::string& element) override;

 private:
  DispatchObject object_;
};

class CSplash : public SplashComponent {
 public:
  CSplash();
  bool Create() { return object_.Create(); }
  void LoadSplash(const std::string& path) override;
  void SetDisplayTime(int32_t time) override;
  void SetShown(bool shown) override;

 private:
  DispatchObject object_;
};

}  // namespace velo
