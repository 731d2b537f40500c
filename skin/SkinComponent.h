// What the windows ask of the outside skin component. The main window owns
// the two controls that implement this; every other dialog hands its window
// and controls to the main window's skin with an element name.
#pragma once

#include <cstdint>
#include <string>

namespace velo {

// Element names the component knows.
namespace skin {
const char kBackground[] = "BackGround";
const char kSmallPages[] = "SmallPages";
const char kMessage[] = "MsgSkin";
const char kLabel[] = "Label";
const char kRadioButton[] = "Radio Button";
const char kCheckBox[] = "Check Box";
const char kSmallButton[] = "Small Button";
}  // namespace skin

class SkinComponent {
 public:
  virtual ~SkinComponent() {}
  virtual void LoadSkin(const std::string& path) = 0;
  virtual void SkinWindow(int32_t window) = 0;
  virtual void SkinElement(int32_t window, const std::string& element) = 0;
};

class SplashComponent {
 public:
  virtual ~SplashComponent() {}
  virtual void LoadSplash(const std::string& path) = 0;
  // The splash's display time; the main window passes 0.
  virtual void SetDisplayTime(int32_t time) = 0;
  // Whether the splash shows itself; the main window passes false.
  virtual void SetShown(bool shown) = 0;
};

}  // namespace velo
