#include "support/AllocationCounter.h"

#include <cstddef>

// The C library's own entry points, which the wrappers below hand on to.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void* __libc_memalign(size_t alignment, size_t size);
extern "C" void __libc_free(void* block);

namespace
{
// Plain thread-locals of the program itself: reading them never allocates.
thread_local int counting = 0;
thread_local long operations = 0;

void Note()
{
    if (counting > 0)
        ++operations;
}
} // namespace

extern "C" void* malloc(size_t size)
{
    Note();
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    Note();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    Note();
    return __libc_realloc(block, size);
}

extern "C" void* memalign(size_t alignment, size_t size)
{
    Note();
    return __libc_memalign(alignment, size);
}

extern "C" void* aligned_alloc(size_t alignment, size_t size)
{
    Note();
    return __libc_memalign(alignment, size);
}

extern "C" int posix_memalign(void** block, size_t alignment, size_t size)
{
    Note();
    void* result = __libc_memalign(alignment, size);
    if (result == nullptr)
        return 12; // ENOMEM
    *block = result;
    return 0;
}

extern "C" void free(void* block)
{
    if (block != nullptr)
        Note();
    __libc_free(block);
}

AllocationCounter::AllocationCounter() : start(operations)
{
    ++counting;
}

AllocationCounter::~AllocationCounter()
{
    --counting;
}

long AllocationCounter::count() const
{
    return operations - start;
}
