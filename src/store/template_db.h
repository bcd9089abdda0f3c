#pragma once
// The template item store that a first run writes.
#include <filesystem>
#include <string_view>

namespace velora::store {

// The checked-in seed script, compiled into the program.
std::string_view TemplateSeed();

// Builds the template into a temporary file beside `target` and renames it into place, so an
// interrupted first run never leaves a half file that later runs would keep. An existing
// target is never touched. True when `target` holds the template afterwards.
[[nodiscard]] bool WriteTemplateDatabase(const std::filesystem::path& target);

}  // namespace velora::store
