#pragma once
// Paths in a catalogue file are written relative to the user's profile folder and the program's
// folder, so a copy taken on one machine works on another with another user name or program
// folder. Roots are Windows paths ("C:\Users\王小明"); an empty one is not used.
#include <string>
#include <string_view>

namespace velora::transfer {

inline constexpr std::string_view kProfilePlaceholder = "%USERPROFILE%";
inline constexpr std::string_view kProgramPlaceholder = "%VELORA%";

struct Roots {
  std::string profile;  // written as %USERPROFILE%
  std::string program;  // written as %VELORA%
};

// A path at or under a root (on a separator; ASCII letter case and the kind of slash ignored) begins with the
// root's placeholder instead, the longer root first. A path that itself begins with a placeholder's text gets
// one more "%" in front, so no path is ever taken for another.
std::string PathForFile(std::string_view path, const Roots& roots);
// The inverse, with the roots of the machine reading the file. A placeholder whose root is empty
// stays as written.
std::string PathFromFile(std::string_view written, const Roots& roots);

}  // namespace velora::transfer
