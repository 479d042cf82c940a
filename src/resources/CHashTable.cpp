#include "resources/CHashTable.h"

namespace resources
{

CHashTable::CHashTable(uint32_t bucketCount)
    : bucketCount_(bucketCount > 0 ? bucketCount : 1), buckets_(new CMyList[bucketCount_])
{
}

CHashTable::~CHashTable() = default;

uint32_t CHashTable::BucketOf(const char* key) const
{
    int32_t sum = 0;
    for (const char* c = key; c != nullptr && *c != '\0'; ++c)
        sum += static_cast<signed char>(*c);
    return static_cast<uint32_t>(sum) % bucketCount_;
}

void CHashTable::Insert(const char* key, const char* value)
{
    buckets_[BucketOf(key)].Append(key, value);
}

const char* CHashTable::Lookup(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    return buckets_[BucketOf(key)].Find(key);
}

bool CHashTable::Remove(const char* key, const char* value)
{
    if (key == nullptr)
        return false;
    return buckets_[BucketOf(key)].Remove(key, value);
}

void CHashTable::Clear()
{
    buckets_.reset(new CMyList[bucketCount_]);
}

size_t CHashTable::CountInBucket(uint32_t bucket) const
{
    return bucket < bucketCount_ ? buckets_[bucket].Count() : 0;
}

} // namespace resources
