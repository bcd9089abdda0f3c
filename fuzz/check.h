#pragma once
// What every fuzz program shares: its input as bytes, and FUZZ_CHECK for the properties it holds
// the code to. A broken one prints its condition and aborts, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace velora::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
  std::abort();
}

inline std::string_view Bytes(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace velora::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::velora::fuzz::Fail(#condition, __FILE__, __LINE__))
