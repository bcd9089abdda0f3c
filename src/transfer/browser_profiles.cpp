#include "transfer/browser_profiles.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

#include "text/fs_path.h"

namespace velora::transfer {
namespace {

enum class Base { kLocal, kRoaming };

// How a browser lays out its profiles: a folder holding one folder per profile, or a folder that
// is itself the one profile.
struct Browser {
  std::string_view name;
  Base base;
  std::array<std::string_view, 3> folder;  // below the app-data folder; empty parts stand for none
  bool one_profile;
  BookmarkFormat format;
};

constexpr std::string_view kChromiumFile = "Bookmarks";
constexpr std::string_view kFirefoxFile = "places.sqlite";
constexpr std::string_view kDefaultProfile = "Default";

// The Chromium family first, as most people use it, then Firefox.
const std::array<Browser, 11>& Browsers() {
  using F = BookmarkFormat;
  static const std::array<Browser, 11> kBrowsers = {{
      {"Chrome", Base::kLocal, {"Google", "Chrome", "User Data"}, false, F::kChromium},
      {"Edge", Base::kLocal, {"Microsoft", "Edge", "User Data"}, false, F::kChromium},
      {"360极速浏览器", Base::kLocal, {"360Chrome", "Chrome", "User Data"}, false, F::kChromium},
      {"QQ浏览器", Base::kLocal, {"Tencent", "QQBrowser", "User Data"}, false, F::kChromium},
      {"Brave", Base::kLocal, {"BraveSoftware", "Brave-Browser", "User Data"}, false, F::kChromium},
      {"Vivaldi", Base::kLocal, {"Vivaldi", "User Data"}, false, F::kChromium},
      {"Opera", Base::kRoaming, {"Opera Software", "Opera Stable"}, true, F::kChromium},
      {"Opera GX", Base::kRoaming, {"Opera Software", "Opera GX Stable"}, true, F::kChromium},
      {"Yandex", Base::kLocal, {"Yandex", "YandexBrowser", "User Data"}, false, F::kChromium},
      {"Chromium", Base::kLocal, {"Chromium", "User Data"}, false, F::kChromium},
      {"Firefox", Base::kRoaming, {"Mozilla", "Firefox", "Profiles"}, false, F::kFirefox},
  }};
  return kBrowsers;
}

bool IsFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::vector<std::filesystem::path> ProfileFolders(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> profiles;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_directory(type_ec)) profiles.push_back(it->path());
  }
  std::sort(profiles.begin(), profiles.end(), [](const auto& a, const auto& b) {
    const std::string x = text::PathToUtf8(a.filename());
    const std::string y = text::PathToUtf8(b.filename());
    return std::pair(x != kDefaultProfile, x) < std::pair(y != kDefaultProfile, y);
  });
  return profiles;
}

}  // namespace

std::vector<BookmarkFile> FindBookmarkFiles(const std::filesystem::path& local_app_data,
                                            const std::filesystem::path& roaming_app_data) {
  std::vector<BookmarkFile> files;
  for (const Browser& browser : Browsers()) {
    const std::filesystem::path& base = browser.base == Base::kLocal ? local_app_data : roaming_app_data;
    if (base.empty()) continue;
    std::filesystem::path folder = base;
    for (const std::string_view part : browser.folder) {
      if (!part.empty()) folder /= text::PathFromUtf8(part);
    }
    const std::string_view file_name =
        browser.format == BookmarkFormat::kFirefox ? kFirefoxFile : kChromiumFile;
    const std::vector<std::filesystem::path> profiles =
        browser.one_profile ? std::vector<std::filesystem::path>{folder} : ProfileFolders(folder);
    for (const std::filesystem::path& profile : profiles) {
      std::filesystem::path file = profile / text::PathFromUtf8(file_name);
      if (!IsFile(file)) continue;
      files.push_back(
          {std::string(browser.name), text::PathToUtf8(profile.filename()), std::move(file), browser.format});
    }
  }
  return files;
}

}  // namespace velora::transfer
