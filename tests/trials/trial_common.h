#pragma once
// What the two kinds of trial share: the started panel and cheap looks at files that open no
// handle (an open handle would make the program's rename over the file fail).
#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "e2e/velora_process.h"
#include "trials/kill_trials.h"

namespace velora::trials {

// The started copy's panel once shown and painted; null when it never showed.
HWND ShownPanel(const e2e::VeloraProcess& velora);

// Starts the copy with VELORA_CRASH_AT naming `step`, so that it ends itself at that step of its
// next write; the driver's own environment is as it was afterwards.
std::unique_ptr<e2e::VeloraProcess> StartArmed(const std::filesystem::path& exe, std::string_view step);

// A crash-point trial's verdict on top of what its kind judged of the disk: the copy must have
// ended at the crash point and left `what` where that step allows.
void JudgeCrash(std::optional<DWORD> exit_code, KillPoint expected, const char* what, TrialOutcome& outcome);

bool Exists(const std::filesystem::path& path);

}  // namespace velora::trials
