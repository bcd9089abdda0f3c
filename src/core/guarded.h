#pragma once
// The one boundary between the system's calls into the program (window procedures, hooks, timer
// callbacks, thread entries) and the program's own code: nothing thrown inside may cross it.
#include <exception>
#include <string_view>
#include <utility>

namespace velora::core {

// Tells the developer what an entry point caught: the debugger's output on Windows, standard
// error elsewhere, and to the log (core/log_file.h) once the program has one.
void ReportCaught(std::string_view where, std::string_view what) noexcept;

// Runs `body`; when it throws, reports and returns what `fallback` gives instead (for a window
// procedure, the default procedure's answer).
template <typename Body, typename Fallback>
auto Guarded(std::string_view where, Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
  try {
    return std::forward<Body>(body)();
  } catch (const std::exception& e) {
    ReportCaught(where, e.what());
  } catch (...) {
    ReportCaught(where, "an exception of unknown type");
  }
  return std::forward<Fallback>(fallback)();
}

template <typename Body>
void Guarded(std::string_view where, Body&& body) noexcept {
  Guarded(where, std::forward<Body>(body), [] {});
}

}  // namespace velora::core
