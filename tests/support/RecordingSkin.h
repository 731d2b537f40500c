// A stand-in for the skin component that records every call, so tests can
// check which windows were handed to it, with which element, in which order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/SkinComponent.h"

namespace velo {

struct SkinCall {
  std::string method;
  int32_t window;        // 0 where the call has no window
  std::string argument;  // element name, path or number as text

  bool operator==(const SkinCall& other) const {
    return method == other.method && window == other.window &&
           argument == other.argument;
  }
};

class RecordingSkin : public SkinComponent, public SplashComponent {
 public:
  void LoadSkin(const std::string& path) override {
    calls.push_back({"LoadSkin", 0, path});
  }
  void SkinWindow(int32_t window) override {
    calls.push_back({"SkinWindow", window, ""});
  }
  void SkinElement(int32_t window, const std::string& element) override {
    calls.push_back({"SkinElement", window, element});
  }
  void LoadSplash(const std::string& path) override {
    calls.push_back({"LoadSplash", 0, path});
  }
  void SetDisplayTime(int32_t time) override {
    calls.push_back({"SetDisplayTime", 0, std::to_string(time)});
  }
  void SetShown(bool shown) override {
    calls.push_back({"SetShown", 0, shown ? "true" : "false"});
  }

  std::vector<SkinCall> calls;
};

}  // namespace velo
