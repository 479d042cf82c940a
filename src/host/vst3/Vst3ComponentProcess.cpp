// The audio block: the host's parameter changes, its notes, and the controllers it sends through MIDI
// mapping, handed to the instrument at their sample offsets, then the instrument's block.
#include <algorithm>
#include <climits>
#include <cmath>

#include "host/vst3/Vst3Component.h"
#include "piano/MidiMessage.h"

using piano::MidiMessage;

namespace host
{

namespace
{
// A VST3 value 0..1 as a MIDI data byte.
uint8_t midiByteOf(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value * 127.0), 0L, 127L));
}

// A note on's velocity: a soft note that rounds to 0 still sounds (velocity 0 would end it).
uint8_t velocityOf(float velocity)
{
    return velocity > 0.0f ? std::max<uint8_t>(midiByteOf(velocity), 1) : 0;
}

bool isChannelAndKey(int16_t channel, int16_t pitch)
{
    return channel >= 0 && channel < 16 && pitch >= 0 && pitch < 128;
}
} // namespace

tresult VST3CALL Vst3Component::process(ProcessData& data)
{
    if (!driver.isOpen())
        return kNotInitialized;
    if (data.symbolicSampleSize != kSample32 || data.numSamples < 0)
        return kInvalidArgument;
    driver.beginBlock(data.numSamples);
    readParameterChanges(data.inputParameterChanges);
    readEvents(data.inputEvents);
    readTransport(data.processContext);
    // A call with no samples only brings parameter changes.
    if (data.numSamples == 0)
        return kResultOk;
    if (data.numOutputs < 1 || !data.outputs || data.outputs[0].numChannels < 2 ||
        !data.outputs[0].channelBuffers32 || !data.outputs[0].channelBuffers32[0] ||
        !data.outputs[0].channelBuffers32[1])
        return kInvalidArgument;
    driver.render(data.outputs[0].channelBuffers32[0], data.outputs[0].channelBuffers32[1]);
    data.outputs[0].silenceFlags = 0;
    return kResultOk;
}

void Vst3Component::readParameterChanges(IParameterChanges* changes)
{
    const int32_t count = changes ? changes->getParameterCount() : 0;
    for (int32_t i = 0; i < count; ++i)
    {
        IParamValueQueue* queue = changes->getParameterData(i);
        const int32_t points = queue ? queue->getPointCount() : 0;
        if (points <= 0)
            continue;
        const ParamID id = queue->getParameterId();
        int32_t offset = 0;
        ParamValue value = 0.0;
        switch (parameters.kindOf(id))
        {
        case Vst3Parameters::Kind::Instrument:
            // The instrument takes a block's settings at its start: the last value of the block counts.
            if (queue->getPoint(points - 1, offset, value) == kResultOk && value >= 0.0 && value <= 1.0)
                driver.setParameter(static_cast<int>(id), static_cast<float>(value));
            break;
        case Vst3Parameters::Kind::Controller:
            for (int32_t point = 0; point < points; ++point)
            {
                if (queue->getPoint(point, offset, value) != kResultOk || !(value >= 0.0 && value <= 1.0))
                    continue;
                const int number = Vst3Parameters::controllerOf(id);
                if (driver.addMidi(offset, MidiMessage::kControlChange, static_cast<uint8_t>(number),
                                   midiByteOf(value)))
                    parameters.controllerMoved(number, value);
            }
            break;
        case Vst3Parameters::Kind::Program:
            // Programs change through the controller, on the host's user-interface thread.
        case Vst3Parameters::Kind::Unknown:
            break;
        }
    }
}

void Vst3Component::readEvents(IEventList* events)
{
    const int32_t count = events ? events->getEventCount() : 0;
    for (int32_t i = 0; i < count; ++i)
    {
        Event event{};
        if (events->getEvent(i, event) != kResultOk || event.busIndex != 0)
            continue;
        switch (event.type)
        {
        case Event::kNoteOnEvent:
            if (isChannelAndKey(event.noteOn.channel, event.noteOn.pitch))
                driver.addMidi(event.sampleOffset,
                               static_cast<uint8_t>(MidiMessage::kNoteOn | event.noteOn.channel),
                               static_cast<uint8_t>(event.noteOn.pitch), velocityOf(event.noteOn.velocity));
            break;
        case Event::kNoteOffEvent:
            if (isChannelAndKey(event.noteOff.channel, event.noteOff.pitch))
                driver.addMidi(event.sampleOffset,
                               static_cast<uint8_t>(MidiMessage::kNoteOff | event.noteOff.channel),
                               static_cast<uint8_t>(event.noteOff.pitch), midiByteOf(event.noteOff.velocity));
            break;
        case Event::kDataEvent:
            // System-exclusive dumps carry the sequencer's tuning.
            if (event.data.type == DataEvent::kMidiSysEx)
                driver.addSysex(event.sampleOffset, event.data.bytes, event.data.size);
            break;
        default:
            // Otherwise the instrument plays notes and controllers only.
            break;
        }
    }
}

void Vst3Component::readTransport(const ProcessContext* context)
{
    if (!context)
        return;
    VstTimeInfo info{};
    info.samplePos = static_cast<double>(context->projectTimeSamples);
    info.sampleRate = context->sampleRate;
    if (context->state & ProcessContext::kPlaying)
        info.flags |= kVstTransportPlaying;
    if (context->state & ProcessContext::kRecording)
        info.flags |= kVstTransportRecording;
    if (context->state & ProcessContext::kCycleActive)
        info.flags |= kVstTransportCycleActive;
    if (context->state & ProcessContext::kSystemTimeValid)
    {
        info.nanoSeconds = static_cast<double>(context->systemTime);
        info.flags |= kVstNanosValid;
    }
    if (context->state & ProcessContext::kProjectTimeMusicValid)
    {
        info.ppqPos = context->projectTimeMusic;
        info.flags |= kVstPpqPosValid;
    }
    if (context->state & ProcessContext::kTempoValid)
    {
        info.tempo = context->tempo;
        info.flags |= kVstTempoValid;
    }
    if (context->state & ProcessContext::kBarPositionValid)
    {
        info.barStartPos = context->barPositionMusic;
        info.flags |= kVstBarsValid;
    }
    if (context->state & ProcessContext::kCycleValid)
    {
        info.cycleStartPos = context->cycleStartMusic;
        info.cycleEndPos = context->cycleEndMusic;
        info.flags |= kVstCyclePosValid;
    }
    if (context->state & ProcessContext::kTimeSigValid)
    {
        info.timeSigNumerator = context->timeSigNumerator;
        info.timeSigDenominator = context->timeSigDenominator;
        info.flags |= kVstTimeSigValid;
    }
    driver.setTransport(info);
}

} // namespace host
