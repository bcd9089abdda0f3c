#pragma once
// MD5 through the platform's crypto; used to name icon files.
#include <array>
#include <string>
#include <string_view>

namespace velora::text {

using Md5Digest = std::array<unsigned char, 16>;

Md5Digest Md5(std::string_view bytes);

struct DigestForm {
  bool as_utf8 = true;  // hash the UTF-8 bytes, else the GBK bytes
  bool upper_case = true;
  bool short_form = false;  // the 16 digits from the 9th to the 24th instead of all 32
};

std::string DigestText(std::string_view text_utf8, DigestForm form = {});

}  // namespace velora::text
