// A fixed number of buckets of key/value strings. Not locked: its owner
// serialises the threads that use it.
#pragma once

#include <cstdint>
#include <memory>

#include "resources/CMyList.h"

namespace resources
{

class CHashTable
{
public:
    explicit CHashTable(uint32_t bucketCount);
    virtual ~CHashTable();
    CHashTable(const CHashTable&) = delete;
    CHashTable& operator=(const CHashTable&) = delete;

    // The sum of the key's bytes taken as signed 8-bit values, as unsigned
    // 32-bit, modulo the bucket count.
    uint32_t BucketOf(const char* key) const;
    // Appends a copy of key and value to the key's bucket.
    void Insert(const char* key, const char* value);
    // The value stored for the key (exact, case-sensitive); nullptr if none.
    const char* Lookup(const char* key) const;
    // Removes the entry holding both key and value; false if none.
    bool Remove(const char* key, const char* value);
    // Removes every entry.
    void Clear();
    uint32_t BucketCount() const { return bucketCount_; }
    size_t CountInBucket(uint32_t bucket) const;

private:
    uint32_t bucketCount_;
    std::unique_ptr<CMyList[]> buckets_;
};

} // namespace resources
