// SPDX-License-Identifier: MIT
#pragma once
// The upper halves of the AVX registers and glibc's maths.
//
// Code built for AVX that returns without VZEROUPPER (some of what Qt's text
// measurement and drawing run) leaves the upper halves of the registers in
// use. glibc's log10, pow and friends are SSE code: each SSE instruction that
// writes such a register then waits on a merge with its stale upper half, and
// a call costs several times its normal few nanoseconds. Per-point loops that
// call them clear the state first; the values they compute do not change.

namespace fernplot {

// Clears the upper halves (VZEROUPPER) where the processor has AVX; does
// nothing elsewhere. Costs about a cycle.
void ClearUpperVectorState();

// Whether the upper halves are in use right now, as the processor reports
// it (XGETBV 1); false where it cannot say. For benchmarks and tests.
bool UpperVectorStateInUse();

}  // namespace fernplot
