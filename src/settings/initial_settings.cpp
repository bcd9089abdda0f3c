#include "settings/initial_settings.h"

#include "settings/names.h"

namespace velora::settings {
namespace {

std::string ValueOr(const IniDocument& file, std::string_view key, std::string_view fallback) {
  return file.Get(kInitialSection, key).value_or(std::string(fallback));
}

void Put(IniDocument& file, std::string_view key, const std::string& value) {
  (void)file.Set(kInitialSection, key, value);  // the names are constants that always fit
}

}  // namespace

InitialSettings ReadInitialSettings(const IniDocument& file, int default_window_width) {
  const Appearance defaults;
  InitialSettings s;
  s.icons_per_page = ParseInt(ValueOr(file, kIconsPerPageKey, std::to_string(s.icons_per_page)));
  s.window_width = ParseInt(ValueOr(file, kWindowWidthKey, std::to_string(default_window_width)));
  s.window_height = ParseInt(ValueOr(file, kWindowHeightKey, std::to_string(s.window_height)));
  s.appearance.background = ParseColour(ValueOr(file, kBackgroundKey, ColourText(defaults.background)));
  s.appearance.text = ParseColour(ValueOr(file, kTextColourKey, ColourText(defaults.text)));
  s.appearance.corner_radius =
      ParseInt(ValueOr(file, kCornerRadiusKey, std::to_string(defaults.corner_radius)));
  s.appearance.border = ParseColour(ValueOr(file, kBorderColourKey, ColourText(defaults.border)));
  s.appearance.border_width = ParseInt(ValueOr(file, kBorderWidthKey, std::to_string(defaults.border_width)));
  s.external_address_host = ValueOr(file, kExternalAddressHostKey, "");
  return s;
}

void WriteInitialSettings(IniDocument& file, const InitialSettings& s) {
  Put(file, kIconsPerPageKey, std::to_string(s.icons_per_page));
  WriteWindowSize(file, s.window_width, s.window_height);
  Put(file, kBackgroundKey, ColourText(s.appearance.background));
  Put(file, kTextColourKey, ColourText(s.appearance.text));
  Put(file, kCornerRadiusKey, std::to_string(s.appearance.corner_radius));
  Put(file, kBorderColourKey, ColourText(s.appearance.border));
  Put(file, kBorderWidthKey, std::to_string(s.appearance.border_width));
}

void WriteWindowSize(IniDocument& file, int width, int height) {
  Put(file, kWindowWidthKey, std::to_string(width));
  Put(file, kWindowHeightKey, std::to_string(height));
}

}  // namespace velora::settings
