#include <windows.h>

#include <new>

#include "platform/CriticalSection.h"

namespace platform
{
namespace
{

static_assert(sizeof(CRITICAL_SECTION) <= CriticalSection::kStorageBytes, "the lock does not fit");
static_assert(alignof(CRITICAL_SECTION) <= CriticalSection::kStorageAlignment, "the lock is misaligned");

CRITICAL_SECTION* SectionIn(unsigned char* storage)
{
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

} // namespace

CriticalSection::CriticalSection()
{
    InitializeCriticalSection(new (storage) CRITICAL_SECTION);
}

CriticalSection::~CriticalSection()
{
    DeleteCriticalSection(SectionIn(storage));
}

void CriticalSection::Enter()
{
    EnterCriticalSection(SectionIn(storage));
}

void CriticalSection::Leave()
{
    LeaveCriticalSection(SectionIn(storage));
}

bool CriticalSection::TryEnter()
{
    return TryEnterCriticalSection(SectionIn(storage)) != 0;
}

} // namespace platform
