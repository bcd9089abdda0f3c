#include "support/recorder_file_type_win32.h"

#include <windows.h>

#include <string>

namespace velora::testing {

RecorderFileType::RecorderFileType(const std::filesystem::path& recorder) {
  // Windows puts what an unelevated program writes under HKEY_CLASSES_ROOT into the user's own
  // classes.
  const std::wstring command = L"\"" + recorder.wstring() + L"\" \"%1\" %*";
  ok_ = RegSetKeyValueW(HKEY_CLASSES_ROOT, L".veloratest", nullptr, REG_SZ, L"VeloraTestFile",
                        sizeof(L"VeloraTestFile")) == ERROR_SUCCESS &&
        RegSetKeyValueW(HKEY_CLASSES_ROOT, L"VeloraTestFile\\shell\\open\\command", nullptr, REG_SZ,
                        command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

RecorderFileType::~RecorderFileType() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L".veloratest");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"VeloraTestFile");
}

}  // namespace velora::testing
