#pragma once
// The two key-name tables: virtual-key code to the name shown for it, and the names the
// add-shortcut panel offers back to codes. They are not inverses: "Break" and "Caps Lock键" are
// shown but not accepted, so a macro captured with them stores 0.
#include <string_view>

namespace velora::exec {

// Empty for a code without a name, 0 included.
std::string_view KeyName(int code);

// 0 for any name not in the table, the empty text included.
int KeyOfName(std::string_view name);

}  // namespace velora::exec
