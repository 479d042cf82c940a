// Sixteen instances in one process, each holding dense chords at 128 voices, rendered block by block as a
// host renders its tracks. Prints the worst block time against the block's duration; it asserts only that
// every instance plays and stays finite, never a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <vector>

#include "hardening/PianoLikeBank.h"
#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"

using namespace host;
using namespace instrument;

namespace
{
using InstrumentLoad = InstrumentFixture;

constexpr int kInstances = 16;
constexpr int kBlockSize = 256;
constexpr double kRate = 44100.0;
constexpr double kSeconds = 3.0;
// 64 keys in two layers each: 128 voices per instance.
constexpr int kChordKeys = 64;
constexpr int kFirstKey = 30;
// The chord is released and struck again this often, so voices keep starting while the released ones
// ring out (up to 256 voices, the engine's polyphony, for the length of a release).
constexpr int kBlocksPerChord = 86;

// One chord: every key released at the block's start, then struck again across the block.
class Chord
{
public:
    Chord() : storage(sizeof(VstEvents) + (2 * kChordKeys - 2) * sizeof(VstEvent*))
    {
        auto* list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = 2 * kChordKeys;
        for (int i = 0; i < 2 * kChordKeys; ++i)
        {
            const bool on = i >= kChordKeys;
            const int key = kFirstKey + i % kChordKeys;
            VstMidiEvent& e = events[static_cast<size_t>(i)];
            e.type = kVstMidiType;
            e.byteSize = sizeof e;
            e.deltaFrames = on ? 1 + (i * 3) % (kBlockSize - 1) : 0;
            e.midiData[0] = static_cast<char>(on ? 0x90 : 0x80);
            e.midiData[1] = static_cast<char>(key);
            e.midiData[2] = static_cast<char>(on ? 40 + (i * 7) % 80 : 0);
            list->events[i] = reinterpret_cast<VstEvent*>(&e);
        }
    }
    VstEvents* list() { return reinterpret_cast<VstEvents*>(storage.data()); }

private:
    std::vector<unsigned char> storage;
    std::vector<VstMidiEvent> events = std::vector<VstMidiEvent>(2 * kChordKeys);
};

TEST_F(InstrumentLoad, SixteenInstancesRenderDenseChords)
{
    writeBeside("DAT", hardening::MakePianoLikeBank().bytes());
    std::vector<std::unique_ptr<VstXSynth>> synths;
    for (int i = 0; i < kInstances; ++i)
    {
        synths.push_back(std::make_unique<VstXSynth>(host));
        synths.back()->setSampleRate(static_cast<float>(kRate));
        synths.back()->setBlockSize(kBlockSize);
    }
    Chord chord;
    std::vector<float> left(kBlockSize), right(kBlockSize);
    float* outputs[2] = {left.data(), right.data()};
    std::vector<double> peak(kInstances, 0.0);
    int nonFinite = 0;
    double worstBlock = 0.0;
    double worstRound = 0.0;
    double totalRounds = 0.0;
    const int rounds = static_cast<int>(kSeconds * kRate / kBlockSize);
    using Clock = std::chrono::steady_clock;
    for (int round = 0; round < rounds; ++round)
    {
        const auto roundStart = Clock::now();
        for (int s = 0; s < kInstances; ++s)
        {
            const auto start = Clock::now();
            if (round % kBlocksPerChord == 0)
                synths[static_cast<size_t>(s)]->processEvents(chord.list());
            synths[static_cast<size_t>(s)]->processReplacing(nullptr, outputs, kBlockSize);
            worstBlock =
                std::max(worstBlock, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            for (int i = 0; i < kBlockSize; ++i)
            {
                nonFinite += !std::isfinite(left[static_cast<size_t>(i)]) ||
                             !std::isfinite(right[static_cast<size_t>(i)]);
                peak[static_cast<size_t>(s)] =
                    std::max(peak[static_cast<size_t>(s)],
                             static_cast<double>(std::fabs(left[static_cast<size_t>(i)])));
            }
        }
        const double roundMs = std::chrono::duration<double, std::milli>(Clock::now() - roundStart).count();
        worstRound = std::max(worstRound, roundMs);
        totalRounds += roundMs;
    }
    const double blockMs = kBlockSize / kRate * 1000.0;
    std::cout << kInstances << " instances at " << kChordKeys * 2 << " voices, blocks of " << kBlockSize
              << " frames lasting " << blockMs << " ms: worst single block " << worstBlock
              << " ms, worst round of all instances " << worstRound << " ms (" << 100.0 * worstRound / blockMs
              << " % of the block's duration), average round " << totalRounds / rounds << " ms\n";

    EXPECT_EQ(0, nonFinite);
    for (int s = 0; s < kInstances; ++s)
        EXPECT_GT(peak[static_cast<size_t>(s)], 0.01) << "instance " << s << " stayed silent";
}

} // namespace
