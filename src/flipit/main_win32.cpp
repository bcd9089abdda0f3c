#include <windows.h>

#include "flipit/command_line.h"
#include "flipit/screensaver_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  const auto invocation = velora::flipit::ParseCommandLine(arguments ? arguments : L"");
  if (!invocation) return 1;
  velora::flipit::ScreenSaver screensaver(instance);
  return screensaver.Run(*invocation);
}
