#include "instrument/PlayingInstrument.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

#include "engine/LoadWait.h"
#include "engine/SampleDataCache.h"

using namespace host;
using namespace instrument;

std::vector<VstMidiEvent> PlayingInstrument::echoed;

void PlayingInstrument::TearDown()
{
    synth.reset();
    echoed.clear();
    InstrumentFixture::TearDown();
}

VstIntPtr PlayingInstrument::echoHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
    if (opcode == audioMasterProcessEvents && ptr)
    {
        const auto* list = static_cast<const VstEvents*>(ptr);
        for (VstInt32 i = 0; i < list->numEvents; ++i)
            echoed.push_back(*reinterpret_cast<const VstMidiEvent*>(list->events[i]));
        return 1;
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

void PlayingInstrument::start(const std::vector<uint8_t>& bank)
{
    writeBeside("DAT", bank);
    startWithoutBank();
    ASSERT_TRUE(enginetest::WaitForLoadDone(engine::SampleDataCache::shared()));
    ASSERT_TRUE(synth->synthEngine()->hasSoundBank());
}

void PlayingInstrument::startWithoutBank()
{
    echoed.clear();
    synth = std::make_unique<VstXSynth>(echoHost);
    ASSERT_NE(synth->synthEngine(), nullptr);
    synth->synthEngine()->setEventObserver(record, this);
}

void PlayingInstrument::record(void* context, int type, int data1, int data2)
{
    auto* self = static_cast<PlayingInstrument*>(context);
    self->engineEvents.push_back(EngineEvent{type, data1, data2, self->framesCounted()});
}

VstEvents* PlayingInstrument::eventList(const std::vector<HostMidi>& events)
{
    return eventList(events, {});
}

VstEvents* PlayingInstrument::eventList(const std::vector<HostMidi>& events,
                                        const std::vector<HostDump>& dumps)
{
    listedMidi.assign(events.size(), VstMidiEvent{});
    listStorage.assign(sizeof(VstEvents) + (events.size() + dumps.size()) * sizeof(VstEvent*), 0);
    auto* header = reinterpret_cast<VstEvents*>(listStorage.data());
    for (size_t i = 0; i < events.size(); ++i)
    {
        VstMidiEvent& m = listedMidi[i];
        m.type = kVstMidiType;
        m.byteSize = sizeof m;
        m.deltaFrames = events[i].deltaFrames;
        m.midiData[0] = static_cast<char>(events[i].status);
        m.midiData[1] = static_cast<char>(events[i].data1);
        m.midiData[2] = static_cast<char>(events[i].data2);
        header->events[i] = reinterpret_cast<VstEvent*>(&m);
    }
    dumpCopies = dumps;
    listedDumps.assign(dumps.size(), VstMidiSysexEvent{});
    for (size_t i = 0; i < dumps.size(); ++i)
    {
        VstMidiSysexEvent& d = listedDumps[i];
        d.type = kVstSysExType;
        d.byteSize = sizeof d;
        d.deltaFrames = dumps[i].deltaFrames;
        d.dumpBytes = static_cast<VstInt32>(dumpCopies[i].bytes.size());
        d.sysexDump = reinterpret_cast<char*>(dumpCopies[i].bytes.data());
        header->events[events.size() + i] = reinterpret_cast<VstEvent*>(&d);
    }
    header->numEvents = static_cast<VstInt32>(events.size() + dumps.size());
    return header;
}

PlayingInstrument::Block PlayingInstrument::render(int frames, int blockFrames)
{
    const int block = blockFrames > 0 ? blockFrames : frames;
    Block all{std::vector<float>(static_cast<size_t>(frames)),
              std::vector<float>(static_cast<size_t>(frames))};
    for (int done = 0; done < frames; done += block)
    {
        float* outputs[2] = {all.left.data() + done, all.right.data() + done};
        synth->processReplacing(nullptr, outputs, std::min(block, frames - done));
    }
    return all;
}

double PlayingInstrument::Block::energy() const
{
    return std::inner_product(left.begin(), left.end(), left.begin(), 0.0) +
           std::inner_product(right.begin(), right.end(), right.begin(), 0.0);
}

float PlayingInstrument::Block::peak() const
{
    float found = 0.0f;
    for (const auto* channel : {&left, &right})
        for (float sample : *channel)
            found = std::max(found, std::fabs(sample));
    return found;
}

bool PlayingInstrument::Block::allZero() const
{
    const auto zero = [](float sample) { return sample == 0.0f; };
    return std::all_of(left.begin(), left.end(), zero) && std::all_of(right.begin(), right.end(), zero);
}

std::vector<EngineEvent>
PlayingInstrument::engineEventsWhere(const std::function<bool(const EngineEvent&)>& keep) const
{
    std::vector<EngineEvent> found;
    std::copy_if(engineEvents.begin(), engineEvents.end(), std::back_inserter(found), keep);
    return found;
}

std::vector<EngineEvent> PlayingInstrument::controllers(int number) const
{
    return engineEventsWhere([number](const EngineEvent& event)
                             { return event.type == kControl && event.data1 == number; });
}

PlayingInstrument::KeyFrames PlayingInstrument::keyFrames(int type) const
{
    KeyFrames found;
    for (const auto& event : engineEvents)
        if (event.type == type)
            found.emplace_back(event.data1, event.frame);
    return found;
}

void PlayingInstrument::countFrames()
{
    engineEvents.clear();
    frameBase = synth->synthEngine()->framesRendered();
}

long PlayingInstrument::framesCounted() const
{
    return static_cast<long>(synth->synthEngine()->framesRendered() - frameBase);
}
