#include "formathost/Lv2Instance.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/urid/urid.h>

#include <cstring>

#include "host/lv2/Lv2Ports.h"

using namespace host;

namespace formathost
{

namespace
{
LV2_State_Status storeValue(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                            uint32_t type, uint32_t)
{
    const auto* bytes = static_cast<const uint8_t*>(value);
    (*static_cast<Lv2State*>(handle))[key] = {type, std::vector<uint8_t>(bytes, bytes + size)};
    return LV2_STATE_SUCCESS;
}

const void* retrieveValue(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                          uint32_t* flags)
{
    const auto& state = *static_cast<const Lv2State*>(handle);
    const auto found = state.find(key);
    if (found == state.end())
        return nullptr;
    *size = found->second.bytes.size();
    *type = found->second.type;
    *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    return found->second.bytes.data();
}

const LV2_State_Interface* stateInterface(const LV2_Descriptor& plugin)
{
    return plugin.extension_data
               ? static_cast<const LV2_State_Interface*>(plugin.extension_data(LV2_STATE__interface))
               : nullptr;
}

void append(std::vector<uint8_t>& out, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
    // Atoms in a sequence start on 8-byte boundaries.
    out.resize((out.size() + 7) & ~static_cast<size_t>(7), 0);
}
} // namespace

Lv2Instance::Lv2Instance(const LV2_Descriptor& descriptor, Lv2UridMap& map, double rate, int maxBlock)
    : plugin(descriptor), uris(map), controls(lv2port::kCount, 0.0f), connected(lv2port::kCount, false)
{
    blockLength = maxBlock;
    if (maxBlock > 0)
        options.push_back({LV2_OPTIONS_INSTANCE, 0, uris.map(LV2_BUF_SIZE__maxBlockLength),
                           sizeof blockLength, uris.map(LV2_ATOM__Int), &blockLength});
    options.push_back({LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr});
    const LV2_Feature mapFeature{LV2_URID__map, uris.mapFeature()};
    const LV2_Feature unmapFeature{LV2_URID__unmap, uris.unmapFeature()};
    const LV2_Feature optionsFeature{LV2_OPTIONS__options, options.data()};
    const LV2_Feature* features[] = {&mapFeature, &unmapFeature, &optionsFeature, nullptr};
    handle = plugin.instantiate(&plugin, rate, "", features);
    if (!handle)
        return;
    plugin.connect_port(handle, lv2port::kLatency, &controls[lv2port::kLatency]);
    if (plugin.activate)
        plugin.activate(handle);
}

Lv2Instance::~Lv2Instance()
{
    if (!handle)
        return;
    if (plugin.deactivate)
        plugin.deactivate(handle);
    plugin.cleanup(handle);
}

float Lv2Instance::latency() const
{
    return controls[lv2port::kLatency];
}

void Lv2Instance::queueAtom(int64_t frame, uint32_t type, const std::vector<uint8_t>& body)
{
    queued.push_back({frame, {type, body}});
}

void Lv2Instance::run(float* left, float* right, int frames, const std::vector<Lv2Midi>& midi)
{
    connect(left, right, midi);
    runConnected(frames);
}

void Lv2Instance::connect(float* left, float* right, const std::vector<Lv2Midi>& midi)
{
    if (!handle)
        return;
    const uint32_t midiType = uris.map(LV2_MIDI__MidiEvent);
    sequence.clear();
    LV2_Atom_Sequence header{{0, uris.map(LV2_ATOM__Sequence)}, {0, 0}};
    append(sequence, &header, sizeof header);
    const auto addEvent = [this](int64_t frame, uint32_t type, const std::vector<uint8_t>& body)
    {
        LV2_Atom_Event event{};
        event.time.frames = frame;
        event.body.size = static_cast<uint32_t>(body.size());
        event.body.type = type;
        sequence.insert(sequence.end(), reinterpret_cast<const uint8_t*>(&event),
                        reinterpret_cast<const uint8_t*>(&event) + sizeof event);
        append(sequence, body.data(), body.size());
    };
    for (const auto& [frame, atom] : queued)
        addEvent(frame, atom.first, atom.second);
    queued.clear();
    for (const Lv2Midi& message : midi)
        addEvent(message.frame, midiType, message.bytes);
    reinterpret_cast<LV2_Atom_Sequence*>(sequence.data())->atom.size =
        static_cast<uint32_t>(sequence.size() - sizeof(LV2_Atom));
    plugin.connect_port(handle, lv2port::kMidiIn, sequence.data());
    plugin.connect_port(handle, lv2port::kLeftOut, left);
    plugin.connect_port(handle, lv2port::kRightOut, right);
    for (uint32_t port = lv2port::kFirstParameter; port < lv2port::kCount; ++port)
        plugin.connect_port(handle, port, connected[port] ? &controls[port] : nullptr);
}

void Lv2Instance::runConnected(int frames)
{
    if (handle)
        plugin.run(handle, static_cast<uint32_t>(frames));
}

bool Lv2Instance::save(Lv2State& state)
{
    const LV2_State_Interface* interface = stateInterface(plugin);
    return handle && interface && interface->save &&
           interface->save(handle, storeValue, &state, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr) ==
               LV2_STATE_SUCCESS;
}

LV2_State_Status Lv2Instance::restore(const Lv2State& state)
{
    const LV2_State_Interface* interface = stateInterface(plugin);
    if (!handle || !interface || !interface->restore)
        return LV2_STATE_ERR_UNKNOWN;
    return interface->restore(handle, retrieveValue, const_cast<Lv2State*>(&state),
                              LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
}

} // namespace formathost
