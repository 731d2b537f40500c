// A test of the real program hosting the stand-in skin component, with a log
// of its own. Skipped where the test script names no program or stand-in.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ProgramRun.h"
#include "SkinLog.h"
#include "SkinStandInRegistration.h"

namespace velo {

template <typename Fixture>
class WithSkinStandIn : public Fixture {
 protected:
  explicit WithSkinStandIn(const std::string& logFolder) : log_(logFolder) {}

  void SetUp() override {
    if (ProgramUnderTest().empty()) GTEST_SKIP() << "VELO_EXE is not set";
    if (SkinStandInDll().empty()) GTEST_SKIP() << "VELO_SKIN_DLL is not set";
    ASSERT_FALSE(log_.Path().empty());
  }

  SkinLogFile log_;
};

}  // namespace velo
