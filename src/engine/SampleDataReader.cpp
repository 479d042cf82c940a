#include "engine/SampleDataReader.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>
#include <thread>

#include "engine/FluidSynthLibrary.h"

namespace engine
{

SampleDataReader::SampleDataReader(std::string filePath, uint64_t offset, char* target, uint32_t byteCount,
                                   SampleReadProgress& readProgress)
    : path(std::move(filePath)), fileOffset(offset), destination(target), size(byteCount),
      progress(readProgress)
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
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file != nullptr)
    {
        const bool positioned = fileOffset <= static_cast<uint64_t>(std::numeric_limits<long>::max()) &&
                                std::fseek(file, static_cast<long>(fileOffset), SEEK_SET) == 0;
        uint32_t read = 0;
        while (positioned && read < size && progress.cancelLoad.load() == 0)
        {
            const uint32_t piece = std::min(kPieceSize, size - read);
            if (std::fread(destination + read, 1, piece, file) != piece)
            {
                FluidSynth().fluid_log(kFluidError, "Failed to read sample data");
                break;
            }
            read += piece;
            progress.bytesRead.store(read);
            progress.loadPercent.store(
                static_cast<int32_t>(static_cast<double>(read) / static_cast<double>(size) * 100.0));
        }
        std::fclose(file);
    }
    // The owner may free everything once loadDone is set, so it is the last write.
    progress.loadPercent.store(100);
    progress.loadDone.store(1);
}

} // namespace engine
