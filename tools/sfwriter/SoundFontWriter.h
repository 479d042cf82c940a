#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/SoundFontData.h"

namespace sfwriter
{

// The first four bytes of a written bank: the standard RIFF tag or the product's own "TAL" + 0x1A.
enum class FirstTag
{
    Riff,
    Tal
};

// Writes a SoundFont 2 file from the parsed structure the engine's reader produces: the version
// and INFO items, the sample points as the "smpl" chunk, and every pdta record with its terminal
// record. The sample-data position and size of the input are ignored; they follow from the points.
// A bank whose records exceed the format's 16-bit indices gives no bytes at all.
class SoundFontWriter
{
public:
    static std::vector<uint8_t> write(const engine::SoundFontData& data,
                                      const std::vector<int16_t>& samplePoints,
                                      FirstTag tag = FirstTag::Riff);
    static bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
};

} // namespace sfwriter
