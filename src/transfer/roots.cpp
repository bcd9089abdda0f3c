#include "transfer/roots.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace velora::transfer {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Where `prefix` ends in `path` when the path begins with it and a separator or the end follows.
std::optional<std::size_t> PrefixEnd(std::string_view path, std::string_view prefix) {
  if (prefix.empty() || path.size() < prefix.size()) return std::nullopt;
  // As Windows compares paths: ASCII letters in either case, either slash.
  const bool same = std::equal(prefix.begin(), prefix.end(), path.begin(), [](char a, char b) {
    return FoldAscii(a) == FoldAscii(b) || (IsSeparator(a) && IsSeparator(b));
  });
  if (!same || (path.size() > prefix.size() && !IsSeparator(path[prefix.size()]))) return std::nullopt;
  return prefix.size();
}

std::string_view WithoutTrailingSeparators(std::string_view root) {
  while (!root.empty() && IsSeparator(root.back())) root.remove_suffix(1);
  return root;
}

std::array<std::pair<std::string_view, std::string_view>, 2> Pairs(const Roots& roots) {
  return {{{kProfilePlaceholder, WithoutTrailingSeparators(roots.profile)},
           {kProgramPlaceholder, WithoutTrailingSeparators(roots.program)}}};
}

// How many "%" stand before a placeholder's name ("USERPROFILE%") at the start of the path, and
// where that placeholder ends; nothing when the path begins with none.
struct Escaped {
  std::size_t percents = 0;
  std::string_view placeholder;
  std::size_t end = 0;
};
std::optional<Escaped> LeadingPlaceholder(std::string_view path, const Roots& roots) {
  const std::size_t percents = std::min(path.find_first_not_of('%'), path.size());
  if (percents == 0) return std::nullopt;
  for (const auto& [placeholder, root] : Pairs(roots)) {
    if (const auto end = PrefixEnd(path.substr(percents), placeholder.substr(1))) {
      return Escaped{percents, placeholder, percents + *end};
    }
  }
  return std::nullopt;
}

}  // namespace

std::string PathForFile(std::string_view path, const Roots& roots) {
  if (LeadingPlaceholder(path, roots)) return "%" + std::string(path);
  std::string_view best_placeholder;
  std::size_t best_end = 0;
  for (const auto& [placeholder, root] : Pairs(roots)) {
    const auto end = PrefixEnd(path, root);
    if (end && *end > best_end) {
      best_placeholder = placeholder;
      best_end = *end;
    }
  }
  if (best_end == 0) return std::string(path);
  return std::string(best_placeholder) + std::string(path.substr(best_end));
}

std::string PathFromFile(std::string_view written, const Roots& roots) {
  const std::optional<Escaped> escaped = LeadingPlaceholder(written, roots);
  if (!escaped) return std::string(written);
  if (escaped->percents > 1) return std::string(written.substr(1));
  for (const auto& [placeholder, root] : Pairs(roots)) {
    if (placeholder == escaped->placeholder && !root.empty()) {
      return std::string(root) + std::string(written.substr(escaped->end));
    }
  }
  return std::string(written);
}

}  // namespace velora::transfer
