#pragma once
// The path buffer: 1000 bytes holding a path in UTF-16LE, zero-terminated and zero-padded. Its
// hex text (2000 digits) is the item code of a file or folder and the entry of the drop queue.
#include <cstddef>
#include <string>
#include <string_view>

namespace velora::text {

inline constexpr std::size_t kPathBufferBytes = 1000;
inline constexpr std::size_t kPathCodeDigits = kPathBufferBytes * 2;
// The longest path the buffer holds whole: 499 UTF-16 units and the terminator.
inline constexpr std::size_t kMaxPathUnits = kPathBufferBytes / 2 - 1;

// Whether the buffer holds the whole path; a longer one would be cut to name something else.
bool FitsPathBuffer(std::string_view path_utf8);

// A path too long for the buffer is cut at a whole character so the terminator always fits.
std::string PathBuffer(std::string_view path_utf8);
std::string PathCode(std::string_view path_utf8);

// The path up to the first zero character of the decoded code; empty when it decodes to nothing.
std::string PathFromCode(std::string_view code);

}  // namespace velora::text
