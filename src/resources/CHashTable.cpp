#include "resources/CHashTable.h"

namespace resources
{

CHashTable::CHashTable(uint32_t count) : bucketCount(count > 0 ? count : 1), buckets(new CMyList[bucketCount])
{
}

CHashTable::~CHashTable() = default;

uint32_t CHashTable::BucketOf(const char* key) const
{
    int32_t sum = 0;
    for (const char* c = key; c != nullptr && *c != '\0'; ++c)
        sum += static_cast<signed char>(*c);
    return static_cast<uint32_t>(sum) % bucketCount;
}

void CHashTable::Insert(const char* key, const char* value)
{
    buckets[BucketOf(key)].Append(key, value);
}

const char* CHashTable::Lookup(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    return buckets[BucketOf(key)].Find(key);
}

bool CHashTable::Remove(const char* key, const char* value)
{
    if (key == nullptr)
        return false;
    return buckets[BucketOf(key)].Remove(key, value);
}

void CHashTable::Clear()
{
    buckets.reset(new CMyList[bucketCount]);
}

size_t CHashTable::CountInBucket(uint32_t bucket) const
{
    return bucket < bucketCount ? buckets[bucket].Count() : 0;
}

} // namespace resources
