#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/ByteReader.h"
#include "engine/SoundFontData.h"

namespace engine
{

// Parses the body of a "pdta" list (the nine record chunks from "phdr" to "shdr") into presets,
// instruments and sample headers. Every record count, bag index, generator and modulator index,
// instrument and sample reference and sample range is checked before it is used.
class SoundFontHydraParser
{
public:
    // samplePoints is the number of 16-bit points in the sample block.
    SoundFontHydraParser(const uint8_t* body, size_t size, uint32_t samplePoints);

    bool parse(SoundFontData& data);
    const std::string& error() const { return lastError; }

private:
    struct Chunk
    {
        const uint8_t* data = nullptr;
        size_t count = 0; // records, the terminal one included
    };
    struct Bag
    {
        uint16_t generator;
        uint16_t modulator;
    };

    bool nextChunk(const char* id, size_t recordSize, bool allowEmpty, Chunk& chunk);
    bool zoneBags(const uint8_t* header, size_t headerSize, size_t bagField, const Chunk& bags,
                  const char* what, uint16_t& firstBag, uint16_t& endBag);
    void readZones(const Chunk& bags, const Chunk& modulators, const Chunk& generators, uint16_t firstBag,
                   uint16_t endBag, std::vector<SoundFontZone>& zones);
    bool checkBags(const Chunk& bags, const Chunk& modulators, const Chunk& generators, const char* what);
    bool readSamples(const Chunk& headers, SoundFontData& data);
    bool checkReferences(const SoundFontData& data);
    bool fail(const std::string& reason);

    ByteReader in;
    uint32_t sampleCount;
    std::string lastError;
};

} // namespace engine
