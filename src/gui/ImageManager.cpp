#include "gui/ImageManager.h"

#include <new>

#include "images/CImage.h"

using namespace images;

namespace gui
{

ImageManager::ImageManager() : buckets(kBucketCount) {}

ImageManager::~ImageManager()
{
    for (auto& bucket : buckets)
        for (Entry& entry : bucket)
            delete entry.image;
}

size_t ImageManager::BucketOf(const char* fileName)
{
    // The sum of the name's bytes taken as signed values, as the string cache hashes its keys.
    uint32_t sum = 0;
    for (const char* p = fileName; *p; ++p)
        sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
    return sum % kBucketCount;
}

ImageManager::Entry* ImageManager::Find(const char* fileName)
{
    for (Entry& entry : buckets[BucketOf(fileName)])
        if (entry.fileName == fileName)
            return &entry;
    return nullptr;
}

CImage* ImageManager::Get(const char* fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    CAutoLock hold(lock);
    if (Entry* entry = Find(fileName))
    {
        ++entry->count;
        return entry->image;
    }
    auto* image = new (std::nothrow) CImage();
    if (!image)
        return nullptr;
    if (!image->Load(fileName))
    {
        delete image;
        return nullptr;
    }
    buckets[BucketOf(image->GetFileName())].push_back({image->GetFileName(), image, 1});
    return image;
}

void ImageManager::Release(const char* fileName)
{
    if (!fileName || !*fileName)
        return;
    CAutoLock hold(lock);
    auto& bucket = buckets[BucketOf(fileName)];
    for (auto it = bucket.begin(); it != bucket.end(); ++it)
    {
        if (it->fileName != fileName)
            continue;
        if (--it->count < 1)
        {
            delete it->image;
            bucket.erase(it);
        }
        return;
    }
}

int ImageManager::GetCount(const char* fileName)
{
    if (!fileName)
        return 0;
    CAutoLock hold(lock);
    const Entry* entry = Find(fileName);
    return entry ? entry->count : 0;
}

} // namespace gui
