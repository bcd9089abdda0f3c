#pragma once
// The key-code text of a macro item: first modifier, second modifier, main key, in decimal,
// joined by "+"; 0 stands for no key.
#include <array>
#include <string_view>

namespace velora::exec {

struct MacroKeys {
  std::array<int, 3> keys{};  // missing pieces count as 0
  int pieces = 0;             // how many "+"-separated pieces the text had, at most 3
};

// Each piece reads its leading decimal digits; a piece without digits gives 0 and further
// pieces are ignored. Numbers too large for a key code saturate instead of overflowing.
MacroKeys ParseMacroKeys(std::string_view key_codes);

}  // namespace velora::exec
