// Every preset's two-second stereo response, pinned bit for bit: an impulse, then a second of noise, at
// 44100 and 48000 Hz. Any change of arithmetic or of its order in the reverb shows up here.
#include "dsp/ReverbUnit.h"
#include "dsp/zreverb/CReverb.h"
#include "dsp/zreverb/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

using dsp::ReverbUnit;
using namespace zreverb;

namespace
{

struct Pin
{
    int rate;
    int preset;
    uint64_t hash;
};

const Pin kPins[] = {
    {44100, 0, 0xc3637cc21ceefb4full}, {44100, 1, 0xb2ecea696505e299ull}, {44100, 2, 0x1ecc6189c4a4c423ull},
    {44100, 3, 0x85ee0bee85078daeull}, {44100, 4, 0x94f6e47229c71504ull}, {44100, 5, 0xab923bd487c36863ull},
    {44100, 6, 0xd73d8f17c4b8cc49ull}, {48000, 0, 0x9f273d0ab9896970ull}, {48000, 1, 0x6c6a500bdd5e1fa1ull},
    {48000, 2, 0x74ce378d44f988b2ull}, {48000, 3, 0x02f41fec523752a0ull}, {48000, 4, 0x26bfe80acaa46a27ull},
    {48000, 5, 0x27b0291861a18038ull}, {48000, 6, 0xcd8b173af3da4e65ull},
};

// Host blocks of uneven sizes, including a single frame and one above the unit's chunk.
const int kBlocks[] = {256, 1, 4097, 64, 333, 2048, 7};

struct Stereo
{
    std::vector<float> left;
    std::vector<float> right;
};

// An impulse on each channel (the right one later and inverted), then a second of independent noise.
Stereo Excitation(int rate)
{
    const size_t frames = static_cast<size_t>(2 * rate);
    Stereo in{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
    in.left[0] = 1.0f;
    in.right[100] = -0.5f;
    uint32_t seed = 12345;
    for (size_t i = static_cast<size_t>(rate); i < frames; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        in.left[i] = static_cast<float>(static_cast<int32_t>(seed)) * 2.3283064e-10f;
        seed = seed * 1664525u + 1013904223u;
        in.right[i] = static_cast<float>(static_cast<int32_t>(seed)) * 1.1641532e-10f;
    }
    return in;
}

// FNV-1a over the bits of each frame, left then right.
uint64_t Hash(const std::vector<float>& left, const std::vector<float>& right)
{
    uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](float v)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        for (int b = 0; b < 4; ++b)
        {
            hash = (hash ^ ((bits >> (8 * b)) & 0xFFu)) * 1099511628211ull;
        }
    };
    for (size_t i = 0; i < left.size(); ++i)
    {
        add(left[i]);
        add(right[i]);
    }
    return hash;
}

uint64_t ThroughTheUnit(const Pin& pin, Stereo signal)
{
    zreverb::SeedRuntimeRandom(1);
    ReverbUnit unit(pin.rate);
    EXPECT_EQ(kReverbOk, unit.SetPreset(pin.preset));
    EXPECT_EQ(kReverbOk, unit.SetMix(1.0f));
    const int frames = static_cast<int>(signal.left.size());
    for (int done = 0, b = 0; done < frames; ++b)
    {
        const int block = std::min(kBlocks[b % std::size(kBlocks)], frames - done);
        EXPECT_TRUE(unit.Process(signal.left.data() + done, signal.right.data() + done, block));
        done += block;
    }
    return Hash(signal.left, signal.right);
}

uint64_t ThroughInterleavedFrames(const Pin& pin, const Stereo& signal)
{
    zreverb::SeedRuntimeRandom(1);
    CReverb reverb;
    EXPECT_EQ(kReverbOk, reverb.Create(pin.rate, 2, 0));
    EXPECT_EQ(kReverbOk, reverb.SetPreset(pin.preset));
    EXPECT_EQ(kReverbOk, reverb.SetMix(1.0f));
    const size_t frames = signal.left.size();
    std::vector<float> frame(2 * frames);
    for (size_t i = 0; i < frames; ++i)
    {
        frame[2 * i] = signal.left[i];
        frame[2 * i + 1] = signal.right[i];
    }
    for (size_t done = 0; done < frames; done += CReverb::kMaxFrames)
    {
        const int block = static_cast<int>(std::min<size_t>(CReverb::kMaxFrames, frames - done));
        EXPECT_EQ(kReverbOk, reverb.Process(&frame[2 * done], &frame[2 * done], block));
    }
    Stereo out{std::vector<float>(frames), std::vector<float>(frames)};
    for (size_t i = 0; i < frames; ++i)
    {
        out.left[i] = frame[2 * i];
        out.right[i] = frame[2 * i + 1];
    }
    return Hash(out.left, out.right);
}

TEST(ReverbResponseTest, EveryPresetAtBothRatesKeepsItsResponseBitForBit)
{
    for (const Pin& pin : kPins)
    {
        const Stereo in = Excitation(pin.rate);
        EXPECT_EQ(pin.hash, ThroughTheUnit(pin, in)) << "rate " << pin.rate << " preset " << pin.preset;
        EXPECT_EQ(pin.hash, ThroughInterleavedFrames(pin, in))
            << "interleaved, rate " << pin.rate << " preset " << pin.preset;
    }
}

} // namespace
