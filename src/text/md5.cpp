#include "text/md5.h"

#include <cctype>

#include "text/gbk.h"
#include "text/hex.h"

namespace velora::text {

std::string DigestText(std::string_view text_utf8, DigestForm form) {
  const std::string bytes = form.as_utf8 ? std::string(text_utf8) : Utf8ToGbk(text_utf8);
  const Md5Digest digest = Md5(bytes);
  std::string hex = HexEncode(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
  if (!form.upper_case) {
    for (char& c : hex) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return form.short_form ? hex.substr(8, 16) : hex;
}

}  // namespace velora::text
