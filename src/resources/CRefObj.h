// A reference-counted object: the last Release deletes it.
#pragma once

#include <atomic>

namespace resources
{

class CRefObj
{
public:
    CRefObj() = default;
    CRefObj(const CRefObj&) = delete;
    CRefObj& operator=(const CRefObj&) = delete;

    void AddRef();
    // Drops one reference and deletes the object when none is left.
    void Release();
    int RefCount() const;

protected:
    // Only Release deletes a reference-counted object.
    virtual ~CRefObj() = default;

private:
    std::atomic<int> refCount{1};
};

} // namespace resources
