#include <windows.h>

#include "app/app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  velora::app::App app(instance);
  return app.Run(GetCommandLineW());
}
