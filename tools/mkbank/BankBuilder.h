#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/ByteSource.h"
#include "mkbank/BuildOptions.h"
#include "mkbank/PresetCopier.h"

namespace mkbank
{

// What a build produced, for the builder's summary line.
struct BuildSummary
{
    std::string presetName;
    size_t instruments = 0; // copied from the source
    size_t samples = 0;     // copied from the source
    size_t pianoZones = 0;  // each with its resonance twin
    uint64_t samplePoints = 0;
    uint64_t fileBytes = 0;
};

// Builds a Virellando sound bank: the chosen piano preset with its instruments and samples, the
// sympathetic-resonance layer and the mechanical noises, written with the chosen first tag.
class BankBuilder
{
public:
    // Reads options.source and writes options.output; the output appears whole or not at all.
    bool build(const BuildOptions& options, BuildSummary& summary);

    // The bank from an already parsed source; sourceName goes into the bank's comment.
    bool assemble(const engine::SoundFontData& source, engine::ByteSource& bytes, uint16_t bank,
                  uint16_t program, const std::string& sourceName, BankImage& image, BuildSummary& summary);

    // The written bytes, checked by reading them back.
    bool encode(const BankImage& image, sfwriter::FirstTag tag, std::vector<uint8_t>& bytes);

    const std::string& error() const { return errorText; }

private:
    static void describe(const engine::SoundFontData& source, uint16_t bank, uint16_t program,
                         const std::string& sourceName, engine::SoundFontData& out);
    bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes);
    bool fail(const std::string& reason);

    std::string errorText;
};

} // namespace mkbank
