// A stand-in instrument for the renderer's tests. It marks every MIDI message it receives in the audio at
// the message's frame (left = key / 128, right = velocity / 128), keeps twelve float settings as its
// 48-byte state (settings 0..10 are the parameters, 11 the program), and reports its sound bank ready on
// the third poll, or never when built with FAKE_BANK_NEVER_READY. Parameter 10 at 1 makes it emit NaN.
#include "host/VstInterface.h"

#include <cstring>
#include <limits>
#include <vector>

using namespace host;

namespace
{

struct FakeInstrument
{
    AEffect effect = {};
    float settings[12] = {};
    int program = 0;
    int bankPolls = 0;
    struct Pending
    {
        VstInt32 offset;
        uint8_t key, velocity;
    };
    std::vector<Pending> pending;
};

FakeInstrument* from(AEffect* effect)
{
    return static_cast<FakeInstrument*>(effect->object);
}

VstIntPtr dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    FakeInstrument* fake = from(effect);
    switch (opcode)
    {
    case effClose:
        delete fake;
        return 1;
    case effSetProgram:
        if (value >= 0 && value < effect->numPrograms)
        {
            fake->program = int(value);
            fake->settings[11] = float(value);
        }
        return 0;
    case effGetProgram:
        return fake->program;
    case effGetChunk:
        *static_cast<void**>(ptr) = fake->settings;
        return sizeof fake->settings;
    case effSetChunk:
        if (!ptr || value != VstIntPtr(sizeof fake->settings))
            return 0;
        std::memcpy(fake->settings, ptr, sizeof fake->settings);
        return value;
    case effProcessEvents:
    {
        const auto* list = static_cast<const VstEvents*>(ptr);
        for (VstInt32 i = 0; i < list->numEvents; ++i)
        {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(list->events[i]);
            fake->pending.push_back(
                {midi->deltaFrames, uint8_t(midi->midiData[1]), uint8_t(midi->midiData[2])});
        }
        return 1;
    }
    case effVendorSpecific:
#ifdef FAKE_BANK_NEVER_READY
        return 0;
#else
        return index == 1004 && ++fake->bankPolls >= 3 ? 1 : 0;
#endif
    default:
        return 0;
    }
}

void setParameter(AEffect* effect, VstInt32 index, float value)
{
    if (index >= 0 && index < 11)
        from(effect)->settings[index] = value;
}

float getParameter(AEffect* effect, VstInt32 index)
{
    return index >= 0 && index < 11 ? from(effect)->settings[index] : 0.0f;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames)
{
    FakeInstrument* fake = from(effect);
    std::memset(outputs[0], 0, sizeof(float) * size_t(frames));
    std::memset(outputs[1], 0, sizeof(float) * size_t(frames));
    for (const FakeInstrument::Pending& p : fake->pending)
    {
        // An offset outside the block is a host fault; make it loud.
        const VstInt32 at = p.offset >= 0 && p.offset < frames ? p.offset : 0;
        outputs[0][at] += p.offset == at ? p.key / 128.0f : 100.0f;
        outputs[1][at] += p.velocity / 128.0f;
    }
    fake->pending.clear();
    // Parameter 10 at full scale stands for an instrument fault.
    if (fake->settings[10] >= 1.0f)
        outputs[0][0] = std::numeric_limits<float>::quiet_NaN();
}

} // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host)
{
    if (!host || host(nullptr, 1 /* audioMasterVersion */, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    auto* fake = new FakeInstrument;
    AEffect& e = fake->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.numPrograms = 4;
    e.numParams = 11;
    e.numOutputs = 2;
    e.flags = effFlagsCanReplacing | effFlagsIsSynth;
    e.object = fake;
    e.uniqueID = FourCC('F', 'a', 'k', 'e');
    e.processReplacing = processReplacing;
    return &e;
}
