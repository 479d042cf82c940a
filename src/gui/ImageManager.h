#pragma once
// The shared cache of skin images: each file is loaded once and handed to every holder, counted,
// and deleted when its last holder releases it. Guarded by its own lock; any thread may call it.
#include <cstddef>
#include <list>
#include <string>
#include <vector>

#include "gui/CLock.h"

namespace images
{
class CImage;
}

namespace gui
{

class ImageManager
{
public:
    static constexpr size_t kBucketCount = 25;

    ImageManager();
    ~ImageManager();
    ImageManager(const ImageManager&) = delete;
    ImageManager& operator=(const ImageManager&) = delete;

    // The image of the file, loaded on first request; null for an empty name or a file that does
    // not load (not cached, so a later request tries again).
    images::CImage* Get(const char* fileName);
    // Gives one hold back; the image goes when the last hold does.
    void Release(const char* fileName);
    // Holds on the file's image (0 when not loaded).
    int GetCount(const char* fileName);

private:
    struct Entry
    {
        std::string fileName;
        images::CImage* image;
        int count;
    };
    static size_t BucketOf(const char* fileName);
    Entry* Find(const char* fileName);

    std::vector<std::list<Entry>> buckets;
    CLock lock;
};

} // namespace gui
