// Two hundred instances created and destroyed one after another, a few alive at a time, while the sample
// block of a large bank is being read: every instance holds the shared block once, a rate change keeps
// it, the last instance to go cancels a running read, and at the end the block is freed.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <random>
#include <vector>

#include "engine/SampleDataCache.h"
#include "hardening/PianoLikeBank.h"
#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"

using namespace instrument;

namespace
{
using InstrumentLifetime = InstrumentFixture;

constexpr int kInstances = 200;
constexpr size_t kMostAlive = 3;

TEST_F(InstrumentLifetime, TwoHundredInstancesComeAndGoWhileTheSampleBlockIsRead)
{
    writeBeside("DAT", hardening::MakePianoLikeBank(48u << 20).bytes());
    engine::SampleDataCache& cache = engine::SampleDataCache::shared();
    std::mt19937 random(200);
    std::vector<std::unique_ptr<VstXSynth>> alive;
    int leftWhileReading = 0;
    for (int created = 0; created < kInstances; ++created)
    {
        alive.push_back(std::make_unique<VstXSynth>(host));
        ASSERT_EQ(alive.size(), cache.userCount());
        ASSERT_NE(nullptr, cache.sampleData());
        if (std::uniform_int_distribution<int>(0, 3)(random) == 0)
        {
            const float rates[] = {22050.0f, 48000.0f, 96000.0f};
            alive.front()->setSampleRate(rates[created % 3]);
            ASSERT_EQ(alive.size(), cache.userCount()) << "a rate change must keep the block";
        }
        while (alive.size() > kMostAlive ||
               (!alive.empty() && std::uniform_int_distribution<int>(0, 1)(random)))
        {
            const auto gone = alive.begin() + std::uniform_int_distribution<long>(
                                                  0, static_cast<long>(alive.size()) - 1)(random);
            if (alive.size() == 1 && !cache.loadDone())
                ++leftWhileReading;
            alive.erase(gone);
            ASSERT_EQ(alive.size(), cache.userCount());
        }
    }
    alive.clear();
    std::cout << "the last instance left while the block was still being read " << leftWhileReading
              << " times\n";
    EXPECT_EQ(0u, cache.userCount());
    EXPECT_EQ(nullptr, cache.sampleData());
    EXPECT_EQ(0, VstXSynth::liveInstances());
}

} // namespace
