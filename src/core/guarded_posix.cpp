#include <cstdio>
#include <string>

#include "core/guarded.h"
#include "core/log_file.h"

namespace velora::core {

void ReportCaught(std::string_view where, std::string_view what) noexcept {
  try {
    LogFailure(where, std::string("caught: ").append(what));
  } catch (...) {
  }
  std::fprintf(stderr, "Velora: %.*s caught: %.*s\n", static_cast<int>(where.size()), where.data(),
               static_cast<int>(what.size()), what.data());
}

}  // namespace velora::core
