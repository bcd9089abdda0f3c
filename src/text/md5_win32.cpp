#include <windows.h>
// bcrypt.h needs the types of windows.h.
#include <bcrypt.h>

#include "text/md5.h"

namespace velora::text {
namespace {

struct AlgorithmHandle {
  BCRYPT_ALG_HANDLE h = nullptr;
  ~AlgorithmHandle() {
    if (h) BCryptCloseAlgorithmProvider(h, 0);
  }
};
struct HashHandle {
  BCRYPT_HASH_HANDLE h = nullptr;
  ~HashHandle() {
    if (h) BCryptDestroyHash(h);
  }
};

bool Ok(NTSTATUS status) { return status >= 0; }

}  // namespace

Md5Digest Md5(std::string_view bytes) {
  Md5Digest digest{};
  AlgorithmHandle alg;
  HashHandle hash;
  if (!Ok(BCryptOpenAlgorithmProvider(&alg.h, BCRYPT_MD5_ALGORITHM, nullptr, 0))) return digest;
  if (!Ok(BCryptCreateHash(alg.h, &hash.h, nullptr, 0, nullptr, 0, 0))) return digest;
  auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
  if (!Ok(BCryptHashData(hash.h, data, static_cast<ULONG>(bytes.size()), 0))) return digest;
  BCryptFinishHash(hash.h, digest.data(), static_cast<ULONG>(digest.size()), 0);
  return digest;
}

}  // namespace velora::text
