#include "ui/file_dialogs_win32.h"

// After windows.h, whose types it uses.
#include <commdlg.h>

#include <string>

#include "text/utf.h"
#include "ui/launcher_window.h"

namespace velora::ui {
namespace {

// Long enough for any path the shell hands out.
constexpr std::size_t kPathBuffer = 32768;

// "name\0pattern\0name\0pattern\0\0", as the dialogs read their filter.
std::wstring Filter() {
  std::wstring filter;
  for (const auto& [name, pattern] :
       {std::pair{kCatalogueFilter, L"*.json"}, std::pair{kAllFilesFilter, L"*.*"}}) {
    filter += text::Widen(name) + L'\0' + pattern + L'\0';
  }
  return filter + L'\0';
}

std::optional<std::filesystem::path> Ask(HWND owner, bool save) {
  std::wstring file(kPathBuffer, L'\0');
  if (save) {
    const std::wstring name = text::Widen(kCatalogueFileName);
    file.replace(0, name.size(), name);
  }
  const std::wstring filter = Filter();
  const std::wstring title = text::Widen(save ? kExportDialogTitle : kImportDialogTitle);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"json";
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return std::filesystem::path(file.c_str());
}

}  // namespace

std::optional<std::filesystem::path> AskExportFile(HWND owner) { return Ask(owner, true); }

std::optional<std::filesystem::path> AskImportFile(HWND owner) { return Ask(owner, false); }

ImportChoice AskMergeOrReplace(HWND owner) {
  const std::wstring question = text::Widen(kMergeOrReplace);
  switch (MessageBoxW(owner, question.c_str(), kLauncherTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return ImportChoice::kMerge;
    case IDNO:
      return ImportChoice::kReplace;
    default:
      return ImportChoice::kCancel;
  }
}

}  // namespace velora::ui
