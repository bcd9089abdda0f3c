#include "exec/clipboard_payload.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "text/utf.h"

namespace velora::exec {
namespace {

constexpr std::uint32_t kDropFilesHeaderSize = 20;

void AppendUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendUtf16Unit(std::string& out, char16_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

// Unreserved and the delimiters a path may hold without changing the address's meaning.
bool KeptInUrl(unsigned char c) {
  if (c >= 0x80) return true;  // UTF-8 text stays readable
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  constexpr std::string_view kKept = "-._~!$&'()*+,;=:@/";
  return kKept.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string EscapeAttribute(std::string_view value) {
  std::string out;
  for (const char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Offset(std::size_t value) {
  std::array<char, 16> digits{};
  std::snprintf(digits.data(), digits.size(), "%010zu", value);
  return digits.data();
}

}  // namespace

std::string FileListBlock(std::span<const std::string> utf8_paths) {
  std::string list;
  for (const std::string& path : utf8_paths) {
    if (path.empty() || path.find('\0') != std::string::npos) continue;
    for (const char16_t unit : text::Utf8ToUtf16(path)) AppendUtf16Unit(list, unit);
    AppendUtf16Unit(list, 0);
  }
  if (list.empty()) return {};
  AppendUtf16Unit(list, 0);

  std::string block;
  block.reserve(kDropFilesHeaderSize + list.size());
  AppendUint32(block, kDropFilesHeaderSize);  // where the list starts
  AppendUint32(block, 0);                     // drop point x
  AppendUint32(block, 0);                     // drop point y
  AppendUint32(block, 0);                     // not in the non-client area
  AppendUint32(block, 1);                     // wide names
  block += list;
  return block;
}

std::string FileUrl(std::string_view utf8_path) {
  std::string url = "file:";
  std::string_view rest = utf8_path;
  if (rest.starts_with("\\\\") || rest.starts_with("//")) {
    url += "//";  // the server name follows as the address's host
    rest.remove_prefix(2);
  } else {
    url += "///";
  }
  for (const char ch : rest) {
    const auto c = static_cast<unsigned char>(ch == '\\' ? '/' : ch);
    if (KeptInUrl(c)) {
      url += static_cast<char>(c);
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0xF];
    }
  }
  return url;
}

std::string PictureElement(std::string_view utf8_path) {
  return "<img src=\"" + EscapeAttribute(FileUrl(utf8_path)) + "\" alt=\"\">";
}

std::string HtmlClipboardText(std::string_view fragment) {
  constexpr std::string_view kBefore =
      "<html><head><meta charset=\"utf-8\"></head><body>\r\n<!--StartFragment-->";
  constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>";
  // Every offset is written with ten digits, so the header's length does not depend on them.
  const std::string zero = Offset(0);
  const std::size_t header_size =
      std::string_view("Version:0.9\r\n").size() + std::string_view("StartHTML:\r\n").size() +
      std::string_view("EndHTML:\r\n").size() + std::string_view("StartFragment:\r\n").size() +
      std::string_view("EndFragment:\r\n").size() + 4 * zero.size();
  const std::size_t start_html = header_size;
  const std::size_t start_fragment = start_html + kBefore.size();
  const std::size_t end_fragment = start_fragment + fragment.size();
  const std::size_t end_html = end_fragment + kAfter.size();

  std::string out = "Version:0.9\r\nStartHTML:" + Offset(start_html) + "\r\nEndHTML:" + Offset(end_html) +
                    "\r\nStartFragment:" + Offset(start_fragment) +
                    "\r\nEndFragment:" + Offset(end_fragment) + "\r\n";
  out += kBefore;
  out += fragment;
  out += kAfter;
  return out;
}

}  // namespace velora::exec
