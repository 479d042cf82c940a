// The threads that meet in one instrument, all at once: the host's audio thread processing blocks, the
// editor's thread queueing keys and pedals and reading the display state, an automation thread setting
// parameters and chunks, the background read of the sample block, and the host's thread creating and
// destroying further instances. And instances coming and going while the sample block is read. Run under
// ThreadSanitizer by scripts/test-threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "engine/SampleDataCache.h"
#include "hardening/PianoLikeBank.h"
#include "instrument/InstrumentFixture.h"
#include "instrument/VstXSynth.h"

using namespace host;
using namespace instrument;

namespace
{
using InstrumentThreads = InstrumentFixture;
using InstrumentLifetime = InstrumentFixture;

constexpr int kBlockSize = 256;
constexpr int kBlocks = 1500;
constexpr int kMaxEvents = 6;
constexpr int kInstances = 200;
constexpr size_t kMostAlive = 3;

TEST_F(InstrumentThreads, AudioEditorAutomationLoadingAndLifetimeMeetWithoutARace)
{
    // Large enough that the background read is still filling the block while the first blocks play.
    writeBeside("DAT", hardening::MakePianoLikeBank(16u << 20).bytes());
    auto synth = std::make_unique<VstXSynth>(host);
    synth->setBlockSize(kBlockSize);
    std::atomic<bool> stop{false};
    std::atomic<int> nonFinite{0};

    // The host's blocks, each with a few notes and pedals at random offsets.
    std::thread audio(
        [&]
        {
            std::mt19937 random(11);
            std::uniform_int_distribution<int> kind(0, 9), key(21, 108), byte(0, 127),
                frame(0, kBlockSize - 1);
            VstMidiEvent events[kMaxEvents] = {};
            // VstEvents declares two pointers; hosts make the list as long as they need.
            std::vector<unsigned char> storage(sizeof(VstEvents) + kMaxEvents * sizeof(VstEvent*));
            auto* list = reinterpret_cast<VstEvents*>(storage.data());
            std::vector<float> left(kBlockSize), right(kBlockSize);
            float* outputs[2] = {left.data(), right.data()};
            for (int block = 0; block < kBlocks; ++block)
            {
                list->numEvents = std::uniform_int_distribution<int>(0, kMaxEvents)(random);
                for (int i = 0; i < list->numEvents; ++i)
                {
                    VstMidiEvent& e = events[i];
                    e.type = kVstMidiType;
                    e.byteSize = sizeof e;
                    e.deltaFrames = frame(random);
                    const int k = kind(random);
                    e.midiData[0] = static_cast<char>(k < 5 ? 0x90 : k < 8 ? 0x80 : 0xb0);
                    e.midiData[1] = static_cast<char>(k < 8 ? key(random) : k == 8 ? 64 : 91);
                    e.midiData[2] = static_cast<char>(byte(random));
                    list->events[i] = reinterpret_cast<VstEvent*>(&e);
                }
                synth->processEvents(list);
                synth->processReplacing(nullptr, outputs, kBlockSize);
                for (int i = 0; i < kBlockSize; ++i)
                    if (!std::isfinite(left[static_cast<size_t>(i)]) ||
                        !std::isfinite(right[static_cast<size_t>(i)]))
                        ++nonFinite;
            }
            stop = true;
        });
    std::thread editor(
        [&]
        {
            std::mt19937 random(12);
            std::uniform_int_distribution<int> key(21, 108);
            while (!stop)
            {
                const int k = key(random);
                synth->keyPressed(k, 100);
                synth->sustainPedal(k % 2 == 0);
                synth->softPedal(k % 3 == 0);
                synth->keyReleased(k, 64);
                // The editor's refresh reads the display state without a lock.
                if (synth->takeDisplayChanged())
                    for (int shown = 21; shown <= 108; ++shown)
                        synth->isKeyDown(shown);
                synth->isSustainDown();
                synth->isSoftDown();
                synth->requestedSettings();
                // A fast player, but a person: a few hundred events a second.
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    std::thread automation(
        [&]
        {
            std::mt19937 random(13);
            std::uniform_int_distribution<int> index(0, VstXSynth::kNumParams - 1);
            std::uniform_real_distribution<float> value(0.0f, 1.0f);
            char text[64];
            while (!stop)
            {
                const int i = index(random);
                synth->setParameter(i, value(random));
                synth->getParameter(i);
                synth->getParameterDisplay(i, text);
                void* chunk = nullptr;
                const VstInt32 size = synth->getChunk(&chunk, false);
                std::vector<unsigned char> copy(static_cast<const unsigned char*>(chunk),
                                                static_cast<const unsigned char*>(chunk) + size);
                synth->setChunk(copy.data(), size, false);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });

    // The host's own thread meanwhile loads and unloads more instances of the plug-in, at least one however
    // soon the audio thread is done.
    do
        std::make_unique<VstXSynth>(host).reset();
    while (!stop);
    audio.join();
    editor.join();
    automation.join();
    synth.reset();

    EXPECT_EQ(0, nonFinite.load());
    EXPECT_EQ(0u, engine::SampleDataCache::shared().userCount());
    EXPECT_EQ(nullptr, engine::SampleDataCache::shared().sampleData());
}

// Two hundred instances created and destroyed one after another, a few alive at a time, while the sample
// block of a large bank is being read: every instance holds the shared block once, a rate change keeps
// it, the last instance to go cancels a running read, and at the end the block is freed.
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
