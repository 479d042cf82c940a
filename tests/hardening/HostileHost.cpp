#include "hardening/HostileHost.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace host;
using namespace plughost;

namespace
{
constexpr int kMaxFrames = 8192;
constexpr int kTextBuffer = 4096;
constexpr char kUntouched = 0x5a;
constexpr int kPrograms = 8;
constexpr int kParameters = 11;
// Rates the engine runs at, used to settle before the end of a sequence.
constexpr float kEngineRates[] = {8000.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f};
constexpr float kHostRates[] = {8000.0f,  11025.0f, 16000.0f, 22050.0f,  32000.0f, 44100.0f,
                                48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
// The interface's text limits, terminator included.
constexpr size_t kParamText = kVstMaxParamStrLen + 1;
constexpr size_t kProgramText = kVstMaxProgNameLen + 1;
constexpr VstInt32 kHelpSelector = 1000; // opens the help file in a desktop viewer: not for tests
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
constexpr int32_t kLeast = std::numeric_limits<int32_t>::min();
} // namespace

HostileHost::HostileHost(PluginInstance& plugin, uint32_t seed, float startRate)
    : instance(plugin), generator(seed), currentRate(startRate), left(kMaxFrames), right(kMaxFrames),
      textBuffer(kTextBuffer)
{
}

double HostileHost::threshold()
{
    return std::pow(10.0, -0.5 / 20.0);
}

double HostileHost::ceiling()
{
    return threshold() / ((1.0 - 0.01) * std::pow(0.01, 5.0 / 50.0)) * 1.005; // 0.5 % for whole samples
}

int HostileHost::randomInt(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(generator);
}

bool HostileHost::chance(double p)
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator) < p;
}

float HostileHost::oddFloat()
{
    const float choices[] = {kNaN, kInf, -kInf, -1.0f, 1.5f, 1e30f, -1e30f, 1e-40f, -0.0f, 0.0f, 1.0f, 0.5f};
    if (chance(0.5))
        return std::uniform_real_distribution<float>(0.0f, 1.0f)(generator);
    if (chance(0.2))
        return std::uniform_real_distribution<float>(-10.0f, 10.0f)(generator);
    return pick(choices);
}

VstInt32 HostileHost::oddIndex(int count)
{
    const VstInt32 choices[] = {-1, -1000, count, count + 1, 1 << 20, kMost, kLeast};
    if (chance(0.6))
        return randomInt(0, count - 1);
    return pick(choices);
}

VstInt32 HostileHost::oddOffset()
{
    if (chance(0.7))
        return randomInt(0, std::max(blockSize - 1, 0));
    const VstInt32 choices[] = {-1, -5000, blockSize, 3 * blockSize, kMaxFrames * 4, kMost, kLeast};
    return pick(choices);
}

std::string HostileHost::oddName()
{
    switch (randomInt(0, 4))
    {
    case 0:
        return {};
    case 1:
        return std::string(kTextBuffer - 1, 'N');
    case 2:
        return "receiveVstMidiEvent";
    case 3:
        return "Grand \xc3\xa9t\xc3\xa9 \xff\xfe";
    default:
    {
        std::string name(static_cast<size_t>(randomInt(1, 300)), ' ');
        for (char& c : name)
            c = static_cast<char>(randomInt(1, 255));
        return name;
    }
    }
}

bool HostileHost::fail(const std::string& what)
{
    faultText = what + " (after " + lastAction + ", rate " + std::to_string(currentRate) + ", block size " +
                std::to_string(blockSize) + ")";
    return false;
}

bool HostileHost::run(int steps, bool withRateChanges)
{
    changeRates = withRateChanges;
    for (int i = 0; i < steps; ++i)
        if (!randomStep())
            return false;
    return true;
}

bool HostileHost::randomStep()
{
    const int kind = randomInt(0, 99);
    if (kind < 30)
    {
        const int frames = chance(0.6)   ? blockSize
                           : chance(0.8) ? randomInt(1, kMaxFrames)
                                         : randomInt(-1, 0);
        return renderBlock(std::clamp(frames, -1, kMaxFrames));
    }
    if (kind < 40)
        randomMidi();
    else if (kind < 45)
        noteStorm();
    else if (kind < 50)
        oddEvents();
    else if (kind < 55)
    {
        lastAction = "several event lists before one block";
        for (int lists = randomInt(2, 6); lists > 0; --lists)
            chance(0.5) ? randomMidi() : noteStorm();
        return renderBlock(blockSize);
    }
    else if (kind < 65)
        return randomParameter();
    else if (kind < 70)
        randomChunk();
    else if (kind < 75)
    {
        lastAction = "effSetProgram";
        instance.dispatch(effSetProgram, 0, oddIndex(kPrograms));
    }
    else if (kind < 78)
    {
        if (changeRates)
            changeRate();
    }
    else if (kind < 81)
        changeBlockSize();
    else
        return randomOpcode();
    return true;
}

bool HostileHost::renderBlock(int frames)
{
    lastAction += ", then a block of " + std::to_string(frames) + " frames";
    // What the instance leaves unwritten shows as NaN.
    std::fill(left.begin(), left.end(), std::numeric_limits<float>::quiet_NaN());
    std::fill(right.begin(), right.end(), std::numeric_limits<float>::quiet_NaN());
    instance.processReplacing(left.data(), right.data(), frames);
    lastAction = "a block of " + std::to_string(frames) + " frames";
    for (int i = 0; i < 2 * frames; ++i)
    {
        const double sample = (i % 2 ? right : left)[static_cast<size_t>(i / 2)];
        largestSeen = std::max(largestSeen, std::fabs(sample));
        if (!(std::fabs(sample) <= ceiling()))
            return fail("frame " + std::to_string(i / 2) + " of " + std::to_string(frames) + " is " +
                        std::to_string(sample) + ", not finite or above the limiter's bound");
    }
    return true;
}

void HostileHost::settle()
{
    const float rate = pick(kEngineRates);
    instance.dispatch(effMainsChanged, 0, 0);
    instance.setSampleRate(rate);
    currentRate = rate;
    blockSize = 64 << randomInt(0, 6);
    instance.setBlockSize(blockSize);
    instance.dispatch(effMainsChanged, 0, 1);
}

void HostileHost::sendMidi(const std::vector<PluginInstance::Midi>& events)
{
    instance.sendMidi(events);
}

bool HostileHost::render(double seconds)
{
    const int blocks = std::max(1, static_cast<int>(std::ceil(seconds * currentRate / blockSize)));
    const int lastSecond = static_cast<int>(std::ceil(currentRate / blockSize));
    finalSecondPeak = 0.0;
    for (int b = 0; b < blocks; ++b)
    {
        if (!renderBlock(blockSize))
            return false;
        if (b >= blocks - lastSecond)
            for (int i = 0; i < blockSize; ++i)
                finalSecondPeak = std::max({finalSecondPeak, std::fabs(static_cast<double>(left[i])),
                                            std::fabs(static_cast<double>(right[i]))});
    }
    return true;
}

void HostileHost::changeRate()
{
    const float odd[] = {0.0f, -44100.0f, kNaN, kInf, 7999.5f, 96000.5f};
    const float rate = chance(0.6)   ? pick(kHostRates)
                       : chance(0.8) ? std::uniform_real_distribution<float>(8000.0f, 192000.0f)(generator)
                                     : pick(odd);
    lastAction = "effSetSampleRate " + std::to_string(rate);
    instance.dispatch(effMainsChanged, 0, 0);
    instance.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    instance.dispatch(effMainsChanged, 0, 1);
    if (rate > 0.0f && std::isfinite(rate))
        currentRate = rate;
}

void HostileHost::changeBlockSize()
{
    const VstInt32 odd[] = {0, -1, 1 << 30, 1, 2, 63, 64, 65, 1000, 4096, kMaxFrames};
    const VstInt32 size = chance(0.5) ? randomInt(1, kMaxFrames) : pick(odd);
    lastAction = "effSetBlockSize " + std::to_string(size);
    instance.dispatch(effSetBlockSize, 0, size);
    if (size >= 1 && size <= kMaxFrames)
        blockSize = size;
}

bool HostileHost::randomParameter()
{
    const VstInt32 index = oddIndex(kParameters);
    const float value = oddFloat();
    lastAction = "setParameter " + std::to_string(index) + " " + std::to_string(value);
    instance.setParameter(index, value);
    const VstInt32 asked = oddIndex(kParameters);
    const float reported = instance.getParameter(asked);
    if (!(reported >= 0.0f && reported <= 1.0f))
        return fail("getParameter " + std::to_string(asked) + " reported " + std::to_string(reported));
    return true;
}

void HostileHost::randomChunk()
{
    std::vector<unsigned char> chunk;
    const int kind = randomInt(0, 3);
    if (kind == 0)
    {
        chunk.resize(static_cast<size_t>(chance(0.3) ? 48 : randomInt(0, 200)));
        for (auto& byte : chunk)
            byte = static_cast<unsigned char>(randomInt(0, 255));
    }
    else if (kind == 1)
    {
        // Every field out of range: positions and types far outside their steps, amounts not numbers.
        const int32_t ints[] = {-1, 4, 7, 100, kLeast, kMost};
        const float floats[] = {kNaN, kInf, -kInf, -1.0f, 3.0f, 1e30f, -1e-40f};
        chunk.resize(48);
        for (size_t field = 0; field < 12; ++field)
        {
            const bool integer = field <= 1 || field >= 10;
            const int32_t number = integer ? pick(ints) : 0;
            const float amount = integer ? 0.0f : pick(floats);
            std::memcpy(&chunk[field * 4], integer ? static_cast<const void*>(&number) : &amount, 4);
        }
    }
    else if (kind == 2)
    {
        void* data = nullptr;
        const VstIntPtr size = instance.dispatch(effGetChunk, randomInt(0, 1), 0, &data);
        if (size > 0 && data)
            chunk.assign(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
    }
    else
    {
        lastAction = "effSetChunk with a null pointer";
        instance.dispatch(effSetChunk, randomInt(0, 1), chance(0.5) ? 48 : 0, nullptr);
        return;
    }
    lastAction = "effSetChunk of " + std::to_string(chunk.size()) + " bytes";
    instance.dispatch(effSetChunk, randomInt(0, 1), static_cast<VstIntPtr>(chunk.size()),
                      chunk.empty() ? nullptr : chunk.data());
}

void HostileHost::randomMidi()
{
    std::vector<PluginInstance::Midi> events(static_cast<size_t>(randomInt(1, 40)));
    for (auto& e : events)
    {
        e.deltaFrames = oddOffset();
        e.status = static_cast<uint8_t>(chance(0.9) ? randomInt(0x80, 0xff) : randomInt(0, 0x7f));
        e.data1 = static_cast<uint8_t>(randomInt(0, 255));
        e.data2 = static_cast<uint8_t>(randomInt(0, 255));
    }
    lastAction = "MIDI of random statuses";
    instance.sendMidi(events);
}

void HostileHost::noteStorm()
{
    std::vector<PluginInstance::Midi> events;
    const int channel = randomInt(0, 15);
    if (chance(0.5))
        events.push_back({oddOffset(), static_cast<uint8_t>(0xb0 | channel), 64, 127});
    for (int key = 0; key < 128; ++key)
    {
        events.push_back({oddOffset(), static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key),
                          static_cast<uint8_t>(randomInt(0, 127))});
        if (chance(0.3))
            events.push_back({oddOffset(), static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key),
                              static_cast<uint8_t>(randomInt(0, 127))});
    }
    // Hosts do not always send events in time order.
    if (chance(0.3))
        std::shuffle(events.begin(), events.end(), generator);
    lastAction = "a note storm on all keys";
    instance.sendMidi(events);
}

void HostileHost::oddEvents()
{
    const int count = randomInt(1, 20);
    std::vector<VstMidiSysexEvent> sysex(static_cast<size_t>(count));
    std::vector<VstMidiEvent> other(static_cast<size_t>(count));
    std::vector<std::vector<char>> dumps(static_cast<size_t>(count));
    std::vector<VstEvent*> list;
    for (int i = 0; i < count; ++i)
    {
        if (chance(0.5))
        {
            VstMidiSysexEvent& s = sysex[static_cast<size_t>(i)];
            std::memset(&s, 0, sizeof s);
            s.type = kVstSysExType;
            s.byteSize = sizeof s;
            s.deltaFrames = oddOffset();
            auto& dump = dumps[static_cast<size_t>(i)];
            dump.resize(static_cast<size_t>(randomInt(0, 1000)));
            for (char& c : dump)
                c = static_cast<char>(randomInt(0, 255));
            if (!dump.empty())
            {
                dump.front() = static_cast<char>(0xf0);
                dump.back() = static_cast<char>(0xf7);
            }
            s.dumpBytes = static_cast<VstInt32>(dump.size());
            s.sysexDump = dump.empty() ? nullptr : dump.data();
            list.push_back(reinterpret_cast<VstEvent*>(&s));
        }
        else
        {
            // An event of a type the instrument does not declare, with bytes that look like a note.
            VstMidiEvent& e = other[static_cast<size_t>(i)];
            std::memset(&e, 0, sizeof e);
            const VstInt32 types[] = {0, 2, 3, 4, 5, 7, 99, -1};
            e.type = pick(types);
            e.byteSize = randomInt(0, 64);
            e.deltaFrames = oddOffset();
            e.midiData[0] = static_cast<char>(0x90);
            e.midiData[1] = static_cast<char>(randomInt(0, 127));
            e.midiData[2] = static_cast<char>(randomInt(1, 127));
            list.push_back(reinterpret_cast<VstEvent*>(&e));
        }
    }
    lastAction = "system-exclusive and unknown events";
    instance.sendEvents(list);
}

bool HostileHost::askText(VstInt32 opcode, VstInt32 index, size_t allowed, VstIntPtr value)
{
    std::fill(textBuffer.begin(), textBuffer.end(), kUntouched);
    instance.dispatch(opcode, index, value, textBuffer.data());
    const auto end = textBuffer.begin() + static_cast<std::ptrdiff_t>(allowed);
    if (std::any_of(end, textBuffer.end(), [](char c) { return c != kUntouched; }))
        return fail("opcode " + std::to_string(opcode) + " index " + std::to_string(index) + " wrote past " +
                    std::to_string(allowed) + " bytes");
    if (textBuffer.front() != kUntouched && std::find(textBuffer.begin(), end, '\0') == end)
        return fail("opcode " + std::to_string(opcode) + " index " + std::to_string(index) +
                    " left its text unterminated");
    return true;
}

bool HostileHost::randomOpcode()
{
    // Every opcode but effClose, which ends the instance, and effEditOpen, whose window belongs to the
    // editor's own tests.
    VstInt32 opcode = randomInt(-3, 90);
    if (opcode == effClose || opcode == effEditOpen)
        opcode = effIdentify;
    lastAction = "opcode " + std::to_string(opcode);
    std::vector<char> scratch(kTextBuffer, 0);
    const VstInt32 index = randomInt(-3, 200);
    const float opt = oddFloat();
    switch (opcode)
    {
    case effSetProgram:
        instance.dispatch(opcode, 0, oddIndex(kPrograms));
        return true;
    case effSetProgramName:
    {
        std::string name = oddName();
        instance.dispatch(opcode, 0, 0, name.data());
        return true;
    }
    case effGetProgramName:
        return askText(opcode, 0, kProgramText);
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return askText(opcode, oddIndex(kParameters), kParamText);
    case effSetSampleRate:
        if (changeRates)
            changeRate();
        return true;
    case effSetBlockSize:
        changeBlockSize();
        return true;
    case effMainsChanged:
        instance.dispatch(opcode, 0, chance(0.4) ? 0 : chance(0.5) ? 1 : index);
        return true;
    case effEditGetRect:
    {
        ERect* rect = nullptr;
        if (instance.dispatch(opcode, 0, 0, &rect) && rect)
            std::memcpy(scratch.data(), rect, sizeof *rect);
        return true;
    }
    case effGetChunk:
    {
        void* data = nullptr;
        const VstIntPtr size = instance.dispatch(opcode, randomInt(0, 1), 0, &data);
        if (size > 0 && data)
            std::memcpy(scratch.data(), data, std::min<size_t>(static_cast<size_t>(size), scratch.size()));
        return true;
    }
    case effSetChunk:
        randomChunk();
        return true;
    case effProcessEvents:
        // A host with no events may pass no list at all.
        if (chance(0.1))
            instance.dispatch(opcode, 0, 0, nullptr);
        else
            randomMidi();
        return true;
    case effGetProgramNameIndexed:
        return askText(opcode, oddIndex(kPrograms), kProgramText, randomInt(-1, 3));
    case effGetEffectName:
        return askText(opcode, 0, kVstMaxEffectNameLen);
    case effGetVendorString:
        return askText(opcode, 0, kVstMaxVendorStrLen);
    case effGetProductString:
        return askText(opcode, 0, kVstMaxProductStrLen);
    case effVendorSpecific:
        instance.dispatch(opcode, index == kHelpSelector ? kHelpSelector + 4 : index + 900, randomInt(-5, 5),
                          scratch.data(), opt);
        return true;
    case effCanDo:
    {
        std::string text = oddName();
        instance.dispatch(opcode, 0, 0, chance(0.1) ? nullptr : text.data());
        return true;
    }
    case effSetSpeakerArrangement:
    case effGetSpeakerArrangement:
    {
        std::vector<char> other(kTextBuffer, 0);
        instance.dispatch(opcode, 0, reinterpret_cast<VstIntPtr>(other.data()), scratch.data());
        return true;
    }
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    {
        MidiProgramName name{};
        name.thisProgramIndex = oddIndex(128);
        instance.dispatch(opcode, oddIndex(16), 0, &name);
        return true;
    }
    case effGetMidiProgramCategory:
    {
        MidiProgramCategory category{};
        category.thisCategoryIndex = oddIndex(17);
        instance.dispatch(opcode, oddIndex(16), 0, &category);
        return true;
    }
    case effGetMidiKeyName:
    {
        MidiKeyName key{};
        key.thisProgramIndex = oddIndex(128);
        key.thisKeyNumber = oddIndex(128);
        instance.dispatch(opcode, oddIndex(16), 0, &key);
        return true;
    }
    default:
        // Opcodes whose pointer, if any, is a structure or text: given zeroed room for any of them.
        instance.dispatch(opcode, index, chance(0.5) ? 0 : randomInt(-100000, 100000), scratch.data(), opt);
        return true;
    }
}
