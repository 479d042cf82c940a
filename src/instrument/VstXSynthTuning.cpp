// Tuning from the sequencer: the host's system-exclusive dumps that are tuning messages for the piano are
// copied into the block's own storage when the events are merged, and each retunes the engine when the
// block reaches its frame. The piano's keys 21..108 take the pitches; the noise keys keep theirs. No
// controller resets the tuning, "reset all controllers" neither: it is not a controller.
#include <algorithm>

#include "instrument/VstXSynth.h"

using namespace host;
using namespace piano;

namespace instrument
{

bool VstXSynth::takeDump(const VstMidiSysexEvent& event, int32_t& message)
{
    const int length = event.dumpBytes;
    if (!event.sysexDump || length <= 0 || length > TuningMessage::kMaxBytes)
        return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(event.sysexDump);
    if (!tuningMessage.read(bytes, length))
        return false;
    if (dumps.size() >= dumps.capacity() ||
        dumpBytes.size() + static_cast<size_t>(length) > dumpBytes.capacity())
        return false;
    message = static_cast<int32_t>(kDumpEvent | static_cast<uint32_t>(dumps.size()) << 8);
    dumps.push_back(DumpPlace{static_cast<int>(dumpBytes.size()), length});
    dumpBytes.insert(dumpBytes.end(), bytes, bytes + length);
    return true;
}

void VstXSynth::handleDump(int index)
{
    if (!engine || index < 0 || static_cast<size_t>(index) >= dumps.size())
        return;
    const DumpPlace& place = dumps[static_cast<size_t>(index)];
    if (!tuningMessage.read(dumpBytes.data() + place.start, place.length))
        return;
    const TuningMessage& tuning = tuningMessage;
    int count = 0;
    switch (tuning.kind)
    {
    case TuningMessage::Kind::KeyPitches:
        for (int i = 0; i < tuning.keyCount; ++i)
            if (tuning.keys[i] >= kLowestKey && tuning.keys[i] <= kHighestKey)
            {
                tunedKeys[count] = tuning.keys[i];
                tunedCents[count++] = tuning.keyCents[i];
            }
        break;
    case TuningMessage::Kind::Octave:
        for (int key = kLowestKey; key <= kHighestKey; ++key)
        {
            tunedKeys[count] = static_cast<uint8_t>(key);
            tunedCents[count++] = 100.0 * key + tuning.octaveCents[key % 12];
        }
        break;
    case TuningMessage::Kind::MasterFine:
        engine->setMasterFine(tuning.masterCents);
        break;
    case TuningMessage::Kind::MasterCoarse:
        engine->setMasterCoarse(tuning.masterSemitones);
        break;
    case TuningMessage::Kind::None:
        break;
    }
    if (count > 0)
        engine->tuneKeys(count, tunedKeys, tunedCents, tuning.sounding);
}

} // namespace instrument
