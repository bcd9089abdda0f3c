#include <cstdio>

#include "core/guarded.h"

namespace velora::core {

void ReportCaught(std::string_view where, std::string_view what) noexcept {
  std::fprintf(stderr, "Velora: %.*s caught: %.*s\n", static_cast<int>(where.size()), where.data(),
               static_cast<int>(what.size()), what.data());
}

}  // namespace velora::core
