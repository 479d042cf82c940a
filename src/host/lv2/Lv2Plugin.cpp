#include "host/lv2/Lv2Plugin.h"

#include <lv2/atom/util.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "host/lv2/Lv2Features.h"
#include "resources/Log.h"

namespace host
{

namespace
{
// The block length the host's options promise: its maximum, else its usual length, else 0.
int blockLengthOption(const LV2_Options_Option* options, const Lv2Urids& uris)
{
    int nominal = 0;
    for (const LV2_Options_Option* option = options; option && option->key != 0; ++option)
    {
        if (option->type != uris.atomInt || option->size != sizeof(int32_t) || !option->value)
            continue;
        int32_t value = 0;
        std::memcpy(&value, option->value, sizeof value);
        if (option->key == uris.maxBlockLength)
            return value;
        if (option->key == uris.nominalBlockLength)
            nominal = value;
    }
    return nominal;
}

constexpr uint32_t kStateFlags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
} // namespace

Lv2Plugin::Lv2Plugin(const LV2_URID_Map& map) : driver(*this), transport(uris)
{
    uris.map(map);
    for (float& value : taken)
        value = std::numeric_limits<float>::quiet_NaN();
}

Lv2Plugin::~Lv2Plugin() = default;

Lv2Plugin* Lv2Plugin::create(const InstrumentEntry& entry, double rate, const LV2_Feature* const* features)
{
    const auto* map = static_cast<const LV2_URID_Map*>(Lv2FeatureData(features, LV2_URID__map));
    if (!map || !map->map)
        return nullptr;
    std::unique_ptr<Lv2Plugin> plugin(new (std::nothrow) Lv2Plugin(*map));
    if (!plugin)
        return nullptr;
    const auto* options =
        static_cast<const LV2_Options_Option*>(Lv2FeatureData(features, LV2_OPTIONS__options));
    if (!plugin->driver.open(entry, rate, blockLengthOption(options, plugin->uris)))
        return nullptr;
    plugin->reportedLatency.store(plugin->driver.latency());
    return plugin.release();
}

void Lv2Plugin::connect(uint32_t port, void* data)
{
    if (port < lv2port::kCount)
        ports[port] = data;
}

void Lv2Plugin::activate()
{
    driver.setActive(true);
}

void Lv2Plugin::deactivate()
{
    driver.setActive(false);
}

void Lv2Plugin::run(uint32_t frames)
{
    readControls();
    const int blockFrames = frames > static_cast<uint32_t>(INT_MAX) ? 0 : static_cast<int>(frames);
    driver.beginBlock(blockFrames);
    readEvents(frames);
    driver.setTransport(transport.info());
    driver.render(static_cast<float*>(ports[lv2port::kLeftOut]),
                  static_cast<float*>(ports[lv2port::kRightOut]));
    transport.advance(blockFrames, driver.sampleRate());
    if (auto* latency = static_cast<float*>(ports[lv2port::kLatency]))
        *latency = static_cast<float>(reportedLatency.load(std::memory_order_relaxed));
}

void Lv2Plugin::readControls()
{
    for (uint32_t i = 0; i < lv2port::kParameterCount; ++i)
    {
        const auto* port = static_cast<const float*>(ports[lv2port::kFirstParameter + i]);
        const InstrumentParameter* info = driver.parameter(static_cast<int>(i));
        if (!port || !info)
            continue;
        const float value = *port;
        // A value that is not a number is never taken; an unchanged one would undo a restored state.
        if (!std::isfinite(value) || value == taken[i])
            continue;
        taken[i] = value;
        driver.setParameter(static_cast<int>(i), info->valueOf(value));
    }
}

void Lv2Plugin::readEvents(uint32_t frames)
{
    const auto* sequence = static_cast<const LV2_Atom_Sequence*>(ports[lv2port::kMidiIn]);
    if (!sequence)
        return;
    LV2_ATOM_SEQUENCE_FOREACH(sequence, event)
    {
        if (event->body.type == uris.midiEvent)
        {
            const auto* bytes = reinterpret_cast<const uint8_t*>(event + 1);
            const uint32_t size = event->body.size;
            const int64_t frame = event->time.frames;
            const int at = frame < 0 || frame > INT_MAX ? -1 : static_cast<int>(frame);
            // Channel messages and system-exclusive dumps (tuning), as the instrument reads them; other
            // system messages are passed over.
            if (size > 0 && bytes[0] == 0xF0)
                driver.addSysex(at, bytes, size);
            else if (size > 0 && bytes[0] >= 0x80 && bytes[0] < 0xF0)
                driver.addMidi(at, bytes[0], size > 1 ? bytes[1] : 0, size > 2 ? bytes[2] : 0);
        }
        else if (event->body.type == uris.atomObject || event->body.type == uris.atomBlank)
        {
            transport.read(reinterpret_cast<const LV2_Atom_Object*>(&event->body));
        }
    }
}

LV2_State_Status Lv2Plugin::save(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    const std::vector<uint8_t> chunk = driver.state();
    if (!store || chunk.empty())
        return LV2_STATE_ERR_UNKNOWN;
    // An instrument without programs has no program to come back to.
    if (driver.programCount() > 0)
    {
        const int32_t program = driver.program();
        store(handle, uris.stateProgram, &program, sizeof program, uris.atomInt, kStateFlags);
    }
    return static_cast<LV2_State_Status>(
        store(handle, uris.stateChunk, chunk.data(), chunk.size(), uris.atomChunk, kStateFlags));
}

LV2_State_Status Lv2Plugin::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    if (!retrieve)
        return LV2_STATE_ERR_UNKNOWN;
    size_t programSize = 0;
    size_t chunkSize = 0;
    uint32_t programType = 0;
    uint32_t chunkType = 0;
    uint32_t flags = 0;
    const void* program = retrieve(handle, uris.stateProgram, &programSize, &programType, &flags);
    const void* chunk = retrieve(handle, uris.stateChunk, &chunkSize, &chunkType, &flags);
    if (!program && !chunk)
        return LV2_STATE_ERR_NO_PROPERTY;
    // Everything is checked before anything is changed.
    int32_t wanted = -1;
    if (program)
    {
        if (programType != uris.atomInt || programSize != sizeof wanted)
        {
            resources::LogLine("A saved LV2 state was refused: its program is not a 32-bit integer.");
            return LV2_STATE_ERR_BAD_TYPE;
        }
        std::memcpy(&wanted, program, sizeof wanted);
        if (driver.programCount() == 0)
        {
            resources::LogFormatted("The saved program %d is passed over: the instrument has no programs.",
                                    static_cast<int>(wanted));
            wanted = -1;
        }
        else if (wanted < 0 || wanted >= driver.programCount())
        {
            resources::LogFormatted("A saved LV2 state was refused: program %d of %d.",
                                    static_cast<int>(wanted), driver.programCount());
            return LV2_STATE_ERR_UNKNOWN;
        }
    }
    if (chunk && chunkType != uris.atomChunk)
    {
        resources::LogLine("A saved LV2 state was refused: its chunk is not an atom:Chunk.");
        return LV2_STATE_ERR_BAD_TYPE;
    }
    if (chunk && !driver.stateAcceptable(static_cast<const uint8_t*>(chunk), chunkSize))
        return LV2_STATE_ERR_UNKNOWN;
    if (wanted >= 0)
        driver.setProgram(wanted);
    if (chunk)
        driver.setState(static_cast<const uint8_t*>(chunk), chunkSize);
    return LV2_STATE_SUCCESS;
}

void Lv2Plugin::parameterEdited(int index, float value)
{
    Lv2EditorLink* link = editor.load();
    const InstrumentParameter* info = driver.parameter(index);
    if (link && info)
        link->writePort(lv2port::kFirstParameter + static_cast<uint32_t>(index),
                        static_cast<float>(info->plainOf(value)));
}

void Lv2Plugin::latencyChanged(int frames)
{
    reportedLatency.store(frames, std::memory_order_relaxed);
}

bool Lv2Plugin::resizeEditor(int width, int height)
{
    Lv2EditorLink* link = editor.load();
    return link && link->resize(width, height);
}

} // namespace host
