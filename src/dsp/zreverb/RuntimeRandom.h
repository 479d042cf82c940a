#pragma once

#include <cstdlib>

namespace zreverb
{

// One draw of the C runtime's generator reduced to 0..32767, the range the reverb's tables are scaled for
// (glibc's rand() spans 31 bits). Called only while objects are built, never on the audio path.
inline int RuntimeRandom15()
{
    return std::rand() & 0x7FFF;
}

} // namespace zreverb
