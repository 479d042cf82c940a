// libFuzzer target: any bytes given to the SoundFont reader either parse or fail, never read
// outside the input; parsed zones go through the loader's generator and modulator rules, which make the
// synthesizer library's modulators, so the library is made usable first, as an instance does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/FluidSynthLibrary.h"
#include "engine/MemoryByteSource.h"
#include "engine/SoundBankModulatorList.h"
#include "engine/SoundBankZone.h"
#include "engine/SoundFontReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool usable = []
    {
        std::string report;
        return engine::FluidSynthLibrary::load("", report);
    }();
    if (!usable)
        std::abort();
    engine::MemoryByteSource source(data, size);
    engine::SoundFontReader reader;
    engine::SoundFontData bank;
    if (!reader.read(source, bank))
        return 0;
    for (const auto& preset : bank.presets)
    {
        for (const auto& zone : preset.zones)
        {
            engine::SoundBankZone built(zone, engine::SoundBankZone::Level::Preset);
            (void)built.contains(60, 100);
        }
    }
    for (const auto& instrument : bank.instruments)
    {
        for (const auto& zone : instrument.zones)
        {
            engine::SoundBankZone built(zone, engine::SoundBankZone::Level::Instrument);
            (void)built.contains(60, 100);
        }
    }
    return 0;
}
