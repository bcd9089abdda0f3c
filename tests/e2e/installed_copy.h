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

  // The copy's panel once it is shown and painted; null when it never showed.
  static HWND StartShown(const VeloraProcess& velora) {
    HWND window = velora.WaitForWindow();
    if (!window || !WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) return nullptr;
    Sleep(400);  // the first paint
    return window;
  }

  ScratchFolder folder;
  std::filesystem::path exe;
};

}  // namespace velora::e2e
