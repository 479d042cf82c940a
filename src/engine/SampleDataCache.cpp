#include "engine/SampleDataCache.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <thread>

#include "engine/FluidSynthLibrary.h"
#include "engine/SampleDataReader.h"

namespace engine
{

SampleDataCache::~SampleDataCache()
{
    if (sampleBlock != nullptr)
    {
        cancelAndWait();
        freeBlock();
    }
}

SampleDataCache& SampleDataCache::shared()
{
    static SampleDataCache cache;
    return cache;
}

const int16_t* SampleDataCache::attach(const std::string& path, uint64_t fileOffset, uint32_t size)
{
    if (users.load() != 0)
    {
        // The block belongs to the first file loaded in the process. A bank from any other file would
        // play that file's samples (or index outside them), so it is refused rather than attached.
        if (!isSharedFile(path, fileOffset, size))
        {
            FluidSynth().fluid_log(kFluidError, "Sample data of %s does not match the shared sample data",
                                   path.c_str());
            return nullptr;
        }
        if (!keepShared())
            users.fetch_add(1);
        return sampleBlock;
    }
    if (!startRead(path, fileOffset, size))
        return nullptr;
    users.fetch_add(1);
    return sampleBlock;
}

bool SampleDataCache::isSharedFile(const std::string& path, uint64_t fileOffset, uint32_t size) const
{
    if (size != sampleBlockSize || fileOffset != sampleDataOffset)
        return false;
    // The same file under any name(the same device and file number), not rewritten since it was read.
    std::error_code error;
    if (!std::filesystem::equivalent(path, samplePath, error) || error)
        return false;
    const auto written = std::filesystem::last_write_time(path, error);
    return !error && written == sampleFileWritten;
}

bool SampleDataCache::startRead(const std::string& path, uint64_t fileOffset, uint32_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    if (fileOffset > static_cast<uint64_t>(std::numeric_limits<long>::max()) ||
        std::fseek(file, static_cast<long>(fileOffset), SEEK_SET) != 0)
    {
        std::fprintf(stderr, "error: %s\n", std::strerror(errno));
        std::fclose(file);
        return false;
    }
    // Zeroed, so that voices reaching samples not read yet play silence; never moved.
    auto* block = static_cast<int16_t*>(std::calloc(size / 2 + 1, sizeof(int16_t)));
    if (block == nullptr)
    {
        std::fclose(file);
        return false;
    }
    progress.cancelLoad.store(0);
    progress.bytesRead.store(0);
    progress.loadPercent.store(0);
    progress.loadDone.store(0);
    SampleDataReader reader(path, fileOffset, reinterpret_cast<char*>(block), size, progress);
    if (!reader.start())
    {
        std::free(block);
        std::fclose(file);
        return false;
    }
    std::fclose(file);
    sampleBlock = block;
    sampleBlockSize = size;
    sampleDataOffset = fileOffset;
    samplePath = path;
    std::error_code error;
    sampleFileWritten = std::filesystem::last_write_time(path, error);
    return true;
}

void SampleDataCache::release(const int16_t* block)
{
    if (block == nullptr || block != sampleBlock || keepShared())
        return;
    if (users.load() == 0 || users.fetch_sub(1) != 1)
        return;
    cancelAndWait();
    freeBlock();
}

void SampleDataCache::cancelAndWait()
{
    if (progress.loadDone.load() != 0)
        return;
    progress.cancelLoad.store(1);
    while (progress.loadDone.load() == 0)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void SampleDataCache::freeBlock()
{
    std::free(sampleBlock);
    sampleBlock = nullptr;
    sampleBlockSize = 0;
}

void SampleDataCache::setKeepSharedSamples(bool keep)
{
    keepSharedSamples.store(keep ? 1 : 0);
}

void SampleDataCache::resetLoadProgress()
{
    progress.loadPercent.store(0);
    progress.loadDone.store(0);
}

void SampleDataCache::setLoadPercent(int32_t percent)
{
    progress.loadPercent.store(percent);
}

} // namespace engine
