#include <mutex>
#include <new>

#include "platform/CriticalSection.h"

namespace platform
{
namespace
{

static_assert(sizeof(std::recursive_mutex) <= CriticalSection::kStorageBytes, "the lock does not fit");
static_assert(alignof(std::recursive_mutex) <= CriticalSection::kStorageAlignment, "the lock is misaligned");

std::recursive_mutex& MutexIn(unsigned char* storage)
{
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

} // namespace

CriticalSection::CriticalSection()
{
    new (storage) std::recursive_mutex();
}

CriticalSection::~CriticalSection()
{
    MutexIn(storage).~recursive_mutex();
}

void CriticalSection::Enter()
{
    MutexIn(storage).lock();
}

void CriticalSection::Leave()
{
    MutexIn(storage).unlock();
}

bool CriticalSection::TryEnter()
{
    return MutexIn(storage).try_lock();
}

} // namespace platform
