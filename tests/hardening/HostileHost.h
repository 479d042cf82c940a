// A careless or hostile host: seeded random calls of every opcode with odd arguments, parameters, chunks,
// rates, block sizes and events out of range. Every rendered sample must be finite and within the
// limiter's bound; every text the instance writes must keep to the length the interface allows.
#pragma once

#include <cmath>
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
    // Renders at least one block; lastSecondPeak() is the largest magnitude in its last second.
    bool render(double seconds);

    const std::string& fault() const { return faultText; }
    double lastSecondPeak() const { return finalSecondPeak; }
    double largest() const { return largestSeen; }
    float sampleRate() const { return currentRate; }
    static double threshold() { return std::pow(10.0, -0.5 / 20.0); }

private:
    // The host's actions; each is false at a fault.
    bool randomBlock(), randomMidi(), noteStorm(), oddEvents(), eventLists(), randomParameter();
    bool randomChunk(), setProgram(), changeRate(), changeBlockSize(), randomOpcode(), randomStep();
    bool renderBlock(int frames);
    bool fail(const std::string& what);
    bool askText(host::VstInt32 opcode, host::VstInt32 index, size_t allowed, host::VstIntPtr value = 0);

    int randomInt(int low, int high) { return std::uniform_int_distribution<int>(low, high)(generator); }
    float uniform(float a, float b) { return std::uniform_real_distribution<float>(a, b)(generator); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(generator) < p; }
    template <typename T, size_t N> T pick(const T (&from)[N]) { return from[randomInt(0, int{N} - 1)]; }
    float oddFloat();
    host::VstInt32 oddIndex(int count), oddOffset();
    std::string oddName(), randomBytes(int count, int lowest), storedChunk();

    plughost::PluginInstance& instance;
    std::mt19937 generator;
    float currentRate;
    host::VstInt32 blockSize = 1024;
    bool changeRates = true;
    double largestSeen = 0.0, blockPeak = 0.0, finalSecondPeak = 0.0;
    std::vector<float> left, right;
    std::vector<char> textBuffer;
    std::string faultText, lastAction;
};
