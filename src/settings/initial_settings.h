#pragma once
// The eight appearance and layout keys of the section "初始化": what they hold, their defaults
// and their text form.
#include <cstdint>
#include <string>

#include "core/appearance.h"
#include "settings/decimal.h"
#include "settings/ini_document.h"

namespace velora::settings {

using core::Appearance;

struct InitialSettings {
  int icons_per_page = 18;
  int window_width = 0;
  int window_height = 311;
  Appearance appearance;
  std::string external_address_host;  // empty: the lookup's own default

  bool operator==(const InitialSettings&) const = default;
};

// A missing key takes its default; a present one that is empty or not a number reads as 0.
InitialSettings ReadInitialSettings(const IniDocument& file, int default_window_width);
void WriteInitialSettings(IniDocument& file, const InitialSettings& settings);
void WriteWindowSize(IniDocument& file, int width, int height);

}  // namespace velora::settings
