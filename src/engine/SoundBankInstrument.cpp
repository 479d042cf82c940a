#include "engine/SoundBankInstrument.h"

namespace engine
{

SoundBankInstrument::SoundBankInstrument(const SoundFontInstrument& record,
                                         const std::vector<std::unique_ptr<SoundBankSample>>& samples)
{
    for (size_t i = 0; i < record.zones.size(); ++i)
    {
        SoundBankZone zone(record.zones[i], SoundBankZone::Level::Instrument);
        if (zone.link() == SoundBankZone::kNoLink)
        {
            // Only the first zone may be global; a later zone without a sample is dropped.
            if (i == 0)
                global = std::make_unique<SoundBankZone>(std::move(zone));
            continue;
        }
        // The reader has checked that every sample reference exists.
        SoundBankSample* sample = samples[static_cast<size_t>(zone.link())].get();
        zoneList.insert(zoneList.begin(), Zone{std::move(zone), sample});
    }
}

} // namespace engine
