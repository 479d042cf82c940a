#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/ByteSource.h"
#include "engine/SoundFontData.h"

namespace engine
{

// Reads the structure of a SoundFont 2 file: the first tag "RIFF" or "TAL" followed by 0x1A, a
// size equal to the file size minus 8, the form "sfbk", then the "INFO", "sdta" and "pdta" lists.
// The sample points themselves are not read; only their position and size in the file are.
// A damaged file fails with a reason and is never read outside its bytes.
class SoundFontReader
{
public:
    bool read(ByteSource& source, SoundFontData& data);
    bool readFile(const std::string& path, SoundFontData& data);
    // Reads the sample points the parsed structure names (for tools that copy or convert a
    // bank); the loader instead shares them through SampleDataCache.
    bool readSamplePoints(ByteSource& source, const SoundFontData& data, std::vector<int16_t>& points);
    const std::string& error() const { return lastError; }

private:
    struct List
    {
        uint64_t body = 0; // file position of the list's first sub-chunk
        uint32_t size = 0; // bytes of sub-chunks
    };

    bool readList(ByteSource& source, uint64_t& position, uint64_t end, const char* type, List& list);
    bool readInfo(ByteSource& source, const List& list, SoundFontData& data);
    bool readSampleData(ByteSource& source, const List& list, SoundFontData& data);
    bool readHydra(ByteSource& source, const List& list, SoundFontData& data);
    bool fail(const std::string& reason);

    std::string lastError;
};

} // namespace engine
