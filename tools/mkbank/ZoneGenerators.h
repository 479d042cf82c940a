#pragma once

#include <cstdint>

#include "engine/SoundFontData.h"

namespace mkbank
{

// Edits the generators and modulators of one zone while keeping the order the SoundFont 2 format
// requires: the key range first, then the velocity range, the instrument or sample id last.
class ZoneGenerators
{
public:
    explicit ZoneGenerators(engine::SoundFontZone& target) : zone(target) {}

    const engine::SoundFontGeneratorRecord* find(uint16_t oper) const;
    void set(uint16_t oper, uint16_t amount);
    // Adds delta to the signed amount (0 when absent), held within the 16-bit range.
    void add(uint16_t oper, int delta);
    // Limits the key range to 0..highest, adding one when the zone has none. False when the zone
    // only covers keys above highest and so has to go.
    bool limitKeyRange(uint8_t highest);
    // Takes over the global zone's generators and modulators that this zone does not override:
    // the zone then sounds the same without its global zone. Ranges stay the zone's own.
    void inherit(const engine::SoundFontZone& global);

    // A zone is local when it ends with its terminal generator (instrument or sample id).
    static bool isLocal(const engine::SoundFontZone& candidate, uint16_t terminal);
    static bool sameModulator(const engine::SoundFontModulatorRecord& a,
                              const engine::SoundFontModulatorRecord& b);

private:
    engine::SoundFontZone& zone;
};

} // namespace mkbank
