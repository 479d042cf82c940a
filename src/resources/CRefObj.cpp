#include "resources/CRefObj.h"

namespace resources
{

void CRefObj::AddRef()
{
    refCount.fetch_add(1, std::memory_order_relaxed);
}

void CRefObj::Release()
{
    if (refCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

int CRefObj::RefCount() const
{
    return refCount.load(std::memory_order_relaxed);
}

} // namespace resources
