// MIDI from the host and from the editor: merged in time order for the coming block, the editor's notes
// echoed to the host, and each message handled at its frame offset.
#include <algorithm>
#include <cstring>

#include "instrument/VstXSynth.h"
#include "instrument/programs/SettingsLimits.h"
#include "piano/DamperCurve.h"
#include "piano/PianoNoises.h"
#include "platform/Platform.h"

using namespace host;
using namespace piano;

namespace instrument
{

namespace
{
constexpr uint8_t kNoteOff = MidiMessage::kNoteOff;
constexpr uint8_t kNoteOn = MidiMessage::kNoteOn;
constexpr uint8_t kControlChange = MidiMessage::kControlChange;

bool isNoteOutsideKeyboard(int32_t message)
{
    const MidiMessage unpacked = MidiMessage::unpack(message);
    const int status = unpacked.status & 0xf0;
    const int key = unpacked.data1 & 0x7f;
    return (status == kNoteOn || status == kNoteOff) && (key < kLowestKey || key > kHighestKey);
}

int32_t packedMidi(const VstMidiEvent& event)
{
    // The status and two data bytes; the fourth byte is not part of the message.
    uint32_t message = 0;
    for (int i = 0; i < 3; ++i)
        message |= static_cast<uint32_t>(static_cast<uint8_t>(event.midiData[i])) << (8 * i);
    return static_cast<int32_t>(message);
}
} // namespace

VstInt32 VstXSynth::processEvents(VstEvents* events)
{
    mergeEvents(events);
    return 1;
}

void VstXSynth::mergeEvents(VstEvents* events)
{
    eventsMerged = true;
    const int lastFrame = std::max(blockSize - 1, 0);
    const VstInt32 hostListed = events ? std::max(events->numEvents, 0) : 0;
    // The record declares two slots; a host's list has as many as it holds events.
    VstEvent* const* listed = events ? events->events : nullptr;
    // Every list below was sized ahead for a block's events; what does not fit is dropped rather than
    // allocated for on the audio thread.
    const size_t capacity = blockEvents.capacity();

    // MIDI events are read as MIDI and the tuning messages among the dumps stand for themselves; other
    // events and dumps are passed over.
    hostEvents.clear();
    for (VstInt32 i = 0; i < hostListed && hostEvents.size() < capacity; ++i)
    {
        const VstEvent* event = listed[i];
        int32_t message = 0;
        if (event && event->type == kVstMidiType)
            message = packedMidi(*reinterpret_cast<const VstMidiEvent*>(event));
        else if (!event || event->type != kVstSysExType ||
                 !takeDump(*reinterpret_cast<const VstMidiSysexEvent*>(event), message))
            continue;
        hostEvents.push_back(EventQueueEntry{event->deltaFrames, message});
    }
    const int hostCount = static_cast<int>(hostEvents.size());

    // The editor's events are taken out in one drain, so that its lock is held for no more than that; what
    // does not fit into this block waits in the queue for the next one.
    const size_t taken = static_cast<size_t>(blockEventCount + hostCount);
    const size_t room = capacity > taken ? capacity - taken : 0;
    drainedEvents.clear();
    if (guiEvents)
    {
        guiEvents->Lock();
        const int queued = guiEvents->Count();
        for (int i = 0; i < queued && drainedEvents.size() < room; ++i)
            drainedEvents.push_back(guiEvents->At(i));
        guiEvents->RemoveFirst(static_cast<int>(drainedEvents.size()));
        lastDrainTime = platform::TimeGetTime();
        guiEvents->Unlock();
    }

    const int queueCount = static_cast<int>(drainedEvents.size());
    if (hostCount + queueCount == 0)
        return;

    if (queueCount > 0)
    {
        echoEvents.clear();
        for (const GuiEvent& entry : drainedEvents)
        {
            const auto message = static_cast<int32_t>(entry.message);
            if (isNoteOutsideKeyboard(message))
                continue;
            VstMidiEvent midi{};
            midi.type = kVstMidiType;
            midi.byteSize = sizeof(VstMidiEvent);
            midi.deltaFrames = std::clamp(entry.frameOffset, 0, lastFrame);
            for (int b = 0; b < 4; ++b)
                midi.midiData[b] = static_cast<char>((entry.message >> (8 * b)) & 0xff);
            echoEvents.push_back(midi);
        }
        if (!echoEvents.empty())
        {
            // VstEvents declares room for two pointers; the list is as long as it needs to be.
            const size_t slots = std::max<size_t>(echoEvents.size(), 2);
            echoList.assign(sizeof(VstEvents) + (slots - 2) * sizeof(VstEvent*), 0);
            auto* list = reinterpret_cast<VstEvents*>(echoList.data());
            list->numEvents = static_cast<VstInt32>(echoEvents.size());
            VstEvent** listedEcho = list->events;
            for (size_t i = 0; i < echoEvents.size(); ++i)
                listedEcho[i] = reinterpret_cast<VstEvent*>(&echoEvents[i]);
            sendVstEventsToHost(list);
        }
    }

    // Two-way merge in time order, the host's event first on equal offsets.
    mergeScratch.clear();
    int h = 0;
    int q = 0;
    while ((h < hostCount || q < queueCount) && mergeScratch.size() < capacity)
    {
        const EventQueueEntry* host = h < hostCount ? &hostEvents[static_cast<size_t>(h)] : nullptr;
        if (host &&
            (q >= queueCount || host->frameOffset <= drainedEvents[static_cast<size_t>(q)].frameOffset))
        {
            mergeScratch.push_back(EventQueueEntry{std::min(host->frameOffset, lastFrame), host->message});
            ++h;
        }
        else
        {
            const GuiEvent& entry = drainedEvents[static_cast<size_t>(q++)];
            mergeScratch.push_back(
                EventQueueEntry{std::min(entry.frameOffset, lastFrame), static_cast<int32_t>(entry.message)});
        }
    }
    appendEvents(mergeScratch.data(), static_cast<int>(mergeScratch.size()));
}

void VstXSynth::appendEvents(const EventQueueEntry* events, int count)
{
    // Events of an earlier call for the same block stay: a lost note-off would be a stuck note. The later
    // call's events go in time order behind those with the same or an earlier offset, while there is room.
    blockEvents.resize(static_cast<size_t>(blockEventCount));
    for (int i = 0; i < count && blockEvents.size() < blockEvents.capacity(); ++i)
    {
        auto at = std::upper_bound(blockEvents.begin(), blockEvents.end(), events[i],
                                   [](const EventQueueEntry& a, const EventQueueEntry& b)
                                   { return a.frameOffset < b.frameOffset; });
        blockEvents.insert(at, events[i]);
    }
    blockEventCount = static_cast<int>(blockEvents.size());
}

void VstXSynth::handleEvent(int32_t message)
{
    const auto bits = static_cast<uint32_t>(message);
    if ((bits & kDumpEventMask) == kDumpEvent)
    {
        handleDump(static_cast<int>((bits >> 8) & 0xffff));
        return;
    }
    const MidiMessage unpacked = MidiMessage::unpack(message);
    const int status = unpacked.status & 0xf0;
    const int data1 = unpacked.data1 & 0x7f;
    const int data2 = unpacked.data2 & 0x7f;
    switch (status)
    {
    case kNoteOn:
        if (data2 == 0)
            noteOff(data1, 0);
        else
            noteOn(data1, data2);
        break;
    case kNoteOff:
        noteOff(data1, data2);
        break;
    case kControlChange:
        controlChange(data1, data2);
        break;
    default:
        break;
    }
}

void VstXSynth::noteOn(int key, int velocity)
{
    if (key < kLowestKey || key > kHighestKey)
        return;
    keyDown[key - kLowestKey].store(1, std::memory_order_relaxed);
    displayChanged.store(1, std::memory_order_relaxed);
    sostenuto.keyStruck(key);
    sendToEngine(MidiMessage::make(kNoteOn, key, velocityTable.map(velocity, isSoftDown())));
}

void VstXSynth::noteOff(int key, int velocity)
{
    if (key < kLowestKey || key > kHighestKey)
        return;
    keyDown[key - kLowestKey].store(0, std::memory_order_relaxed);
    displayChanged.store(1, std::memory_order_relaxed);
    // A note the middle pedal holds ends, with its noise, when the pedal comes up.
    if (!sostenuto.holdsRelease(key))
        endNote(key, velocity);
}

void VstXSynth::endNote(int key, int velocity)
{
    sendToEngine(MidiMessage::make(kNoteOff, key, velocity));
    const PianoNoises::Messages noise = PianoNoises::keyReleased(key, applied.hammerAmount);
    for (int i = 0; i < noise.count; ++i)
        sendToEngine(noise.message[i]);
}

void VstXSynth::controlChange(int controller, int value)
{
    const double fraction = value / 127.0;
    switch (controller)
    {
    case MidiMessage::kVolume:
        setRequestedAmount(&PianoSettings::volume, static_cast<float>(fraction));
        break;
    case MidiMessage::kSustain:
        sustainChange(value);
        break;
    case MidiMessage::kSostenuto:
        sostenutoChange(value);
        break;
    case MidiMessage::kSoftPedal:
        softDown.store(value > 63 ? 1 : 0, std::memory_order_relaxed);
        displayChanged.store(1, std::memory_order_relaxed);
        break;
    case MidiMessage::kResonance:
        setRequestedAmount(&PianoSettings::sympatheticResonance, static_cast<float>(fraction));
        break;
    case MidiMessage::kHammer:
        setRequestedAmount(&PianoSettings::hammerAmount, static_cast<float>(fraction));
        break;
    case MidiMessage::kBassGain:
    case MidiMessage::kMidGain:
    case MidiMessage::kHighGain:
    {
        // The centre of the controller's range is exactly unity gain.
        const float gain = value == 63 ? 1.0f : static_cast<float>(fraction * 2.0);
        float PianoSettings::*field = controller == MidiMessage::kBassGain  ? &PianoSettings::bassGain
                                      : controller == MidiMessage::kMidGain ? &PianoSettings::midGain
                                                                            : &PianoSettings::highGain;
        setRequestedAmount(field, gain);
        break;
    }
    case MidiMessage::kReverb:
        setRequestedAmount(&PianoSettings::reverbAmount, static_cast<float>(fraction));
        break;
    case MidiMessage::kChorus:
        setRequestedAmount(&PianoSettings::chorus, static_cast<float>(fraction));
        break;
    case MidiMessage::kResetAllControllers:
        // Only the pedals are controllers of the performance here: volume, tone and effect settings stay.
        // The engine does not get the message, which would also reset the instrument's own controllers.
        if (sustainValue > DamperCurve::kRestingValue)
            sustainChange(0);
        if (sostenuto.isDown())
            sostenutoChange(0);
        softDown.store(0, std::memory_order_relaxed);
        displayChanged.store(1, std::memory_order_relaxed);
        break;
    case MidiMessage::kAllSoundOff: // the engine ends every voice at once, pedalled ones too
    case MidiMessage::kAllNotesOff:
        for (auto& key : keyDown)
            key.store(0, std::memory_order_relaxed);
        sostenuto.allKeysUp();
        displayChanged.store(1, std::memory_order_relaxed);
        sendToEngine(MidiMessage::make(kControlChange, controller, value));
        break;
    default:
        break;
    }
}

void VstXSynth::sustainChange(int value)
{
    sendToEngine(MidiMessage::make(kControlChange, MidiMessage::kSustain, value));
    const bool wasDown = isSustainDown();
    // Below fully down the dampers rest on the strings as far as the pedal lets them: released notes, the
    // strings' resonance and the dampers' noise follow it.
    const float damping = DamperCurve::damping(value);
    if (value >= DamperCurve::kLiftedValue)
    {
        if (applied.sympatheticResonance > 0.0f)
            resonanceRamp.press(sampleRate, applied.sympatheticResonance);
        const PianoNoises::Messages noise = PianoNoises::pedalPressed(applied.hammerAmount, wasDown);
        for (int i = 0; i < noise.count; ++i)
            sendToEngine(noise.message[i]);
        sustainDown.store(1, std::memory_order_relaxed);
    }
    else
    {
        if (damping < 1.0f)
            resonanceRamp.hold(sampleRate, applied.sympatheticResonance,
                               ResonanceRamp::kTop * DamperCurve::lift(value));
        else
            resonanceRamp.release(sampleRate);
        const PianoNoises::Messages noise =
            PianoNoises::pedalReleased(applied.hammerAmount, wasDown, damping);
        for (int i = 0; i < noise.count; ++i)
            sendToEngine(noise.message[i]);
        sustainDown.store(0, std::memory_order_relaxed);
    }
    if (engine)
        engine->setDamping(damping);
    sustainValue = value;
    displayChanged.store(1, std::memory_order_relaxed);
}

void VstXSynth::sostenutoChange(int value)
{
    if (SostenutoPedal::isDownValue(value))
    {
        sostenuto.press();
        return;
    }
    const SostenutoPedal::Released released = sostenuto.lift();
    for (int i = 0; i < released.count; ++i)
        endNote(released.key[i], 0);
}

void VstXSynth::setRequestedAmount(float PianoSettings::*field, float value)
{
    const PianoSettings before = requested.load();
    PianoSettings after = before;
    after.*field = value;
    requested.storeChanged(before, after);
    markSettingsChanged();
}

void VstXSynth::markSettingsChanged()
{
    settingsChanged.store(1, std::memory_order_release);
    displayChanged.store(1, std::memory_order_relaxed);
}

void VstXSynth::sendToEngine(const MidiMessage& message)
{
    if (engine)
        engine->send(message.status & 0xf0, message.data1, message.data2);
}

bool VstXSynth::isKeyDown(int key) const
{
    if (key < kLowestKey || key > kHighestKey)
        return false;
    return keyDown[key - kLowestKey].load(std::memory_order_relaxed) != 0;
}

void VstXSynth::queueEditorEvent(uint8_t status, int data1, int data2)
{
    if (!guiEvents)
        return;
    const uint32_t elapsed = platform::TimeGetTime() - lastDrainTime.load();
    // A host that stopped for hours must not overflow the offset; it is limited to the block anyway.
    const double frames = std::min(static_cast<double>(elapsed) * samplesPerMillisecond.load(), 2147483647.0);
    const auto offset = static_cast<int32_t>(frames);
    guiEvents->Append(static_cast<uint32_t>(MidiMessage::pack(status, data1, data2)), offset);
}

void VstXSynth::keyPressed(int key, int velocity)
{
    queueEditorEvent(kNoteOn, key, velocity);
}

void VstXSynth::keyReleased(int key, int velocity)
{
    queueEditorEvent(kNoteOff, key, velocity);
}

void VstXSynth::sustainPedal(bool down)
{
    queueEditorEvent(kControlChange, MidiMessage::kSustain, down ? 127 : 0);
}

void VstXSynth::softPedal(bool down)
{
    queueEditorEvent(kControlChange, MidiMessage::kSoftPedal, down ? 127 : 0);
}

} // namespace instrument
