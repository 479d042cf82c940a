#include "host/StandInInstrument.h"

#include <algorithm>
#include <cstring>

using namespace host;

namespace hosttest
{

namespace
{
StandInInstrument& of(AEffect* e)
{
    return *static_cast<StandInInstrument*>(e->object);
}

VstIntPtr VSTCALLBACK dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt)
{
    StandInInstrument& self = of(e);
    self.opcodes.push_back(opcode);
    switch (opcode)
    {
    case effClose:
        self.closed = true;
        return 1;
    case effSetBlockSize:
        self.blockSize = static_cast<int>(value);
        return 0;
    case effSetSampleRate:
    {
        const auto delay = static_cast<VstInt32>(opt * 0.005f);
        if (self.effect.initialDelay != delay && self.master)
        {
            self.effect.initialDelay = delay;
            self.callHost(audioMasterIOChanged);
        }
        return 0;
    }
    case effProcessEvents:
    {
        auto* list = static_cast<VstEvents*>(ptr);
        for (VstInt32 i = 0; i < list->numEvents; ++i)
        {
            const int piece = static_cast<int>(self.pieces.size());
            if (list->events[i]->type == kVstSysExType)
            {
                const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(list->events[i]);
                const auto* bytes = reinterpret_cast<const unsigned char*>(sysex->sysexDump);
                self.events.push_back(
                    {piece, sysex->deltaFrames, 0xF0, 0, {bytes, bytes + sysex->dumpBytes}});
                continue;
            }
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(list->events[i]);
            self.events.push_back({piece,
                                   midi->deltaFrames,
                                   static_cast<unsigned char>(midi->midiData[0]),
                                   static_cast<unsigned char>(midi->midiData[1]),
                                   {}});
        }
        return 1;
    }
    case effGetChunk:
        *static_cast<void**>(ptr) = self.chunk;
        return sizeof self.chunk;
    case effSetChunk:
        std::memcpy(self.chunk, ptr, sizeof self.chunk);
        ++self.chunksTaken;
        return value;
    case effGetProgramNameIndexed:
        if (index >= 2)
            return 0;
        std::strcpy(static_cast<char*>(ptr), index == 0 ? "First" : "Second");
        return 1;
    case effGetParamName:
        std::strcpy(static_cast<char*>(ptr), "Knob");
        return 0;
    case effEditGetRect:
    {
        static ERect rect{0, 0, 576, 800};
        *static_cast<ERect**>(ptr) = &rect;
        return 1;
    }
    case effEditOpen:
        return 1;
    default:
        return 0;
    }
}

void VSTCALLBACK process(AEffect* e, float**, float** outputs, VstInt32 frames)
{
    of(e).pieces.push_back(frames);
    for (VstInt32 i = 0; i < frames; ++i)
        outputs[0][i] = outputs[1][i] = 1.0f;
}

void VSTCALLBACK setParameterOf(AEffect* e, VstInt32 index, float value)
{
    of(e).parametersSet.emplace_back(index, value);
    of(e).values[index] = value;
}

float VSTCALLBACK getParameterOf(AEffect* e, VstInt32 index)
{
    return of(e).values[index];
}

AEffect* VSTCALLBACK create(audioMasterCallback master)
{
    StandInInstrument* made = StandInInstrument::standIn;
    if (!made)
        return nullptr;
    made->master = master;
    made->rateAtCreation =
        static_cast<double>(master(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f));
    return &made->effect;
}

bool shapeOf(int index, ParameterShape& shape)
{
    shape.steps = index == 0 ? 4 : 0;
    shape.displayMaximum = index == 0 ? 3 : 100;
    shape.stepNames = index == 0 ? std::vector<std::string>{"A", "B", "C", "D"} : std::vector<std::string>{};
    return index >= 0 && index < 3;
}
} // namespace

StandInInstrument* StandInInstrument::standIn = nullptr;

StandInInstrument::StandInInstrument()
{
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatch;
    effect.processReplacing = process;
    effect.setParameter = setParameterOf;
    effect.getParameter = getParameterOf;
    effect.numParams = 3;
    effect.numPrograms = 2;
    effect.flags = effFlagsHasEditor;
    effect.object = this;
}

VstIntPtr StandInInstrument::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return master(&effect, opcode, index, value, ptr, opt);
}

int StandInInstrument::count(VstInt32 opcode) const
{
    return static_cast<int>(std::count(opcodes.begin(), opcodes.end(), opcode));
}

InstrumentEntry StandInInstrument::entry()
{
    return InstrumentEntry{create, shapeOf};
}

} // namespace hosttest
