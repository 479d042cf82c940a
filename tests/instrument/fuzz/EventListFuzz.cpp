// libFuzzer target: any bytes as a host's event lists, MIDI events and system-exclusive dumps (tuning
// messages among them, whole or damaged) at any offset, with the editor's keys between them, in blocks the
// host gives a list or none. The instrument must take every list and render finite audio. One instance,
// with a sound bank of one tone, serves every input, so tunings build up from input to input.
//
// Input: one byte of block flags, then events until the input ends, each a kind byte and a 16-bit offset:
//   kind 0x80..0xFF  a MIDI event of that status and the next two bytes;
//   kind 0x00..0x7F  a dump of the next (kind << 8 | next byte) bytes, or of the rest when fewer are left.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "instrument/PianoTestBanks.h"
#include "instrument/VstXSynth.h"
#include "instrument/fuzz/FuzzedInstrument.h"

using namespace host;
using namespace instrument;
using instrumenttest::FuzzCheck;

namespace
{
constexpr int kBlockFrames = 128;
constexpr size_t kMaxEvents = 256;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static instrumenttest::FuzzedInstrument instrument("events", instrumenttest::TunedBank(), kBlockFrames);
    VstXSynth& synth = instrument.synth();
    if (size == 0)
        return 0;
    const uint8_t flags = data[0];

    std::vector<VstMidiEvent> midi;
    std::vector<VstMidiSysexEvent> dumps;
    std::vector<std::vector<char>> dumpBytes;
    midi.reserve(kMaxEvents);
    dumps.reserve(kMaxEvents);
    dumpBytes.reserve(kMaxEvents);
    std::vector<VstEvent*> order;
    size_t at = 1;
    while (at + 3 <= size && order.size() < kMaxEvents)
    {
        const uint8_t kind = data[at];
        const auto offset = static_cast<VstInt32>(data[at + 1] | data[at + 2] << 8);
        at += 3;
        if (kind & 0x80)
        {
            VstMidiEvent event{};
            event.type = kVstMidiType;
            event.byteSize = sizeof event;
            event.deltaFrames = offset;
            event.midiData[0] = static_cast<char>(kind);
            for (int i = 1; i < 3 && at < size; ++i)
                event.midiData[i] = static_cast<char>(data[at++]);
            midi.push_back(event);
            order.push_back(reinterpret_cast<VstEvent*>(&midi.back()));
            continue;
        }
        size_t length = static_cast<size_t>(kind) << 8 | (at < size ? data[at++] : 0);
        length = std::min(length, size - at);
        // Each dump in storage of its own size, so that reading past it is caught.
        dumpBytes.emplace_back(data + at, data + at + length);
        at += length;
        VstMidiSysexEvent dump{};
        dump.type = kVstSysExType;
        dump.byteSize = sizeof dump;
        dump.deltaFrames = offset;
        dump.dumpBytes = static_cast<VstInt32>(length);
        dump.sysexDump = dumpBytes.back().data();
        dumps.push_back(dump);
        order.push_back(reinterpret_cast<VstEvent*>(&dumps.back()));
    }
    std::vector<unsigned char> list(sizeof(VstEvents) + (order.size() + 2) * sizeof(VstEvent*));
    auto* events = reinterpret_cast<VstEvents*>(list.data());
    events->numEvents = static_cast<VstInt32>(order.size());
    // The record declares two slots; the list has as many as it needs.
    VstEvent** slots = events->events;
    for (size_t i = 0; i < order.size(); ++i)
        slots[i] = order[i];

    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    float* outputs[2] = {left.data(), right.data()};
    if (flags & 1)
        synth.keyPressed(60 + flags % 24, 100);
    // The list's block, given its events or (as some hosts do) not, then a block without.
    if (!(flags & 2))
        synth.processEvents(events);
    for (int block = 0; block < 2; ++block)
    {
        synth.processReplacing(nullptr, outputs, kBlockFrames);
        for (int i = 0; i < kBlockFrames; ++i)
            FuzzCheck(std::isfinite(left[static_cast<size_t>(i)]) &&
                      std::isfinite(right[static_cast<size_t>(i)]));
        if (flags & 1)
            synth.keyReleased(60 + flags % 24, 0);
    }
    return 0;
}
