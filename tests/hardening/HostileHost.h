// Plays a careless or hostile host against one plug-in instance: seeded random calls of every dispatcher
// opcode with odd arguments (indices out of range, empty and 4 KiB names, null where the interface allows
// it), parameters with NaN, infinities and values far out of range, chunks of random sizes and contents,
// program changes, sample rates and block sizes changing between blocks, MIDI of every status with random
// data bytes, system-exclusive and unknown events, offsets beyond the block, note storms and several event
// lists before one block. Every sample it renders must be finite and within the limiter's bound; every text
// the instance writes is checked against the length the interface allows.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "plughost/PluginHost.h"

class HostileHost
{
public:
    HostileHost(plughost::PluginInstance& plugin, uint32_t seed, float startRate);

    // Runs random steps; false at the first fault, which fault() then describes.
    bool run(int steps, bool withRateChanges);
    // Sets a sample rate and block size the engine runs at.
    void settle();
    // Sends events at offset 0 of the next block.
    void sendMidi(const std::vector<plughost::PluginInstance::Midi>& events);
    // Renders the given time, at least one block, in blocks of the current block size; false at a faulty
    // block. The largest sample magnitude of the final second is left in lastSecondPeak().
    bool render(double seconds);

    const std::string& fault() const { return faultText; }
    double lastSecondPeak() const { return finalSecondPeak; }
    float sampleRate() const { return currentRate; }
    // The largest sample magnitude rendered so far.
    double largest() const { return largestSeen; }
    // The limiter holds -0.5 dB; its envelope closes 99 % of a step within the 5 ms attack (its
    // look-ahead) and falls back over 50 ms, so a peak its hold misses comes out at most
    // 1 / ((1 - 0.01) x 0.01^(5 / 50)) above the threshold, at every rate.
    static double threshold();
    static double ceiling();

private:
    bool renderBlock(int frames);
    bool randomStep();
    bool randomOpcode();
    bool askText(host::VstInt32 opcode, host::VstInt32 index, size_t allowed, host::VstIntPtr value = 0);
    bool randomParameter();
    void randomChunk();
    void randomMidi();
    void oddEvents();
    void noteStorm();
    void changeRate();
    void changeBlockSize();

    int randomInt(int low, int high);
    template <typename T, size_t N> T pick(const T (&choices)[N])
    {
        return choices[randomInt(0, static_cast<int>(N) - 1)];
    }
    bool chance(double p);
    float oddFloat();
    host::VstInt32 oddIndex(int count);
    host::VstInt32 oddOffset();
    std::string oddName();
    bool fail(const std::string& what);

    plughost::PluginInstance& instance;
    std::mt19937 generator;
    double largestSeen = 0.0;
    float currentRate;
    host::VstInt32 blockSize = 1024;
    std::vector<float> left;
    std::vector<float> right;
    std::vector<char> textBuffer;
    std::string faultText;
    std::string lastAction;
    bool changeRates = true;
    double finalSecondPeak = 0.0;
};
