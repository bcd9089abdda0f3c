#include "acquire/recent_files.h"

#include <algorithm>

#include "text/utf.h"

namespace velora::acquire {
namespace {

constexpr std::size_t kShortcutSuffixLength = 4;  // ".lnk"

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::vector<RecentFile> NewestRecentFiles(std::vector<RecentFile> files) {
  std::stable_sort(files.begin(), files.end(),
                   [](const RecentFile& a, const RecentFile& b) { return a.written > b.written; });
  if (files.size() > kRecentRowLimit) files.resize(kRecentRowLimit);
  return files;
}

RecentName RecentNameOf(std::string_view file_name) {
  std::u16string name = text::Utf8ToUtf16(file_name);
  name.resize(name.size() - std::min(name.size(), kShortcutSuffixLength));
  // A cut through a character outside the basic plane leaves half of it: drop that half too.
  if (!name.empty() && IsHighSurrogate(name.back())) name.pop_back();
  const std::size_t dot = name.rfind(u'.');
  const bool has_extension = dot != std::u16string::npos && dot > 0 && dot + 1 < name.size() &&
                             name.find(u' ', dot) == std::u16string::npos;
  if (!has_extension) return {text::Utf16ToUtf8(name), std::string(kNoExtension)};
  return {text::Utf16ToUtf8(std::u16string_view(name).substr(0, dot)),
          text::Utf16ToUtf8(std::u16string_view(name).substr(dot))};
}

std::string RecentTimeText(const text::LocalTime& time, bool twenty_four_hour) {
  text::LocalTime shown = time;
  if (!twenty_four_hour) shown.hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
  return text::FormatDate(shown);
}

}  // namespace velora::acquire
