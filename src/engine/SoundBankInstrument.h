#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/SoundBankSample.h"
#include "engine/SoundBankZone.h"

namespace engine
{

// An instrument of a loaded sound bank: its optional global zone and its zones with samples.
class SoundBankInstrument
{
public:
    struct Zone
    {
        SoundBankZone zone;
        SoundBankSample* sample; // nullptr when the sample is unusable
    };

    // samples are the bank's samples, indexed like the file's sample headers.
    SoundBankInstrument(const SoundFontInstrument& record,
                        const std::vector<std::unique_ptr<SoundBankSample>>& samples);

    const SoundBankZone* globalZone() const { return global.get(); }
    // The zones in the order voices are started: the reverse of the file's, as the engine's own
    // loader walks them, so that mixed voices add up in the same order.
    const std::vector<Zone>& zones() const { return zoneList; }

private:
    std::unique_ptr<SoundBankZone> global;
    std::vector<Zone> zoneList;
};

} // namespace engine
