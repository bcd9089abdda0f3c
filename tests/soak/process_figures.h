#pragma once
// What a running program holds, read from outside: its private bytes and its windows.
#include <windows.h>

#include <cstdint>

namespace velora::soak {

struct ProcessFigures {
  std::uint64_t private_bytes = 0;
  int windows = 0;  // top-level, child and message-only windows of its threads
};

// Empty figures (private_bytes 0) when the process cannot be asked.
ProcessFigures ReadFigures(HANDLE process);

}  // namespace velora::soak
