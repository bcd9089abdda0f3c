#include <openssl/evp.h>

#include "text/md5.h"

namespace velora::text {

Md5Digest Md5(std::string_view bytes) {
  Md5Digest digest{};
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_md5(), nullptr);
  return digest;
}

}  // namespace velora::text
