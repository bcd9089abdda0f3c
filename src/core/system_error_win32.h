#pragma once
// The system's own words for an error code, for the log.
#include <windows.h>

#include <string>

namespace velora::core {

// "error 2: The system cannot find the file specified." in UTF-8; the number alone when the
// system has no words for it.
std::string SystemErrorText(DWORD code);

}  // namespace velora::core
