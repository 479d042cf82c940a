// The lock seen after <cstdint>: on 32-bit Windows the standard header included first decides the alignment
// of std::max_align_t (16 bytes after <cstdint>, 8 after <thread>, which CriticalSectionTest.cpp includes
// first). Both files must see one layout of the lock.
#include <cstdint>

#include "platform/CriticalSection.h"

namespace platformtest
{

struct Holder
{
    char before;
    platform::CriticalSection section;
    char after;
};

std::size_t HolderSizeSeenAlone()
{
    return sizeof(Holder);
}

} // namespace platformtest
