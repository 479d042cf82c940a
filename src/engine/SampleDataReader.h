#pragma once

#include <cstdint>
#include <string>

#include "engine/SampleReadProgress.h"

namespace engine
{

// Reads the sample block of a sound bank from its file in pieces of 100000 bytes, publishing its
// progress, and stops early when asked to. Runs on its own detached thread (start) or on the
// caller's (run). The destination and the progress must outlive the read; the owner waits for
// loadDone before freeing them, and the read touches neither after setting it.
class SampleDataReader
{
public:
    static constexpr uint32_t kPieceSize = 100000;

    SampleDataReader(std::string filePath, uint64_t offset, char* target, uint32_t byteCount,
                     SampleReadProgress& readProgress);

    // Starts the read on a new thread; false (nothing started) if the thread cannot be created.
    bool start();
    void run();

private:
    std::string path;
    uint64_t fileOffset;
    char* destination;
    uint32_t size;
    SampleReadProgress& progress;
};

} // namespace engine
