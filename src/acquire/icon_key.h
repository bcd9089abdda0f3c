#pragma once
// Icon files are named by a key of the program path or web address they belong to.
#include <string>
#include <string_view>

namespace velora::acquire {

// First ten digits of the upper-case MD5 of the UTF-8 text, e.g. "DCB080F9C5".
std::string IconKey(std::string_view text_utf8);

}  // namespace velora::acquire
