// SPDX-License-Identifier: MIT
#include "cpu/vector_state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <immintrin.h>

#include <cstdint>
#define FERNPLOT_X86_64 1
#endif

namespace fernplot {

#ifdef FERNPLOT_X86_64
namespace {

// libgcc's check also asks the operating system whether it saves the AVX
// state: without that, VZEROUPPER would fault.
bool HasAvx() {
  static const bool has = __builtin_cpu_supports("avx");
  return has;
}

__attribute__((target("avx"))) void ZeroUpper() {
  _mm256_zeroupper();
}

// XGETBV with ECX = 1 (the components in use) exists when CPUID leaf 0xD,
// sub-leaf 1 says so in EAX bit 2.
bool HasXgetbvInUse() {
  static const bool has = [] {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!HasAvx() || __get_cpuid_max(0, nullptr) < 0xD) return false;
    __cpuid_count(0xD, 1, a, b, c, d);
    return (a & 4u) != 0;
  }();
  return has;
}

}  // namespace

void ClearUpperVectorState() {
  if (HasAvx()) ZeroUpper();
}

bool UpperVectorStateInUse() {
  if (!HasXgetbvInUse()) return false;
  uint32_t lo = 0, hi = 0;
  __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
  // Bit 2: the upper halves of YMM0-15.
  return (lo & 4u) != 0;
}

#else

void ClearUpperVectorState() {}
bool UpperVectorStateInUse() {
  return false;
}

#endif

}  // namespace fernplot
