#include "mkbank/MechanicalNoiseSynthesizer.h"

#include <algorithm>
#include <cmath>

#include "mkbank/Resonator.h"
#include "mkbank/SoundFontNumbers.h"
#include "mkbank/WhiteNoise.h"

using namespace engine;

namespace mkbank
{
namespace
{

constexpr double kRate = MechanicalNoiseSynthesizer::kSampleRate;
constexpr double kFadeSeconds = 0.02;
constexpr double kDcCutoffHz = 20.0;

struct Mode
{
    double frequency; // Hz
    double decay;     // seconds to 1/e
    double weight;
};

// One part of a noise: a noise excitation with a linear rise and an exponential fall, through
// parallel body modes (or none: the noise itself) and a gentle low-pass.
struct Burst
{
    double levelDb; // relative to the other parts, each normalised to peak 1 first
    double delay;   // seconds from the noise's start
    double attack;
    double decay;
    std::vector<Mode> modes;
    double lowpassHz;
};

double Lerp(double from, double to, double t)
{
    return from + (to - from) * t;
}

double KeyFrequency(double key)
{
    return 440.0 * std::pow(2.0, (key - 69.0) / 12.0);
}

void NormalisePeak(std::vector<float>& signal, double peak)
{
    float largest = 0.0f;
    for (float s : signal)
        largest = std::max(largest, std::fabs(s));
    if (largest == 0.0f)
        return;
    const double scale = peak / largest;
    for (float& s : signal)
        s = static_cast<float>(s * scale);
}

std::vector<float> RenderBurst(const Burst& burst, size_t length, uint32_t seed)
{
    WhiteNoise noise(seed);
    std::vector<Resonator> modes;
    for (const Mode& mode : burst.modes)
        modes.emplace_back(mode.frequency, mode.decay, kRate);
    const double pi = std::acos(-1.0);
    const double lowpass = 1.0 - std::exp(-2.0 * pi * burst.lowpassHz / kRate);
    std::vector<float> out(length, 0.0f);
    double smoothed = 0.0;
    for (size_t n = 0; n < length; ++n)
    {
        const double t = static_cast<double>(n) / kRate - burst.delay;
        double envelope = 0.0;
        if (t >= 0.0)
        {
            envelope = t < burst.attack ? t / burst.attack : std::exp(-(t - burst.attack) / burst.decay);
        }
        const float excitation = static_cast<float>(noise.next() * envelope);
        double sum = modes.empty() ? excitation : 0.0;
        for (size_t m = 0; m < modes.size(); ++m)
        {
            sum += burst.modes[m].weight * modes[m].process(excitation);
        }
        smoothed += lowpass * (sum - smoothed);
        out[n] = static_cast<float>(smoothed);
    }
    NormalisePeak(out, 1.0);
    return out;
}

// Mixes the parts, removes any DC, fades the tail to exact silence and sets the peak level.
std::vector<float> Mix(const std::vector<Burst>& bursts, double seconds, uint32_t seed, double peakDb)
{
    const size_t length = static_cast<size_t>(seconds * kRate);
    std::vector<float> mix(length, 0.0f);
    for (size_t b = 0; b < bursts.size(); ++b)
    {
        const auto partSeed = seed * 16u + static_cast<uint32_t>(b);
        const std::vector<float> part = RenderBurst(bursts[b], length, partSeed);
        const double gain = std::pow(10.0, bursts[b].levelDb / 20.0);
        for (size_t n = 0; n < length; ++n)
            mix[n] += static_cast<float>(gain * part[n]);
    }
    const double pi = std::acos(-1.0);
    const double dcPole = std::exp(-2.0 * pi * kDcCutoffHz / kRate);
    double previousIn = 0.0, previousOut = 0.0;
    for (float& s : mix)
    {
        const double out = s - previousIn + dcPole * previousOut;
        previousIn = s;
        previousOut = out;
        s = static_cast<float>(out);
    }
    const size_t fade = std::min(length, static_cast<size_t>(kFadeSeconds * kRate));
    for (size_t i = 0; i < fade; ++i)
    {
        const double x = static_cast<double>(i + 1) / static_cast<double>(fade);
        mix[length - fade + i] *= static_cast<float>(0.5 + 0.5 * std::cos(pi * x));
    }
    NormalisePeak(mix, std::pow(10.0, peakDb / 20.0));
    return mix;
}

// The open strings that ring up as the dampers lift or ring out as they fall: a spread of keys
// over the compass, each with its slightly sharp second partial.
std::vector<Mode> StringModes(double decay, double weight)
{
    std::vector<Mode> modes;
    for (int key : {28, 33, 36, 40, 43, 45, 48, 52, 55, 57, 60, 64, 67, 69, 72, 76, 79, 84, 88, 91})
    {
        const double f = KeyFrequency(key);
        modes.push_back({f, decay, weight});
        modes.push_back({f * 2.003, decay * 0.6, weight * 0.5});
    }
    return modes;
}

} // namespace

double MechanicalNoiseSynthesizer::peakDecibels(uint8_t key)
{
    // Through the engine at the default hammer amount these peak some 32 dB (pedals) and 33 to
    // 45 dB (key releases, bass to treble) under a fortissimo note of a typical piano bank.
    if (key == piano::kFirstNoiseKey)
        return -20.0;
    if (key == piano::kFirstNoiseKey + 1)
        return -21.0;
    // Key releases: heavier dampers in the bass; the top register only has the key's knock.
    const int registerIndex = key - (piano::kFirstNoiseKey + 2);
    return -22.0 - 2.0 * registerIndex - (registerIndex == 4 ? 4.0 : 0.0);
}

std::vector<float> MechanicalNoiseSynthesizer::render(uint8_t key)
{
    if (key < piano::kFirstNoiseKey || key > piano::kLastNoiseKey)
        return {};
    if (key == piano::kFirstNoiseKey)
        return pedalDown();
    if (key == piano::kFirstNoiseKey + 1)
        return pedalUp();
    return keyRelease(key - (piano::kFirstNoiseKey + 2));
}

std::vector<float> MechanicalNoiseSynthesizer::pedalDown()
{
    const std::vector<Burst> parts = {
        // The pedal rod and lever: a dull wooden thump.
        {0.0, 0.0, 0.003, 0.03, {{65.0, 0.10, 1.0}, {130.0, 0.06, 0.6}, {310.0, 0.03, 0.3}}, 1500.0},
        // Strings freed by the rising dampers swell softly and ring away.
        {-12.0, 0.01, 0.06, 0.25, StringModes(0.35, 0.22), 3000.0},
        // The felts leaving the strings: a faint brush.
        {-20.0, 0.005, 0.008, 0.05, {{2500.0, 0.002, 1.0}}, 8000.0},
    };
    return Mix(parts, 0.9, piano::kFirstNoiseKey, peakDecibels(piano::kFirstNoiseKey));
}

std::vector<float> MechanicalNoiseSynthesizer::pedalUp()
{
    const std::vector<Burst> parts = {
        // All dampers landing at once: a soft, low felt thump.
        {0.0, 0.0, 0.002, 0.02, {{95.0, 0.08, 1.0}, {190.0, 0.04, 0.5}}, 1800.0},
        {-8.0, 0.002, 0.002, 0.03, {{900.0, 0.003, 1.0}}, 5000.0},
        // The strings' ring cut short under the felts.
        {-14.0, 0.0, 0.002, 0.02, StringModes(0.06, 0.22), 3000.0},
        // The pedal coming back against its stop.
        {-12.0, 0.03, 0.0005, 0.003, {{420.0, 0.02, 1.0}, {1100.0, 0.008, 0.5}}, 5000.0},
    };
    return Mix(parts, 0.5, piano::kFirstNoiseKey + 1, peakDecibels(piano::kFirstNoiseKey + 1));
}

std::vector<float> MechanicalNoiseSynthesizer::keyRelease(int registerIndex)
{
    const double t = registerIndex / 4.0; // 0 bass .. 1 treble
    const bool hasDampers = registerIndex < 4;
    const double middleKey = 21.0 + 18.0 * registerIndex + 8.5;
    const double string = KeyFrequency(middleKey);
    std::vector<Burst> parts = {
        // The damper's felt on the strings.
        {hasDampers ? 0.0 : -14.0,
         0.0,
         0.002,
         Lerp(0.018, 0.008, t),
         {{Lerp(85.0, 240.0, t), Lerp(0.07, 0.03, t), 1.0},
          {Lerp(170.0, 480.0, t), Lerp(0.04, 0.02, t), 0.5}},
         2000.0},
        {-6.0, 0.001, 0.001, Lerp(0.02, 0.01, t), {{Lerp(600.0, 1500.0, t), 0.004, 1.0}}, 4000.0},
        // The key falling back onto its rest rail: a small, woody knock.
        {hasDampers ? -10.0 : -4.0,
         Lerp(0.012, 0.008, t),
         0.0005,
         0.002,
         {{Lerp(500.0, 900.0, t), 0.012, 1.0}, {Lerp(1300.0, 2100.0, t), 0.006, 0.6}},
         6000.0},
    };
    if (hasDampers)
    {
        // What is left of the string's ring as the felt stops it.
        parts.push_back({-15.0,
                         0.0,
                         0.001,
                         0.01,
                         {{string, Lerp(0.05, 0.02, t), 1.0},
                          {string * 2.003, Lerp(0.03, 0.015, t), 0.5},
                          {string * 3.01, Lerp(0.02, 0.01, t), 0.3}},
                         4000.0});
    }
    const uint8_t key = static_cast<uint8_t>(piano::kFirstNoiseKey + 2 + registerIndex);
    return Mix(parts, Lerp(0.30, 0.15, t), key, peakDecibels(key));
}

} // namespace mkbank
