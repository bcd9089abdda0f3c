#pragma once
// The panel's look, owned by the launcher window: what it paints and the settings file keeps,
// and a text colour picked on the skin page but not yet applied.
#include <cstdint>
#include <optional>

#include "ui/core_types.h"

namespace velora::ui {

struct PanelLook {
  Appearance appearance;  // as loaded or last applied
  std::optional<std::uint32_t> picked_text_colour;
  // The system's colours, square, while its high-contrast mode is on: drawn in the skin's place.
  std::optional<Appearance> high_contrast;

  const Appearance& drawn() const { return high_contrast ? *high_contrast : appearance; }
  // New captions already use a picked colour.
  std::uint32_t CaptionColour() const {
    return high_contrast ? high_contrast->text : picked_text_colour.value_or(appearance.text);
  }
};

}  // namespace velora::ui
