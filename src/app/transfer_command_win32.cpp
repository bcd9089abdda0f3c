#include "app/transfer_command_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "app/first_run.h"
#include "app/restart_win32.h"
#include "app/transfer_requests_win32.h"
#include "core/log_file.h"
#include "settings/settings.h"
#include "store/backup.h"
#include "store/open_store.h"
#include "text/fs_path.h"
#include "text/utf.h"

namespace velora::app {
namespace {

// A running copy may be working through a large file while it keeps its panel alive.
constexpr DWORD kReplyLimitMs = 120000;

// The program is a windows program: its standard error is a pipe or file it inherited, else the
// console of whoever started it, else nothing.
void Print(bool error, const std::string& line) {
  HANDLE handle = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (!handle || handle == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    handle = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
  }
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = text::Widen(line + "\r\n");
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    const std::string bytes = line + "\r\n";
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

int Finish(const TransferRequest& request, const TransferReply& reply) {
  Print(!reply.ok, reply.text);
  if (reply.ok) return kTransferDone;
  core::LogFailure(request.verb == TransferVerb::kExport ? "命令行导出" : "命令行导入",
                   reply.text + "：" + request.file);
  return kTransferFailed;
}

std::string EnvironmentFolder(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  if (length > value.size()) {
    value.resize(length);
    length = GetEnvironmentVariableW(name, value.data(), length);
  }
  value.resize(length < value.size() ? length : 0);
  return text::Narrow(value);
}

std::string ProfileFolder() {
  if (std::string from_environment = EnvironmentFolder(L"USERPROFILE"); !from_environment.empty()) {
    return from_environment;
  }
  return text::PathToUtf8(KnownFolder(FOLDERID_Profile));
}

}  // namespace

std::filesystem::path KnownFolder(const GUID& id) {
  PWSTR path = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);  // also when the call failed
  return folder;
}

ParsedCommand TransferCommandOf(const std::wstring& command_line) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> words(CommandLineToArgvW(command_line.c_str(), &count),
                                                            &LocalFree);
  if (!words) return {};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(text::Narrow(words.get()[i]));
  return ParseTransferCommand(arguments);
}

transfer::Roots MachineRoots(const std::wstring& program_folder) {
  return {ProfileFolder(), text::Narrow(program_folder)};
}

int RunTransferCommand(HINSTANCE instance, const ParsedCommand& command, std::string_view screensaver) {
  const std::filesystem::path program_folder = std::filesystem::path(ExecutablePath()).parent_path();
  const std::filesystem::path data_directory = DataDirectory(program_folder);
  if (!command.request) {
    Print(true, std::string(kTransferUsage));
    return kTransferMisused;
  }
  const TransferRequest& request = *command.request;

  TransferReply reply;
  switch (HandOverToRunningCopy(instance, program_folder.wstring(), request, kReplyLimitMs, reply)) {
    case HandOver::kAnswered:
      return Finish(request, reply);
    case HandOver::kNoAnswer:
      core::SetProcessLog(std::make_shared<core::LogFile>(data_directory / kLogFileName));
      return Finish(request, {false, std::string(kRunningCopySilent)});
    case HandOver::kNoRunningCopy:
      break;
  }

  // No copy runs: the store is opened as a start would open it, with no window.
  (void)PrepareDataDirectory(data_directory, screensaver);
  core::SetProcessLog(std::make_shared<core::LogFile>(data_directory / kLogFileName));
  // A damaged store is left where it is, for the next start to offer a backup in its place.
  store::Database db;
  const store::OpenOutcome outcome = store::OpenItemStore(db, text::PathToUtf8(DatabasePath(data_directory)));
  const bool usable = outcome == store::OpenOutcome::kOpened ||
                      (outcome == store::OpenOutcome::kReadOnly && request.verb == TransferVerb::kExport);
  if (!usable) return Finish(request, {false, std::string(kStoreNotOpened)});
  store::SystemClock clock;
  store::Backups backups(store::BackupFolder(data_directory), clock);
  const TransferPlaces places{MachineRoots(program_folder.wstring()), settings::SettingsPath(data_directory)};
  return Finish(request, RunTransfer(db, request, places, [&] { return backups.Make(db).has_value(); }));
}

}  // namespace velora::app
