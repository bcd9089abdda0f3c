#pragma once
// The display monitors as the placement of the panel needs them.
#include <vector>

#include "core/geometry.h"

namespace velora::desktop {

// Every monitor in the order the system lists them, with its whole area and its DPI; never
// empty (the primary monitor's metrics stand in when the system lists none).
std::vector<core::MonitorArea> ListMonitors();

}  // namespace velora::desktop
