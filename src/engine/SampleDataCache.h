#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/SampleReadProgress.h"

namespace engine
{

// The sound bank's sample block, read once per process and shared by every sound bank loaded from
// it. The first attach allocates the block and starts the background read; later attaches share
// it; the last release cancels a running read, waits for it and frees the block.
//
// Threads: attach, release, setKeepSharedSamples and the progress resets run on the host's thread
// that creates and destroys instruments. The background read writes the block and the progress.
// The audio thread's voices read the block; loadPercent and loadDone may be read from any thread.
class SampleDataCache
{
public:
    SampleDataCache() = default;
    // Cancels and waits for a running read, then frees the block.
    ~SampleDataCache();
    SampleDataCache(const SampleDataCache&) = delete;
    SampleDataCache& operator=(const SampleDataCache&) = delete;

    // The cache shared by every instrument in the process.
    static SampleDataCache& shared();

    // Returns the block for the sample data of size bytes at fileOffset in path, or nullptr when
    // the file cannot be opened or positioned, the block cannot be allocated, or a block read from
    // another file (or another part of it, or before the file was rewritten) is already shared.
    const int16_t* attach(const std::string& path, uint64_t fileOffset, uint32_t size);
    // Detaches one sound bank from the block it attached to.
    void release(const int16_t* block);

    // While set, attach and release leave userCount alone and the block is never freed.
    void setKeepSharedSamples(bool keep);
    // The instrument's resets: both to 0 before the first load, the percentage to 100 when the
    // load failed or an instrument is destroyed (so a progress display closes).
    void resetLoadProgress();
    void setLoadPercent(int32_t percent);

    uint32_t userCount() const { return users.load(); }
    bool keepShared() const { return keepSharedSamples.load() != 0; }
    int32_t loadPercent() const { return progress.loadPercent.load(); }
    bool loadDone() const { return progress.loadDone.load() != 0; }
    const int16_t* sampleData() const { return sampleBlock; }
    uint32_t sampleDataSize() const { return sampleBlockSize; }
    // True once the background read has stored every byte below endByte.
    bool isReadUpTo(uint64_t endByte) const { return progress.bytesRead.load() >= endByte; }

private:
    bool isSharedFile(const std::string& path, uint64_t fileOffset, uint32_t size) const;
    bool startRead(const std::string& path, uint64_t fileOffset, uint32_t size);
    void cancelAndWait();
    void freeBlock();

    int16_t* sampleBlock = nullptr;
    uint32_t sampleBlockSize = 0;
    uint64_t sampleDataOffset = 0;
    std::string samplePath;
    std::filesystem::file_time_type sampleFileWritten{};
    std::atomic<uint32_t> users{0};
    std::atomic<int32_t> keepSharedSamples{0};
    SampleReadProgress progress;
};

} // namespace engine
