#pragma once
// GBK (code page 936) is the byte form of the settings file and the unit of every rule that
// measures text in bytes. Characters GBK cannot hold become "?".
#include <cstddef>
#include <string>
#include <string_view>

namespace velora::text {

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

// Length of the text in GBK bytes.
std::size_t GbkLength(std::string_view utf8);

}  // namespace velora::text
