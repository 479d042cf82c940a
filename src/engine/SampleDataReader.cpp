#include "engine/SampleDataReader.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>
#include <thread>

namespace engine
{

SampleDataReader::SampleDataReader(std::string path, uint64_t fileOffset, char* destination, uint32_t size,
                                   SampleReadProgress& progress)
    : path_(std::move(path)), fileOffset_(fileOffset), destination_(destination), size_(size),
      progress_(progress)
{
}

bool SampleDataReader::start()
{
    try
    {
        std::thread([reader = *this]() mutable { reader.run(); }).detach();
        return true;
    }
    catch (const std::exception&)
    { // no thread, or no memory for its copy of the job
        return false;
    }
}

void SampleDataReader::run()
{
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (file != nullptr)
    {
        const bool positioned = fileOffset_ <= static_cast<uint64_t>(std::numeric_limits<long>::max()) &&
                                std::fseek(file, static_cast<long>(fileOffset_), SEEK_SET) == 0;
        uint32_t read = 0;
        while (positioned && read < size_ && progress_.cancelLoad.load() == 0)
        {
            const uint32_t piece = std::min(kPieceSize, size_ - read);
            if (std::fread(destination_ + read, 1, piece, file) != piece)
            {
                fluid_log(FLUID_ERR, "Failed to read sample data");
                break;
            }
            read += piece;
            progress_.bytesRead.store(read);
            progress_.loadPercent.store(
                static_cast<int32_t>(static_cast<double>(read) / static_cast<double>(size_) * 100.0));
        }
        std::fclose(file);
    }
    // The owner may free everything once loadDone is set, so it is the last write.
    progress_.loadPercent.store(100);
    progress_.loadDone.store(1);
}

} // namespace engine
