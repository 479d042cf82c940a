#pragma once

#include <xmmintrin.h>

namespace dsp
{

// For its lifetime the calling thread's SSE unit flushes denormal results to zero and reads denormal
// inputs as zero (FTZ and DAZ); the previous mode comes back when it ends, so the host's own code runs as
// the host set it. Recursive filters then cannot slow down on denormals whatever their inputs. Any thread;
// lives on the stack of the call it covers.
class FlushDenormals
{
public:
    FlushDenormals() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~FlushDenormals() { _mm_setcsr(saved); }
    FlushDenormals(const FlushDenormals&) = delete;
    FlushDenormals& operator=(const FlushDenormals&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;

    unsigned saved;
};

} // namespace dsp
