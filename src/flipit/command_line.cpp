#include "flipit/command_line.h"

#include <limits>

namespace velora::flipit {
namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// A window handle as Windows writes it: decimal digits only. Empty on anything else.
std::optional<std::uintptr_t> ParseHandle(std::wstring_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uintptr_t value = 0;
  for (const wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const auto digit = static_cast<std::uintptr_t>(c - L'0');
    if (value > (std::numeric_limits<std::uintptr_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

std::optional<Invocation> ParseCommandLine(std::wstring_view arguments) {
  arguments = Trim(arguments);
  // Started from Explorer's "configure" entry the program gets no switch at all.
  if (arguments.empty()) return Invocation{Mode::kConfigure, 0};
  if (arguments.size() < 2 || (arguments[0] != L'/' && arguments[0] != L'-')) return std::nullopt;

  const wchar_t letter = arguments[1] | 0x20;  // any case: the control panel sends "/S" and "/P"
  // The window follows after a colon or after blanks.
  std::wstring_view rest = arguments.substr(2);
  if (!rest.empty() && rest.front() == L':')
    rest.remove_prefix(1);
  else if (!rest.empty() && !IsSpace(rest.front()))
    return std::nullopt;
  rest = Trim(rest);

  switch (letter) {
    case L's':
      return Invocation{Mode::kScreenSaver, 0};
    case L'c': {
      if (rest.empty()) return Invocation{Mode::kConfigure, 0};
      const std::optional<std::uintptr_t> owner = ParseHandle(rest);
      if (!owner) return std::nullopt;
      return Invocation{Mode::kConfigure, *owner};
    }
    case L'p': {
      const std::optional<std::uintptr_t> parent = ParseHandle(rest);
      if (!parent || *parent == 0) return std::nullopt;
      return Invocation{Mode::kPreview, *parent};
    }
    default:
      return std::nullopt;
  }
}

}  // namespace velora::flipit
