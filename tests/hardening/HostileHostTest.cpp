// The built plug-in under a hostile host: seeded random sequences of every kind of host call (opcodes with
// odd arguments, parameters, chunks, rates, block sizes and events out of range), then all notes off and the
// pedal up and ten seconds of blocks. Every rendered sample must be finite and within the limiter's bound;
// every text the instance writes must keep to the length the interface allows. Each seed is its own test;
// more run with VIRELLANDO_HOSTILE_SEED=<first seed> and VIRELLANDO_HOSTILE_RUNS=<count>.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "hardening/PianoLikeBank.h"
#include "instrument/programs/PresetsFile.h"
#include "support/PluginFolder.h"

using namespace host;
using namespace instrument;
using namespace plughost;

namespace
{
constexpr int kMaxFrames = 8192;
constexpr int kTextBuffer = 4096;
constexpr char kUntouched = 0x5a;
constexpr int kPrograms = 8;
constexpr int kParameters = 11;
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

// Texts asked for, with the room the interface allows and how many indices they have (none: index 0).
constexpr std::tuple<VstInt32, size_t, int> kTextOpcodes[] = {
    {effGetProgramName, kProgramText, 0},          {effGetParamLabel, kParamText, kParameters},
    {effGetParamDisplay, kParamText, kParameters}, {effGetParamName, kParamText, kParameters},
    {effGetEffectName, kVstMaxEffectNameLen, 0},   {effGetVendorString, kVstMaxVendorStrLen, 0},
    {effGetProductString, kVstMaxProductStrLen, 0}};

// The limiter holds -0.5 dB; its envelope closes 99 % of a step within the 5 ms attack (its look-ahead) and
// falls back over 50 ms, so a peak its hold misses comes out at most 1 / ((1 - 0.01) x 0.01^(5 / 50)) above
// the threshold, at every rate; 0.5 % more for whole samples.
const double kThreshold = std::pow(10.0, -0.5 / 20.0);
const double kCeiling = kThreshold / ((1.0 - 0.01) * std::pow(0.01, 5.0 / 50.0)) * 1.005;

class HostileHost
{
public:
    HostileHost(PluginInstance& plugin, uint32_t seed, float startRate)
        : currentRate(startRate), instance(plugin), generator(seed), left(kMaxFrames), right(kMaxFrames),
          textBuffer(kTextBuffer)
    {
    }

    // Runs random steps; false at the first fault, which fault then describes.
    bool run(int steps, bool withRateChanges)
    {
        changeRates = withRateChanges;
        for (int i = 0; i < steps; ++i)
            if (!randomStep())
                return false;
        return true;
    }

    // Sets a sample rate and block size the engine runs at.
    void settle()
    {
        currentRate = pick(kEngineRates);
        instance.dispatch(effMainsChanged, 0, 0);
        instance.setSampleRate(currentRate);
        blockSize = 64 << randomInt(0, 6);
        instance.setBlockSize(blockSize);
        instance.dispatch(effMainsChanged, 0, 1);
    }

    // Renders at least one block.
    bool render(double seconds)
    {
        const int blocks = std::max(1, static_cast<int>(std::ceil(seconds * currentRate / blockSize)));
        const int lastSecond = static_cast<int>(std::ceil(currentRate / blockSize));
        lastSecondPeak = 0.0;
        for (int b = 0; b < blocks; ++b)
        {
            if (!renderBlock(blockSize))
                return false;
            if (b >= blocks - lastSecond)
                lastSecondPeak = std::max(lastSecondPeak, blockPeak);
        }
        return true;
    }

    // Asks for every text of every index once: the random steps reach each only now and then.
    bool askEveryText()
    {
        lastAction = "every text asked for in turn";
        for (const auto& [opcode, allowed, indices] : kTextOpcodes)
            for (int index = 0; index < std::max(indices, 1); ++index)
                if (!askText(opcode, index, allowed))
                    return false;
        for (int program = 0; program < kPrograms; ++program)
            if (!askText(effGetProgramNameIndexed, program, kProgramText))
                return false;
        return true;
    }

    // The first fault; the largest magnitude of all blocks, and of the last second render() played.
    std::string fault;
    double largest = 0.0, lastSecondPeak = 0.0;
    float currentRate;

private:
    int randomInt(int low, int high) { return std::uniform_int_distribution<int>(low, high)(generator); }
    float uniform(float a, float b) { return std::uniform_real_distribution<float>(a, b)(generator); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(generator) < p; }
    template <typename T, size_t N> T pick(const T (&from)[N]) { return from[randomInt(0, int{N} - 1)]; }

    float oddFloat()
    {
        const float choices[] = {kNaN,   kInf,   -kInf, -1.0f, 1.5f, 1e30f,
                                 -1e30f, 1e-40f, -0.0f, 0.0f,  1.0f, 0.5f};
        return chance(0.5) ? uniform(0.0f, 1.0f) : chance(0.2) ? uniform(-10.0f, 10.0f) : pick(choices);
    }

    VstInt32 oddIndex(int count)
    {
        const VstInt32 choices[] = {-1, -1000, count, count + 1, 1 << 20, kMost, kLeast};
        return chance(0.6) ? randomInt(0, count - 1) : pick(choices);
    }

    VstInt32 oddOffset()
    {
        const VstInt32 choices[] = {-1, -5000, blockSize, 3 * blockSize, kMaxFrames * 4, kMost, kLeast};
        return chance(0.7) ? randomInt(0, std::max(blockSize - 1, 0)) : pick(choices);
    }

    std::string oddName()
    {
        const std::string names[] = {
            {}, std::string(kTextBuffer - 1, 'N'), "receiveVstMidiEvent", "Grand \xc3\xa9t\xc3\xa9 \xff\xfe"};
        const int kind = randomInt(0, 4);
        return kind < 4 ? names[kind] : randomBytes(randomInt(1, 300), 1);
    }

    std::string randomBytes(int count, int lowest)
    {
        std::string bytes(static_cast<size_t>(count), '\0');
        for (char& c : bytes)
            c = static_cast<char>(randomInt(lowest, 255));
        return bytes;
    }

    bool fail(const std::string& what)
    {
        fault = what + " (after " + lastAction + ", rate " + std::to_string(currentRate) + ", block size " +
                std::to_string(blockSize) + ")";
        return false;
    }

    // The host's actions; each is false at a fault.
    bool randomStep()
    {
        // A draw below a hundred picks the first action whose bound it is under; the rest are opcodes.
        static const std::pair<int, bool (HostileHost::*)()> kActions[] = {
            {30, &HostileHost::randomBlock}, {40, &HostileHost::randomMidi},
            {45, &HostileHost::noteStorm},   {50, &HostileHost::oddEvents},
            {55, &HostileHost::eventLists},  {65, &HostileHost::randomParameter},
            {70, &HostileHost::randomChunk}, {75, &HostileHost::setProgram},
            {78, &HostileHost::changeRate},  {81, &HostileHost::changeBlockSize}};
        const int kind = randomInt(0, 99);
        for (const auto& [bound, action] : kActions)
            if (kind < bound)
                return (this->*action)();
        return randomOpcode();
    }

    bool renderBlock(int frames)
    {
        lastAction += ", then a block of " + std::to_string(frames) + " frames";
        // What the instance leaves unwritten shows as NaN.
        std::fill(left.begin(), left.end(), kNaN);
        std::fill(right.begin(), right.end(), kNaN);
        instance.processReplacing(left.data(), right.data(), frames);
        blockPeak = 0.0;
        for (int i = 0; i < 2 * frames; ++i)
        {
            const double sample = std::fabs((i % 2 ? right : left)[static_cast<size_t>(i / 2)]);
            blockPeak = std::max(blockPeak, sample);
            if (!(sample <= kCeiling))
                return fail("frame " + std::to_string(i / 2) + " of " + std::to_string(frames) + " is " +
                            std::to_string(sample) +
                            " in magnitude, not finite or above the limiter's bound");
        }
        largest = std::max(largest, blockPeak);
        lastAction = "a block of " + std::to_string(frames) + " frames";
        return true;
    }

    bool randomBlock()
    {
        const int frames = chance(0.6)   ? blockSize
                           : chance(0.8) ? randomInt(1, kMaxFrames)
                                         : randomInt(-1, 0);
        return renderBlock(std::clamp(frames, -1, kMaxFrames));
    }

    bool changeRate()
    {
        if (!changeRates)
            return true;
        const float odd[] = {0.0f, -44100.0f, kNaN, kInf, 7999.5f, 96000.5f};
        const float rate = chance(0.6)   ? pick(kHostRates)
                           : chance(0.8) ? uniform(8000.0f, 192000.0f)
                                         : pick(odd);
        lastAction = "effSetSampleRate " + std::to_string(rate);
        instance.dispatch(effMainsChanged, 0, 0);
        instance.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        instance.dispatch(effMainsChanged, 0, 1);
        if (rate > 0.0f && std::isfinite(rate))
            currentRate = rate;
        return true;
    }

    bool changeBlockSize()
    {
        const VstInt32 odd[] = {0, -1, 1 << 30, 1, 2, 63, 64, 65, 1000, 4096, kMaxFrames};
        const VstInt32 size = chance(0.5) ? randomInt(1, kMaxFrames) : pick(odd);
        lastAction = "effSetBlockSize " + std::to_string(size);
        instance.dispatch(effSetBlockSize, 0, size);
        if (size >= 1 && size <= kMaxFrames)
            blockSize = size;
        return true;
    }

    bool setProgram()
    {
        lastAction = "effSetProgram";
        instance.dispatch(effSetProgram, 0, oddIndex(kPrograms));
        return true;
    }

    bool randomParameter()
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

    bool randomChunk()
    {
        std::string chunk;
        const int kind = randomInt(0, 3);
        if (kind == 0)
            chunk = randomBytes(chance(0.3) ? 48 : randomInt(0, 200), 0);
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
            chunk = storedChunk();
        else
        {
            lastAction = "effSetChunk with a null pointer";
            instance.dispatch(effSetChunk, randomInt(0, 1), chance(0.5) ? 48 : 0, nullptr);
            return true;
        }
        lastAction = "effSetChunk of " + std::to_string(chunk.size()) + " bytes";
        instance.dispatch(effSetChunk, randomInt(0, 1), static_cast<VstIntPtr>(chunk.size()),
                          chunk.empty() ? nullptr : chunk.data());
        return true;
    }

    std::string storedChunk()
    {
        void* data = nullptr;
        const VstIntPtr size = instance.dispatch(effGetChunk, randomInt(0, 1), 0, &data);
        return size > 0 && data ? std::string(static_cast<const char*>(data), static_cast<size_t>(size)) : "";
    }

    bool randomMidi()
    {
        std::vector<PluginInstance::Midi> events(static_cast<size_t>(randomInt(1, 40)));
        for (auto& e : events)
            e = {oddOffset(), static_cast<uint8_t>(chance(0.9) ? randomInt(0x80, 0xff) : randomInt(0, 0x7f)),
                 static_cast<uint8_t>(randomInt(0, 255)), static_cast<uint8_t>(randomInt(0, 255))};
        lastAction = "MIDI of random statuses";
        instance.sendMidi(events);
        return true;
    }

    bool noteStorm()
    {
        std::vector<PluginInstance::Midi> events;
        const int channel = randomInt(0, 15);
        const auto status = [channel](int kind) { return static_cast<uint8_t>(kind | channel); };
        if (chance(0.5))
            events.push_back({oddOffset(), status(0xb0), 64, 127});
        for (uint8_t key = 0; key < 128; ++key)
        {
            events.push_back({oddOffset(), status(0x90), key, static_cast<uint8_t>(randomInt(0, 127))});
            if (chance(0.3))
                events.push_back({oddOffset(), status(0x80), key, static_cast<uint8_t>(randomInt(0, 127))});
        }
        // Hosts do not always send events in time order.
        if (chance(0.3))
            std::shuffle(events.begin(), events.end(), generator);
        lastAction = "a note storm on all keys";
        instance.sendMidi(events);
        return true;
    }

    bool eventLists()
    {
        for (int lists = randomInt(2, 6); lists > 0; --lists)
            chance(0.5) ? randomMidi() : noteStorm();
        lastAction += " (the last of several event lists)";
        return renderBlock(blockSize);
    }

    bool oddEvents()
    {
        const size_t count = static_cast<size_t>(randomInt(1, 20));
        std::vector<VstMidiSysexEvent> sysex(count);
        std::vector<VstMidiEvent> other(count);
        std::vector<std::string> dumps(count);
        std::vector<VstEvent*> list;
        for (size_t i = 0; i < count; ++i)
        {
            if (chance(0.5))
            {
                VstMidiSysexEvent& s = sysex[i];
                s.type = kVstSysExType;
                s.byteSize = sizeof s;
                s.deltaFrames = oddOffset();
                std::string& dump = dumps[i] = randomBytes(randomInt(0, 1000), 0);
                if (!dump.empty())
                {
                    dump.front() = '\xf0';
                    dump.back() = '\xf7';
                }
                s.dumpBytes = static_cast<VstInt32>(dump.size());
                s.sysexDump = dump.empty() ? nullptr : dump.data();
                list.push_back(reinterpret_cast<VstEvent*>(&s));
                continue;
            }
            // An event of a type the instrument does not declare, with bytes that look like a note.
            const VstInt32 types[] = {0, 2, 3, 4, 5, 7, 99, -1};
            VstMidiEvent& e = other[i];
            e.type = pick(types);
            e.byteSize = randomInt(0, 64);
            e.deltaFrames = oddOffset();
            e.midiData[0] = '\x90';
            e.midiData[1] = static_cast<char>(randomInt(0, 127));
            e.midiData[2] = static_cast<char>(randomInt(1, 127));
            list.push_back(reinterpret_cast<VstEvent*>(&e));
        }
        lastAction = "system-exclusive and unknown events";
        instance.sendEvents(list);
        return true;
    }

    bool askText(VstInt32 opcode, VstInt32 index, size_t allowed, VstIntPtr value = 0)
    {
        std::fill(textBuffer.begin(), textBuffer.end(), kUntouched);
        instance.dispatch(opcode, index, value, textBuffer.data());
        const auto end = textBuffer.begin() + static_cast<std::ptrdiff_t>(allowed);
        const std::string asked = "opcode " + std::to_string(opcode) + " index " + std::to_string(index);
        if (std::any_of(end, textBuffer.end(), [](char c) { return c != kUntouched; }))
            return fail(asked + " wrote past " + std::to_string(allowed) + " bytes");
        if (textBuffer.front() != kUntouched && std::find(textBuffer.begin(), end, '\0') == end)
            return fail(asked + " left its text unterminated");
        return true;
    }

    bool randomOpcode()
    {
        // Every opcode but effClose, which ends the instance, and effEditOpen, whose window belongs to the
        // editor's own tests.
        VstInt32 opcode = randomInt(-3, 90);
        if (opcode == effClose || opcode == effEditOpen)
            opcode = effIdentify;
        lastAction = "opcode " + std::to_string(opcode);
        // Zeroed room for any structure or text, and a second one for opcodes that take two.
        std::vector<char> scratch(2 * kTextBuffer, 0);
        const VstInt32 index = randomInt(-3, 200);
        const float opt = oddFloat();
        for (const auto& [asked, allowed, indices] : kTextOpcodes)
            if (asked == opcode)
                return askText(opcode, indices ? oddIndex(indices) : 0, allowed);
        const auto askMidiNames = [&](auto* names)
        {
            instance.dispatch(opcode, oddIndex(16), 0, names);
            return true;
        };
        MidiProgramName programName{};
        MidiProgramCategory category{};
        MidiKeyName key{};
        void* rect = nullptr;
        std::string text;
        switch (opcode)
        {
        case effSetProgram:
            return setProgram();
        case effSetSampleRate:
            return changeRate();
        case effSetBlockSize:
            return changeBlockSize();
        case effSetChunk:
            return randomChunk();
        case effGetProgramNameIndexed:
            return askText(opcode, oddIndex(kPrograms), kProgramText, randomInt(-1, 3));
        case effGetMidiProgramName:
        case effGetCurrentMidiProgram:
            programName.thisProgramIndex = oddIndex(128);
            return askMidiNames(&programName);
        case effGetMidiProgramCategory:
            category.thisCategoryIndex = oddIndex(17);
            return askMidiNames(&category);
        case effGetMidiKeyName:
            key.thisProgramIndex = oddIndex(128);
            key.thisKeyNumber = oddIndex(128);
            return askMidiNames(&key);
        case effProcessEvents:
            // A host with no events may pass no list at all.
            if (!chance(0.1))
                return randomMidi();
            instance.dispatch(opcode, 0, 0, nullptr);
            break;
        case effSetProgramName:
            instance.dispatch(opcode, 0, 0, oddName().data());
            break;
        case effCanDo:
            text = oddName();
            instance.dispatch(opcode, 0, 0, chance(0.1) ? nullptr : text.data());
            break;
        case effMainsChanged:
            instance.dispatch(opcode, 0, chance(0.4) ? 0 : chance(0.5) ? 1 : index);
            break;
        case effEditGetRect:
            if (instance.dispatch(opcode, 0, 0, &rect) && rect)
                std::memcpy(scratch.data(), rect, sizeof(ERect));
            break;
        case effGetChunk:
            storedChunk();
            break;
        case effVendorSpecific:
            instance.dispatch(opcode, index == kHelpSelector ? kHelpSelector + 4 : index + 900,
                              randomInt(-5, 5), scratch.data(), opt);
            break;
        case effSetSpeakerArrangement:
        case effGetSpeakerArrangement:
            instance.dispatch(opcode, 0, reinterpret_cast<VstIntPtr>(scratch.data() + kTextBuffer),
                              scratch.data());
            break;
        default:
            instance.dispatch(opcode, index, chance(0.5) ? 0 : randomInt(-100000, 100000), scratch.data(),
                              opt);
        }
        return true;
    }

    plughost::PluginInstance& instance;
    std::mt19937 generator;
    VstInt32 blockSize = 1024;
    bool changeRates = true;
    double blockPeak = 0.0;
    std::vector<float> left, right;
    std::vector<char> textBuffer;
    std::string lastAction;
};

// Sequences with rate changes, then a stretch at one rate the engine runs at, so that a note left
// sounding before the end is still sounding at the end.
constexpr int kStepsChangingRates = 400;
constexpr int kStepsAtOneRate = 200;
// A released voice ends at the engine's noise floor and the reverb sleeps after two seconds below -60 dB,
// then the instrument writes exact zeros. Ten seconds cover any tail, so the last second is allowed no more
// than -120 dBFS, far below the quietest note the engine plays (velocity 1 holds above -100 dBFS).
constexpr double kSilence = 1e-6;

// What a fresh instance answers; a mistreated one must answer the same.
std::vector<std::string> AnswersOf(PluginInstance& instance)
{
    std::vector<std::string> answers;
    for (int i = 0; i < kParameters; ++i)
        for (const VstInt32 opcode : {effGetParamName, effGetParamLabel})
            answers.push_back(instance.getString(opcode, i));
    for (const VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString})
        answers.push_back(instance.getString(opcode));
    for (const VstInt32 opcode : {effGetVendorVersion, effGetVstVersion, effGetPlugCategory})
        answers.push_back(std::to_string(instance.dispatch(opcode)));
    for (const char* text :
         {"receiveVstEvents", "receiveVstMidiEvent", "midiProgramNames", "sendVstMidiEvent"})
        answers.push_back(std::to_string(instance.canDo(text)));
    const AEffect* e = instance.effect();
    for (const VstInt32 value : {e->numParams, e->numOutputs, e->flags, e->uniqueID})
        answers.push_back(std::to_string(value));
    return answers;
}

// Programs with values a damaged presets file may carry and a name without its terminator.
std::vector<StoredProgram> OddPrograms()
{
    std::vector<StoredProgram> programs(8);
    const float values[] = {0.0f, 1.0f, 0.5f, -1.0f, 2.0f, NAN, INFINITY, 0.25f};
    for (size_t p = 0; p < programs.size(); ++p)
    {
        std::snprintf(programs[p].name, sizeof programs[p].name, "Program %zu", p);
        for (int i = 0; i < kParameters; ++i)
            programs[p].values[i] = values[(p + static_cast<size_t>(i)) % std::size(values)];
    }
    std::memset(programs[3].name, 'x', sizeof programs[3].name);
    return programs;
}

class HostileHostTest : public ::testing::TestWithParam<uint32_t>
{
protected:
    void SetUp() override
    {
        folder.addBank(hardening::MakePianoLikeBank().bytes());
        ASSERT_TRUE(PresetsFile::write(folder.besidePlugin("presets").c_str(), OddPrograms()));
    }

    void runSeed(uint32_t seed)
    {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const float startRates[] = {22050.0f, 44100.0f, 48000.0f, 96000.0f};
        HostAnswers answers;
        answers.sampleRate = startRates[seed % std::size(startRates)];
        answers.blockSize = 512;
        auto reference = folder.instantiate(answers);
        auto instance = folder.instantiate(answers);
        ASSERT_TRUE(reference && instance);
        const std::vector<std::string> expected = AnswersOf(*reference);
        reference->close();

        HostileHost host(*instance, seed, static_cast<float>(answers.sampleRate));
        ASSERT_TRUE(host.run(kStepsChangingRates, true)) << host.fault;
        host.settle();
        ASSERT_TRUE(host.run(kStepsAtOneRate, false)) << host.fault;

        // A sequence may leave the volume or every tone band at 0, which would hide a stuck note.
        for (const VstInt32 volumeAndBands : {4, 8, 9, 10})
            instance->setParameter(volumeAndBands, 0.5f);
        // Events still queued for the next block are played first, so that the last word is the host's.
        ASSERT_TRUE(host.render(0.0)) << host.fault;
        instance->sendMidi({{0, 0xb0, 123, 0}, {0, 0xb0, 64, 0}});
        ASSERT_TRUE(host.render(10.0)) << host.fault;
        std::cout << "seed " << seed << ": largest sample " << host.largest << " (threshold " << kThreshold
                  << "), last second's peak " << host.lastSecondPeak << " at " << host.currentRate << " Hz\n";
        EXPECT_LE(host.lastSecondPeak, kSilence) << "a note is still sounding";

        EXPECT_EQ(expected, AnswersOf(*instance));
        EXPECT_TRUE(host.askEveryText()) << host.fault;

        int32_t chunk[12] = {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 4, 5};
        const float amounts[] = {0.7f, 0.2f, 0.4f, 0.6f, 0.1f, 1.5f, 0.5f, 2.0f};
        std::memcpy(&chunk[2], amounts, sizeof amounts);
        ASSERT_EQ(48, instance->dispatch(effSetChunk, 0, 48, chunk));
        void* data = nullptr;
        ASSERT_EQ(48, instance->dispatch(effGetChunk, 0, 0, &data));
        ASSERT_NE(nullptr, data);
        EXPECT_EQ(0, std::memcmp(chunk, data, 48));
        EXPECT_FLOAT_EQ(0.75f, instance->getParameter(8));
    }

    PluginFolder folder;
};

TEST_P(HostileHostTest, SurvivesAndEndsSilentAndSane)
{
    runSeed(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostileHostTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

// By default the two seeds after the fixed ones.
TEST_F(HostileHostTest, FurtherSeeds)
{
    const char* first = std::getenv("VIRELLANDO_HOSTILE_SEED");
    const char* runs = std::getenv("VIRELLANDO_HOSTILE_RUNS");
    const uint32_t seed = first ? static_cast<uint32_t>(std::strtoul(first, nullptr, 10)) : 7;
    const uint32_t count = runs ? static_cast<uint32_t>(std::strtoul(runs, nullptr, 10)) : 2;
    for (uint32_t i = 0; i < count && !HasFatalFailure(); ++i)
        runSeed(seed + i);
}

} // namespace
