#include "skin/Skin.h"

namespace velo {

namespace {

// {BA8C584B-209C-4D54-8BB1-8AB5F1DCA18E}
const CLSID kSkinClass = {0xBA8C584B, 0x209C, 0x4D54,
                          {0x8B, 0xB1, 0x8A, 0xB5, 0xF1, 0xDC, 0xA1, 0x8E}};
// {6241AF3F-2B41-41AD-A268-68CD710D34C2}
const CLSID kSplashClass = {0x6241AF3F, 0x2B41, 0x41AD,
                            {0xA2, 0x68, 0x68, 0xCD, 0x71, 0x0D, 0x34, 0xC2}};

const DISPID kLoadSkin = 0x60020001;
const DISPID kSkinWindow = 0x60020006;
const DISPID kSkinElement = 0x60020007;
const DISPID kLoadSplash = 22;
const DISPID kSplashDisplayTime = 19;
const DISPID kSplashShown = 15;

}  // namespace

CSkin::CSkin() : control_(kSkinClass), object_(control_) {}

void CSkin::LoadSkin(const std::string& path) { object_.Call(kLoadSkin, path); }

void CSkin::SkinWindow(int32_t window) { object_.Call(kSkinWindow, window); }

void CSkin::SkinElement(int32_t window, const std::string& element) {
  object_.Call(kSkinElement, window, element);
}

CSplash::CSplash() : control_(kSplashClass), object_(control_) {}

void CSplash::LoadSplash(const std::string& path) {
  object_.Call(kLoadSplash, path);
}

void CSplash::SetDisplayTime(int32_t time) {
  object_.Call(kSplashDisplayTime, time);
}

void CSplash::SetShown(bool shown) { object_.CallBool(kSplashShown, shown); }

}  // namespace velo
