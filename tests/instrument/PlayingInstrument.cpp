#include "instrument/PlayingInstrument.h"

#include <cmath>

#include "engine/SampleDataCache.h"
#include "platform/Platform.h"

using namespace host;
using namespace instrument;
using namespace piano;

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
    engine::SampleDataCache& cache = engine::SampleDataCache::shared();
    for (int i = 0; i < 6000 && !cache.loadDone(); ++i) // a minute at most
        platform::SleepMilliseconds(10);
    ASSERT_TRUE(cache.loadDone());
    ASSERT_TRUE(synth->synthEngine()->hasSoundBank());
}

void PlayingInstrument::startWithoutBank()
{
    echoed.clear();
    synth = std::make_unique<VstXSynth>(echoHost);
    observe();
}

void PlayingInstrument::observe()
{
    ASSERT_NE(synth->synthEngine(), nullptr);
    synth->synthEngine()->setEventObserver(record, this);
}

void PlayingInstrument::record(void* context, int type, int data1, int data2)
{
    auto* self = static_cast<PlayingInstrument*>(context);
    self->engineEvents.push_back(EngineEvent{type, data1, data2, self->frameClock ? self->frameClock() : -1});
}

void PlayingInstrument::sendHost(const std::vector<HostMidi>& events)
{
    std::vector<VstMidiEvent> midi(events.size());
    std::vector<unsigned char> list(sizeof(VstEvents) + events.size() * sizeof(VstEvent*), 0);
    auto* header = reinterpret_cast<VstEvents*>(list.data());
    header->numEvents = static_cast<VstInt32>(events.size());
    for (size_t i = 0; i < events.size(); ++i)
    {
        midi[i].type = kVstMidiType;
        midi[i].byteSize = sizeof(VstMidiEvent);
        midi[i].deltaFrames = events[i].deltaFrames;
        midi[i].midiData[0] = static_cast<char>(events[i].status);
        midi[i].midiData[1] = static_cast<char>(events[i].data1);
        midi[i].midiData[2] = static_cast<char>(events[i].data2);
        header->events[i] = reinterpret_cast<VstEvent*>(&midi[i]);
    }
    synth->processEvents(header);
}

PlayingInstrument::Block PlayingInstrument::render(int frames)
{
    Block block{std::vector<float>(static_cast<size_t>(frames)),
                std::vector<float>(static_cast<size_t>(frames))};
    float* outputs[2] = {block.left.data(), block.right.data()};
    synth->processReplacing(nullptr, outputs, frames);
    return block;
}

PlayingInstrument::Block PlayingInstrument::renderLong(int frames, int blockFrames)
{
    Block all;
    for (int done = 0; done < frames; done += blockFrames)
    {
        const Block block = render(std::min(blockFrames, frames - done));
        all.left.insert(all.left.end(), block.left.begin(), block.left.end());
        all.right.insert(all.right.end(), block.right.begin(), block.right.end());
    }
    return all;
}

double PlayingInstrument::Block::energy(size_t from) const
{
    double sum = 0.0;
    for (size_t i = from; i < left.size(); ++i)
        sum += static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    return sum;
}

bool PlayingInstrument::Block::allZero() const
{
    for (size_t i = 0; i < left.size(); ++i)
        if (left[i] != 0.0f || right[i] != 0.0f)
            return false;
    return true;
}

std::vector<EngineEvent> PlayingInstrument::ofType(int type) const
{
    std::vector<EngineEvent> found;
    for (const auto& event : engineEvents)
        if (event.type == type)
            found.push_back(event);
    return found;
}

std::vector<EngineEvent> PlayingInstrument::controllers(int number) const
{
    std::vector<EngineEvent> found;
    for (const auto& event : engineEvents)
        if (event.type == 0xB0 && event.data1 == number)
            found.push_back(event);
    return found;
}

void PlayingInstrument::startFrameClock()
{
    sendHost({{0, 0xB0, 64, 127}});
    render(1);
    ASSERT_TRUE(synth->resonance().active());
    engineEvents.clear();
    frameClock = [this] { return framesSincePress(); };
}

long PlayingInstrument::framesSincePress() const
{
    const ResonanceRamp& ramp = synth->resonance();
    return ramp.rate() > 0.0 ? std::lround(ramp.level() / ramp.rate()) : -1;
}
