// Registers the stand-in skin component (the DLL that VELO_SKIN_DLL names)
// as the in-process server of both component classes, for as long as the
// object lives; then the keys hold again exactly what they held before.
//
// Each class is written twice: under the current user's classes, where
// Windows 2000 and later look first, and under the machine's classes, which
// are all that the 95/98/Me family and NT 4.0 have (and all that Wine's COM
// reads).
#pragma once

#include <string>
#include <vector>

#include "registry/Win32Registry.h"
#include "support/RegistrySnapshot.h"

namespace velo {

class SkinStandInRegistration {
 public:
  explicit SkinStandInRegistration(const std::string& dllPath);
  ~SkinStandInRegistration();
  SkinStandInRegistration(const SkinStandInRegistration&) = delete;
  SkinStandInRegistration& operator=(const SkinStandInRegistration&) = delete;

  // False when any key or value could not be written.
  bool Registered() const { return registered_; }

 private:
  Win32Registry registry_;
  RegistrySnapshot before_;
  bool registered_ = true;
};

// The stand-in DLL's Windows path, from VELO_SKIN_DLL; empty when unset.
std::string SkinStandInDll();

// The class keys of the component, below a root: "Software\Classes\CLSID\{..}".
std::vector<std::string> SkinComponentClassKeys();

}  // namespace velo
