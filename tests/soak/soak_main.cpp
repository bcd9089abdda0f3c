// velora_soak [--cycles N] [--warm-up N] [--exe Velora.exe]
// Drives a private copy of the program through N rounds of summon, next page, item menu, snippet
// launch and hide (default 2000). After the warm-up (default 100) its private bytes may grow by
// at most 1 MB and its count of windows must stay the same. Prints one line starting "soak:" and
// exits 0 only when both hold.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/velora_process.h"
#include "soak/panel_cycle.h"
#include "soak/process_figures.h"
#include "store/database.h"
#include "store/items.h"
#include "store/schema.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/gbk.h"
#include "text/utf.h"

using namespace velora;

namespace {

constexpr double kGrowthLimitMb = 1.0;
constexpr int kPageCells = 18;  // a page at the panel's first size
constexpr double kMb = 1024.0 * 1024.0;

struct Options {
  int cycles = 2000;
  int warm_up = 100;
  std::filesystem::path exe;
};

Options ReadOptions(int argc, wchar_t** argv) {
  Options options;
  options.exe = e2e::BuiltExecutable();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    if (name == L"--cycles") options.cycles = std::max(1, _wtoi(argv[i + 1]));
    if (name == L"--warm-up") options.warm_up = std::max(0, _wtoi(argv[i + 1]));
    if (name == L"--exe") options.exe = e2e::BuildTreePath(text::Narrow(argv[i + 1]));
  }
  return options;
}

constexpr int kSecondPageFillers = 12;  // the snippet away from the page's first cell

std::wstring Caption(const wchar_t* page, int cell) { return page + std::to_wstring(cell + 10); }

// A first run writes the store and the settings file; then a full first page of snippets newer
// than anything else, two rows more on the second page, and behind them the snippet the rounds
// launch. Launching it makes it as new as today, which keeps it behind them and before the
// system places.
soak::CycleItems Install(const std::filesystem::path& exe) {
  {
    e2e::VeloraProcess first(exe);
    if (!first.WaitUntilReady() || first.Close() != 0u)
      throw soak::CycleFailure("the first run did not end cleanly");
  }
  const std::filesystem::path data = exe.parent_path() / L"配置";
  std::ostringstream settings;
  settings << std::ifstream(data / L"Velora配置.ini", std::ios::binary).rdbuf();
  if (text::GbkToUtf8(settings.str()).find("<||>8<|>F9") == std::string::npos) {
    throw soak::CycleFailure("the first run did not choose F9 as the hotkey (does another program hold it?)");
  }
  store::Database db;
  if (!db.Open(text::PathToUtf8(data / L"Velora.db")))
    throw soak::CycleFailure("cannot open the copy's store");
  const auto add = [&](const std::wstring& caption, const std::string& date) {
    const std::string utf8 = text::Narrow(caption);
    if (!store::AddItem(db, store::kSoftwareCategory, {"$$文本$$" + utf8, {}, utf8, "文本", {}, date})) {
      throw soak::CycleFailure("cannot add the snippets to the copy's store");
    }
  };
  for (int cell = 0; cell < kPageCells; ++cell)
    add(Caption(L"页一", cell), "2100-01-01 00:00:" + std::to_string(59 - cell));
  for (int cell = 0; cell < kSecondPageFillers; ++cell)
    add(Caption(L"页二", cell), "2099-01-01 00:00:" + std::to_string(59 - cell));
  const std::wstring snippet = L"耐久片段";
  add(snippet, "2098-01-01 00:00:00");
  return {Caption(L"页一", 0), Caption(L"页二", 0), snippet, L"窗口置顶"};
}

int Soak(const Options& options) {
  velora::testing::TempFolder folder("velora-soak");
  const std::filesystem::path exe = folder.path() / L"Velora.exe";
  std::filesystem::copy_file(options.exe, exe);
  soak::CycleItems items = Install(exe);

  e2e::VeloraProcess velora(exe);
  const HWND panel = velora.WaitUntilReady();
  if (!panel) throw soak::CycleFailure("the copy did not start");
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, velora.id());
  if (!process) throw soak::CycleFailure("cannot ask the copy for its memory");
  soak::PanelCycle cycle(velora.id(), panel, std::move(items));
  cycle.LetGo();
  cycle.HideWithHotkey();

  soak::ProcessFigures before;
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  const int total = options.warm_up + options.cycles;
  for (int round = 1; round <= total; ++round) {
    if (round == options.warm_up + 1) {
      before = soak::ReadFigures(process);
      QueryPerformanceCounter(&start);
    }
    try {
      cycle.Run();
    } catch (const soak::CycleFailure& failure) {
      throw soak::CycleFailure("round " + std::to_string(round) + ": " + failure.what());
    }
    if (round % 250 == 0) {
      const soak::ProcessFigures now = soak::ReadFigures(process);
      std::fprintf(stderr, "soak: round %d, private bytes %.2f MB, %d windows\n", round,
                   static_cast<double>(now.private_bytes) / kMb, now.windows);
    }
  }
  QueryPerformanceCounter(&end);
  const soak::ProcessFigures after = soak::ReadFigures(process);
  CloseHandle(process);
  if (before.private_bytes == 0 || after.private_bytes == 0)
    throw soak::CycleFailure("the copy's memory could not be read");

  const double growth_mb =
      (static_cast<double>(after.private_bytes) - static_cast<double>(before.private_bytes)) / kMb;
  const double per_cycle_ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart) / options.cycles;
  const bool passed = growth_mb <= kGrowthLimitMb && after.windows == before.windows;
  std::printf(
      "soak: %d cycles after %d to warm up, private bytes %.1f -> %.1f MB (%+.2f MB, limit %.0f), "
      "windows %d -> %d, %.0f ms per cycle%s\n",
      options.cycles, options.warm_up, static_cast<double>(before.private_bytes) / kMb,
      static_cast<double>(after.private_bytes) / kMb, growth_mb, kGrowthLimitMb, before.windows,
      after.windows, per_cycle_ms, passed ? "" : " FAILED");
  if (velora.Close() != 0u) {
    std::fprintf(stderr, "soak: the copy did not close cleanly\n");
    return 1;
  }
  return passed ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Soak(ReadOptions(argc, argv));
  } catch (const std::exception& error) {
    std::printf("soak: FAILED, %s\n", error.what());
    return 1;
  }
}
