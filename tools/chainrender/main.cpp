// Renders the instrument's effects chain (equaliser with a lid curve, reverb send, tone controls, volume,
// limiter) on a fixed test signal, in blocks of changing size, into one WAV file per rate. The signal is
// made with integer noise and multiplications only, so that it is the same on every system; two builds of
// the chain that compute alike write the same files, byte for byte.
//   virellando-chainrender FOLDER
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "instrument/EffectsChain.h"
#include "piano/LidCurves.h"
#include "render/RenderStats.h"
#include "render/WavWriter.h"

using namespace instrument;
using namespace piano;
using namespace render;

namespace
{

constexpr int kLargestBlock = 1024;

// A piano-like signal: struck tones that decay (recursive oscillators with fixed coefficients), a burst
// of loud noise, single impulses, and a silence long enough for the reverb to fall asleep before the
// last strike wakes it.
class TestSignal
{
public:
    explicit TestSignal(int rateHz) : rate(rateHz) {}

    int frames() const { return 5 * rate; }

    void next(float& left, float& right)
    {
        const int second = frame / rate;
        const int within = frame % rate;
        left = 0.0f;
        right = 0.0f;
        if (within == 0 && (second == 0 || second == 4))
            strike();
        if (second == 1 && within >= rate / 5 && within < rate / 5 + rate / 20)
        {
            left += 1.5f * noise();
            right += 1.5f * noise();
        }
        if (second == 1 && (within == rate / 2 || within == rate / 2 + 977))
        {
            left += 0.9f;
            right -= 0.7f;
        }
        if (second < 1 || second >= 4)
            for (Tone& tone : tones)
            {
                const float value = tone.coefficient * tone.previous - tone.beforePrevious;
                tone.beforePrevious = tone.previous;
                tone.previous = value * tone.decay;
                left += value * tone.leftGain;
                right += value * tone.rightGain;
            }
        ++frame;
    }

private:
    struct Tone
    {
        float coefficient; // twice the cosine of the tone's step, so no trigonometry is needed
        float decay;
        float leftGain;
        float rightGain;
        float previous;
        float beforePrevious;
    };

    void strike()
    {
        tones = {{1.9990f, 0.99995f, 0.35f, 0.25f, 0.5f, 0.0f},
                 {1.9800f, 0.99990f, 0.25f, 0.35f, 0.5f, 0.0f},
                 {1.8000f, 0.99970f, 0.30f, 0.30f, 0.5f, 0.0f},
                 {0.9000f, 0.99900f, 0.10f, 0.12f, 0.5f, 0.0f}};
    }

    float noise()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<int32_t>(state) / 256) * (1.0f / 8388608.0f);
    }

    int rate;
    int frame = 0;
    uint32_t state = 12345u;
    std::vector<Tone> tones;
};

struct Setting
{
    int lid;
    int reverbType;
    float reverbAmount;
    float bass, middle, treble;
    float volume;
};

// The instrument's default program first, then every lid, every reverb room and the tone controls away
// from unity, the volume up and down.
const Setting kSettings[] = {
    {3, 0, 0.3f, 1.0f, 1.0f, 1.0f, 0.5f},  {0, 1, 0.5f, 1.6f, 0.7f, 1.2f, 0.8f},
    {1, 2, 0.8f, 0.4f, 1.3f, 1.9f, 0.3f},  {2, 3, 1.0f, 2.0f, 2.0f, 0.0f, 0.5f},
    {3, 4, 0.25f, 1.0f, 0.5f, 1.5f, 1.0f}, {0, 5, 0.6f, 0.8f, 1.1f, 0.9f, 0.65f},
    {2, 6, 0.4f, 1.2f, 0.9f, 1.4f, 0.55f}, {1, 3, 0.0f, 1.0f, 1.0f, 1.0f, 0.9f},
};

bool RenderRate(const std::string& folder, int rateHz)
{
    const std::string path = folder + "/chain-" + std::to_string(rateHz) + ".wav";
    WavWriter writer;
    if (!writer.open(path, static_cast<uint32_t>(rateHz), SampleFormat::Float32))
    {
        std::fprintf(stderr, "%s\n", writer.error().c_str());
        return false;
    }
    RenderStats stats(static_cast<uint32_t>(rateHz));
    const LidCurves curves;
    std::vector<float> left(kLargestBlock);
    std::vector<float> right(kLargestBlock);
    uint32_t blockState = 777u;
    for (const Setting& setting : kSettings)
    {
        EffectsChain chain;
        chain.create(static_cast<float>(rateHz));
        if (!chain.prepare(kLargestBlock))
            return false;
        chain.setLidCurve(curves.curve(setting.lid));
        chain.setReverbType(setting.reverbType);
        chain.setReverbAmount(setting.reverbAmount);
        chain.setToneGain(0, setting.bass);
        chain.setToneGain(1, setting.middle);
        chain.setToneGain(2, setting.treble);
        chain.setVolume(setting.volume);
        TestSignal signal(rateHz);
        for (int done = 0; done < signal.frames();)
        {
            blockState = blockState * 1103515245u + 12345u;
            int frames = 1 + static_cast<int>((blockState >> 16) % kLargestBlock);
            if (frames > signal.frames() - done)
                frames = signal.frames() - done;
            for (int i = 0; i < frames; ++i)
                signal.next(left[static_cast<size_t>(i)], right[static_cast<size_t>(i)]);
            chain.process(left.data(), right.data(), frames);
            writer.write(left.data(), right.data(), static_cast<uint32_t>(frames));
            stats.addBlock(left.data(), right.data(), static_cast<uint32_t>(frames));
            done += frames;
        }
    }
    if (!writer.close())
    {
        std::fprintf(stderr, "%s\n", writer.error().c_str());
        return false;
    }
    std::printf("%s\n%s", path.c_str(), stats.summary().c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: virellando-chainrender FOLDER\n");
        return 2;
    }
    for (const int rateHz : {44100, 48000, 96000})
        if (!RenderRate(argv[1], rateHz))
            return 1;
    return 0;
}
