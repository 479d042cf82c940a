#include <mutex>
#include <new>

#include "CriticalSection.h"

namespace platform
{
namespace
{

static_assert(sizeof(std::recursive_mutex) <= CriticalSection::kStorageBytes, "the lock does not fit");
static_assert(alignof(std::recursive_mutex) <= alignof(std::max_align_t), "the lock is misaligned");

std::recursive_mutex& MutexIn(unsigned char* storage)
{
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

} // namespace

CriticalSection::CriticalSection()
{
    new (storage_) std::recursive_mutex();
}

CriticalSection::~CriticalSection()
{
    MutexIn(storage_).~recursive_mutex();
}

void CriticalSection::Enter()
{
    MutexIn(storage_).lock();
}

void CriticalSection::Leave()
{
    MutexIn(storage_).unlock();
}

bool CriticalSection::TryEnter()
{
    return MutexIn(storage_).try_lock();
}

} // namespace platform
