#pragma once

#include <cstdint>
#include <string>

#include "sfwriter/SoundFontWriter.h"

namespace mkbank
{

// What to build: the source SoundFont, which of its presets, and where to write the bank.
struct BuildOptions
{
    std::string source;
    std::string output;
    uint16_t bank = 0;
    uint16_t program = 0;
    sfwriter::FirstTag firstTag = sfwriter::FirstTag::Tal;
};

} // namespace mkbank
