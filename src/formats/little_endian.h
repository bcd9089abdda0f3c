#pragma once
// Little-endian numbers inside file formats held as bytes. The caller checks the bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velora::formats {

inline std::uint16_t ReadLe16(std::string_view bytes, std::size_t at) noexcept {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::uint32_t ReadLe32(std::string_view bytes, std::size_t at) noexcept {
  return static_cast<std::uint32_t>(ReadLe16(bytes, at)) | static_cast<std::uint32_t>(ReadLe16(bytes, at + 2))
                                                               << 16;
}

inline void AppendLe16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

inline void AppendLe32(std::string& out, std::uint32_t value) {
  AppendLe16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  AppendLe16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace velora::formats
