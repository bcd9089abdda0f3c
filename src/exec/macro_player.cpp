#include "exec/macro_player.h"

#include "exec/macro_code.h"
#include "exec/names.h"

namespace velora::exec {
namespace {

// A number past the virtual-key range would be cut to 16 bits by the injection and press a key
// the user never chose.
int KeyOrNone(int code) { return code >= 1 && code <= 254 ? code : 0; }

}  // namespace

KeyChord ChordOfMacro(std::string_view key_codes) {
  if (key_codes.starts_with(prefix::kMacro)) key_codes.remove_prefix(prefix::kMacro.size());
  const MacroKeys parsed = ParseMacroKeys(key_codes);
  return {.key = KeyOrNone(parsed.keys[2]),
          .modifier1 = KeyOrNone(parsed.keys[0]),
          .modifier2 = KeyOrNone(parsed.keys[1])};
}

void PlayMacro(std::string_view key_codes, MacroStage& stage, KeySender& keys) {
  const KeyChord chord = ChordOfMacro(key_codes);
  stage.HidePanel();
  stage.Pause(kMacroSettleMs);
  stage.ActivateWindowAtPointer(true);
  // A refused injection has no one to tell: the keys simply do not arrive, as when the target
  // window ignores them.
  (void)SendChord(keys, chord);
  // Handlers ran during the pause; the held state is read now, not before it.
  if (stage.PanelHeld()) stage.ShowPanel();
}

}  // namespace velora::exec
