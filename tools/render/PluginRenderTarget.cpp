#include "render/PluginRenderTarget.h"

namespace render
{

void PluginRenderTarget::sendEvents(const ScheduledMessage* messages, size_t count)
{
    midi.clear();
    for (size_t i = 0; i < count; ++i)
    {
        const MidiMessage& m = messages[i].message;
        midi.push_back({host::VstInt32(messages[i].offset), m.status, m.data1, m.data2});
    }
    instance.sendMidi(midi);
}

void PluginRenderTarget::process(float* left, float* right, uint32_t frames)
{
    instance.processReplacing(left, right, host::VstInt32(frames));
}

} // namespace render
