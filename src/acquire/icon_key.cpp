#include "acquire/icon_key.h"

#include "text/md5.h"

namespace velora::acquire {

std::string IconKey(std::string_view text_utf8) { return text::DigestText(text_utf8).substr(0, 10); }

}  // namespace velora::acquire
