// Renders built banks with the engine's own SoundFont loader, as any SoundFont player would.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>

#include "engine/SampleDataCache.h"
#include "engine/SoundBankLoader.h"
#include "mkbank/BankBuilder.h"
#include "tools/mkbank/SourceBank.h"

namespace
{

using enginetest::TempFile;

constexpr double kRate = 44100.0;

class Render
{
public:
    // With a cache the bank loads through the instrument's own loader, else the engine's.
    explicit Render(const std::string& bank, engine::SampleDataCache* cache = nullptr)
    {
        settings = new_fluid_settings();
        fluid_settings_setint(settings, "synth.reverb.active", 0);
        fluid_settings_setint(settings, "synth.chorus.active", 0);
        fluid_settings_setnum(settings, "synth.sample-rate", kRate);
        handle = new_fluid_synth(settings);
        if (cache != nullptr)
        {
            bankLoaded = engine::RegisterSoundBankLoader(handle, *cache) &&
                         engine::LoadSoundBank(handle, bank.c_str()) >= 0;
            while (bankLoaded && !cache->loadDone())
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        else
        {
            bankLoaded = fluid_synth_sfload(handle, bank.c_str(), 1) >= 0;
        }
        fluid_synth_set_gain(handle, 0.4f);
    }
    ~Render()
    {
        delete_fluid_synth(handle);
        delete_fluid_settings(settings);
    }
    Render(const Render&) = delete;
    Render& operator=(const Render&) = delete;

    bool loaded() const { return bankLoaded; }
    fluid_synth_t* synth() { return handle; }
    // Appends seconds of audio; returns where they start.
    size_t run(double seconds)
    {
        const size_t start = leftSamples.size();
        const size_t frames = static_cast<size_t>(seconds * kRate);
        leftSamples.resize(start + frames);
        right.resize(start + frames);
        fluid_synth_write_float(handle, static_cast<int>(frames), leftSamples.data() + start, 0, 1,
                                right.data() + start, 0, 1);
        return start;
    }
    double rmsDb(double from, double to) const
    {
        double sum = 0.0;
        const size_t a = static_cast<size_t>(from * kRate), b = static_cast<size_t>(to * kRate);
        for (size_t i = a; i < b; ++i)
            sum += leftSamples[i] * leftSamples[i] + right[i] * right[i];
        return 10.0 * std::log10(sum / (2.0 * (b - a)) + 1e-30);
    }
    double peakDb() const
    {
        float peak = 0.0f;
        for (size_t i = 0; i < leftSamples.size(); ++i)
        {
            peak = std::max({peak, std::fabs(leftSamples[i]), std::fabs(right[i])});
        }
        return 20.0 * std::log10(peak + 1e-30);
    }
    const std::vector<float>& left() const { return leftSamples; }

private:
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* handle = nullptr;
    bool bankLoaded = false;
    std::vector<float> leftSamples, right;
};

class ResonanceRenderTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        source = new TempFile("mkbank-render-source", mkbank_test::MakeRenderSource().bytes());
        bank = new TempFile("mkbank-render-bank");
        talBank = new TempFile("mkbank-render-tal");
        mkbank::BuildOptions options;
        options.source = source->path();
        mkbank::BankBuilder builder;
        mkbank::BuildSummary summary;
        for (auto [tag, file] :
             {std::pair{sfwriter::FirstTag::Riff, bank}, std::pair{sfwriter::FirstTag::Tal, talBank}})
        {
            options.output = file->path();
            options.firstTag = tag;
            built = builder.build(options, summary);
            if (!built)
            {
                std::fprintf(stderr, "build failed: %s\n", builder.error().c_str());
                return;
            }
        }
    }
    static void TearDownTestSuite()
    {
        delete talBank;
        delete bank;
        delete source;
    }
    void SetUp() override { ASSERT_TRUE(built); }

    // Key 69 held 0.5 s with the sustain pedal down, then released; 4 s more with the pedal on.
    static std::unique_ptr<Render> playHeld(int envelope, int amount,
                                            engine::SampleDataCache* cache = nullptr)
    {
        auto render =
            cache ? std::make_unique<Render>(talBank->path(), cache) : std::make_unique<Render>(bank->path());
        fluid_synth_t* synth = render->synth();
        fluid_synth_cc(synth, 0, 64, 127);
        fluid_synth_cc(synth, 0, 21, envelope);
        fluid_synth_cc(synth, 0, 22, amount);
        fluid_synth_noteon(synth, 0, 69, 100);
        render->run(0.5);
        fluid_synth_noteoff(synth, 0, 69);
        render->run(4.0);
        return render;
    }

    static TempFile* source;
    static TempFile* bank;
    static TempFile* talBank;
    static bool built;
};

TempFile* ResonanceRenderTest::source = nullptr;
TempFile* ResonanceRenderTest::bank = nullptr;
TempFile* ResonanceRenderTest::talBank = nullptr;
bool ResonanceRenderTest::built = false;

TEST_F(ResonanceRenderTest, TalOutputPlaysTheSameThroughTheInstrumentsLoader)
{
    engine::SampleDataCache cache;
    const auto none = playHeld(0, 127, &cache);
    const auto full = playHeld(127, 127, &cache);
    EXPECT_EQ(none->left(), playHeld(0, 127)->left());
    EXPECT_EQ(full->left(), playHeld(127, 127)->left());
    Render noise(talBank->path(), &cache);
    ASSERT_TRUE(noise.loaded());
    fluid_synth_noteon(noise.synth(), 0, 123, 97);
    noise.run(0.5);
    EXPECT_GT(noise.peakDb(), -60.0);
}

TEST_F(ResonanceRenderTest, EitherControllerAtZeroSilencesTheLayerCompletely)
{
    const auto none = playHeld(0, 0);
    const auto envelopeOnly = playHeld(127, 0);
    const auto amountOnly = playHeld(0, 127);
    EXPECT_EQ(envelopeOnly->left(), none->left());
    EXPECT_EQ(amountOnly->left(), none->left());
}

TEST_F(ResonanceRenderTest, BothAtFullRingLouderAndLongerAfterTheNote)
{
    const auto off = playHeld(0, 127);
    const auto full = playHeld(127, 127);
    std::printf("  after note-off, pedal down: resonance off %.1f / %.1f / %.1f dBFS, "
                "full %.1f / %.1f / %.1f dBFS (0.5-1, 1.5-2, 3.5-4 s)\n",
                off->rmsDb(0.5, 1.0), off->rmsDb(1.5, 2.0), off->rmsDb(3.5, 4.0), full->rmsDb(0.5, 1.0),
                full->rmsDb(1.5, 2.0), full->rmsDb(3.5, 4.0));
    EXPECT_GT(full->rmsDb(0.5, 1.0), off->rmsDb(0.5, 1.0) + 2.0);
    // Longer ring: the gap widens as the note dies away.
    const double early = full->rmsDb(0.5, 1.0) - off->rmsDb(0.5, 1.0);
    const double late = full->rmsDb(3.5, 4.0) - off->rmsDb(3.5, 4.0);
    EXPECT_GT(late, early + 6.0);
}

TEST_F(ResonanceRenderTest, LayerSwellsRatherThanStrikes)
{
    const auto off = playHeld(0, 127);
    const auto full = playHeld(127, 127);
    // In the first 10 ms the slow attack keeps the layer well under its later share.
    const double attackGain = full->rmsDb(0.0, 0.01) - off->rmsDb(0.0, 0.01);
    const double laterGain = full->rmsDb(0.3, 0.5) - off->rmsDb(0.3, 0.5);
    std::printf("  resonance adds %.2f dB in the first 10 ms, %.2f dB at 0.3-0.5 s\n", attackGain, laterGain);
    EXPECT_LT(attackGain, laterGain / 4.0);
}

TEST_F(ResonanceRenderTest, PedalUpEnvelopeSilencesARingingLayer)
{
    auto render = std::make_unique<Render>(bank->path());
    fluid_synth_t* synth = render->synth();
    fluid_synth_cc(synth, 0, 22, 127);
    fluid_synth_cc(synth, 0, 21, 127);
    fluid_synth_noteon(synth, 0, 69, 100);
    render->run(1.0);
    fluid_synth_cc(synth, 0, 21, 0);
    render->run(1.0);
    const auto plain = playHeld(0, 0);
    // Once controller 21 falls to 0 the sound is the plain note's alone again.
    EXPECT_NEAR(render->rmsDb(1.5, 2.0), plain->rmsDb(1.5, 2.0), 0.5);
}

TEST_F(ResonanceRenderTest, PedalPressedAfterTheNoteBringsTheLayerIn)
{
    // Pedalling after the chord: the layer's voices started silent and must not have been
    // dropped as inaudible.
    auto render = std::make_unique<Render>(bank->path());
    fluid_synth_t* synth = render->synth();
    fluid_synth_cc(synth, 0, 22, 127);
    fluid_synth_noteon(synth, 0, 69, 100);
    render->run(0.5);
    fluid_synth_cc(synth, 0, 64, 127);
    fluid_synth_cc(synth, 0, 21, 127);
    fluid_synth_noteoff(synth, 0, 69);
    render->run(1.5);
    const auto plain = playHeld(0, 127);
    EXPECT_NEAR(render->rmsDb(0.0, 0.5), plain->rmsDb(0.0, 0.5), 0.01);
    EXPECT_GT(render->rmsDb(1.5, 2.0), plain->rmsDb(1.5, 2.0) + 6.0);
}

TEST_F(ResonanceRenderTest, NoiseKeysSoundWellBelowAFortissimoNote)
{
    Render fortissimo(bank->path());
    fluid_synth_noteon(fortissimo.synth(), 0, 69, 127);
    fortissimo.run(1.0);
    const double ff = fortissimo.peakDb();
    for (int key = 121; key <= 127; ++key)
    {
        Render noise(bank->path());
        fluid_synth_noteon(noise.synth(), 0, key, 97);
        noise.run(1.0);
        std::printf("  key %d at velocity 97: peak %.1f dBFS, %.1f dB under fortissimo\n", key,
                    noise.peakDb(), ff - noise.peakDb());
        EXPECT_GT(noise.peakDb(), ff - 50.0) << key;
        EXPECT_LT(noise.peakDb(), ff - 15.0) << key;
        // A noise is done within a second; nothing loops.
        EXPECT_LT(noise.rmsDb(0.95, 1.0), -120.0) << key;
    }
}

TEST_F(ResonanceRenderTest, PianoKeysNeverSoundTheNoisesAndNoiseKeysNeverThePiano)
{
    Render top(bank->path());
    fluid_synth_noteon(top.synth(), 0, 120, 100);
    top.run(0.5);
    // Key 120 plays the piano's tone, which is still ringing at 0.5 s; a noise would be over.
    EXPECT_GT(top.rmsDb(0.4, 0.5), -60.0);
    Render noise(bank->path());
    fluid_synth_noteon(noise.synth(), 0, 125, 97);
    noise.run(1.5);
    EXPECT_LT(noise.rmsDb(1.0, 1.5), -120.0);
}

} // namespace
