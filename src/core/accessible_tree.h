#pragma once
// What a custom-drawn control tells assistive tools (screen readers, magnifiers, test drivers):
// one node for the control and a flat list of child elements, each with a role, a name, a
// description, states, where it lies and what its default action is called. The Win32 side serves
// it through the system's accessibility interface; this side is plain data and the rules that
// need no window, so they are tested anywhere.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"

namespace velora::core {

// The roles the program's controls take; each maps to the system's role of the same name.
enum class AccessibleRole {
  kClient,
  kList,
  kListItem,
  kPageTabList,
  kPageTab,
  kPushButton,
  kAlert,
  kPane,
  kGrip
};

struct AccessibleNode {
  AccessibleRole role = AccessibleRole::kClient;
  std::string name;
  std::string description;
  std::string default_action;  // empty: none
  Rect location;               // device pixels in the control's client area
  bool selectable = false;
  bool selected = false;
  bool focusable = false;
  bool focused = false;
  bool checked = false;
  bool offscreen = false;  // scrolled or paged out of the control's view
};

struct AccessibleTree {
  AccessibleNode self;
  std::vector<AccessibleNode> children;  // child ids count from 1, as the system's do
};

// The system's state bits of a node (their values are the system's own).
namespace accessible_state {
inline constexpr std::uint32_t kSelected = 0x2;
inline constexpr std::uint32_t kFocused = 0x4;
inline constexpr std::uint32_t kChecked = 0x10;
inline constexpr std::uint32_t kOffscreen = 0x10000;
inline constexpr std::uint32_t kFocusable = 0x100000;
inline constexpr std::uint32_t kSelectable = 0x200000;
}  // namespace accessible_state
std::uint32_t StateBits(const AccessibleNode& node);

// The system's navigation directions among siblings and into children.
enum class AccessibleDirection { kUp, kDown, kLeft, kRight, kNext, kPrevious, kFirstChild, kLastChild };
// From `child` (0: the control itself) to another child id; nothing when there is none that way.
// Up and down move by a row of `columns` children, left and right by one, as they lie on screen.
std::optional<int> Navigate(const AccessibleTree& tree, int child, AccessibleDirection direction,
                            int columns = 1);
// The child whose location holds the point (client pixels); 0 for the control itself elsewhere
// inside it.
int ChildAt(const AccessibleTree& tree, Point client);

}  // namespace velora::core
