#include <gtest/gtest.h>

#include "app/restart_win32.h"

using namespace velora::app;

TEST(Restart, CommandLineNamesTheQuotedExecutableAndThePredecessor) {
  const auto handle = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(1234));
  const std::wstring line = RestartCommandLine(L"C:\\带 空格\\Velora.exe", handle);
  EXPECT_EQ(line, L"\"C:\\带 空格\\Velora.exe\" --after-exit 1234");
  EXPECT_EQ(PredecessorHandle(line), handle);
  EXPECT_EQ(PredecessorHandle(L"\"C:\\Velora.exe\""), std::nullopt);
  EXPECT_EQ(PredecessorHandle(L"Velora.exe --after-exit x"), std::nullopt);
}

TEST(Restart, NewCopyWaitsUntilThePredecessorHasEnded) {
  // A child that lives for a second stands in for the old copy.
  std::wstring command = L"cmd.exe /c ping -n 2 127.0.0.1";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &startup, &child));
  CloseHandle(child.hThread);
  HANDLE waited = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), child.hProcess, GetCurrentProcess(), &waited, SYNCHRONIZE,
                              FALSE, 0));

  WaitForPredecessor(RestartCommandLine(L"Velora.exe", waited));

  EXPECT_EQ(WaitForSingleObject(child.hProcess, 0), WAIT_OBJECT_0);
  CloseHandle(child.hProcess);
}

TEST(Restart, ExecutablePathIsAbsoluteAndNamesThisProgram) {
  const std::wstring path = ExecutablePath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path[1], L':');
  EXPECT_NE(path.find(L"app_win32_tests.exe"), std::wstring::npos);
}
