#pragma once
// Splitting and replacing in text: every separator counts, also at the ends, so "a||" gives
// three pieces and the pieces joined with the separator give the text back.
#include <string>
#include <string_view>
#include <vector>

namespace velora::text {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace velora::text
