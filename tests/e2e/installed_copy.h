#pragma once
// A test fixture with a copy of Velora.exe in an empty folder of its own, as a fresh install is.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/velora_process.h"

namespace velora::e2e {

class InstalledCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe = folder.path() / L"Velora.exe";
    std::filesystem::copy_file(BuiltExecutable(), exe);
  }

  // The copy's panel once it is shown, painted and started; null when it never showed.
  static HWND StartShown(const VeloraProcess& velora) { return velora.WaitUntilReady(); }

  velora::testing::TempFolder folder;
  std::filesystem::path exe;
};

}  // namespace velora::e2e
