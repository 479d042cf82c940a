// Renders built banks with FluidSynth's own SoundFont loader, as any SoundFont player would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/FluidSynthLibrary.h"
#include "mkbank/BankBuilder.h"
#include "tools/mkbank/SourceBank.h"

using namespace engine;

namespace
{

using enginetest::TempFile;

constexpr double kRate = 44100.0;

class Render
{
public:
    explicit Render(const std::string& bank)
    {
        FluidSynth().fluid_settings_setint(settings, "synth.reverb.active", 0);
        FluidSynth().fluid_settings_setint(settings, "synth.chorus.active", 0);
        FluidSynth().fluid_settings_setnum(settings, "synth.sample-rate", kRate);
        synth = FluidSynth().new_fluid_synth(settings);
        EXPECT_GE(FluidSynth().fluid_synth_sfload(synth, bank.c_str(), 1), 0);
        FluidSynth().fluid_synth_set_gain(synth, 0.4f);
    }
    ~Render()
    {
        FluidSynth().delete_fluid_synth(synth);
        FluidSynth().delete_fluid_settings(settings);
    }
    Render(const Render&) = delete;
    Render& operator=(const Render&) = delete;

    // Appends seconds of audio.
    void run(double seconds)
    {
        const size_t start = left.size(), frames = static_cast<size_t>(seconds * kRate);
        left.resize(start + frames);
        right.resize(start + frames);
        FluidSynth().fluid_synth_write_float(synth, int(frames), left.data() + start, 0, 1,
                                             right.data() + start, 0, 1);
    }
    double rmsDb(double from, double to) const
    {
        double sum = 0.0;
        const size_t a = static_cast<size_t>(from * kRate), b = static_cast<size_t>(to * kRate);
        for (size_t i = a; i < b; ++i)
            sum += left[i] * left[i] + right[i] * right[i];
        return 10.0 * std::log10(sum / (2.0 * (b - a)) + 1e-30);
    }
    double peakDb() const
    {
        float peak = 0.0f;
        for (size_t i = 0; i < left.size(); ++i)
            peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
        return 20.0 * std::log10(peak + 1e-30);
    }

    fluid_settings_t* settings = FluidSynth().new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    std::vector<float> left, right;
};

class ResonanceRenderTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        source = new TempFile("mkbank-render-source", mkbank_test::MakeRenderSource().bytes());
        bank = new TempFile("mkbank-render-bank");
        mkbank::BuildOptions options;
        options.source = source->path();
        options.output = bank->path();
        options.firstTag = sfwriter::FirstTag::Riff;
        mkbank::BuildSummary summary;
        mkbank::BankBuilder builder;
        built = builder.build(options, summary);
        EXPECT_TRUE(built) << builder.error();
    }
    static void TearDownTestSuite()
    {
        delete bank;
        delete source;
    }
    void SetUp() override { ASSERT_TRUE(built); }

    // Key 69 held 0.5 s with the sustain pedal down, then released; 4 s more with the pedal on.
    static std::unique_ptr<Render> playHeld(int envelope, int amount)
    {
        auto render = std::make_unique<Render>(bank->path());
        FluidSynth().fluid_synth_cc(render->synth, 0, 64, 127);
        FluidSynth().fluid_synth_cc(render->synth, 0, 21, envelope);
        FluidSynth().fluid_synth_cc(render->synth, 0, 22, amount);
        FluidSynth().fluid_synth_noteon(render->synth, 0, 69, 100);
        render->run(0.5);
        FluidSynth().fluid_synth_noteoff(render->synth, 0, 69);
        render->run(4.0);
        return render;
    }

    static TempFile* source;
    static TempFile* bank;
    static bool built;
};

TempFile* ResonanceRenderTest::source = nullptr;
TempFile* ResonanceRenderTest::bank = nullptr;
bool ResonanceRenderTest::built = false;

TEST_F(ResonanceRenderTest, EitherControllerAtZeroSilencesTheLayerCompletely)
{
    const auto none = playHeld(0, 0);
    EXPECT_EQ(playHeld(127, 0)->left, none->left);
    EXPECT_EQ(playHeld(0, 127)->left, none->left);
}

TEST_F(ResonanceRenderTest, BothAtFullSwellInAndRingLouderAndLongerAfterTheNote)
{
    const auto off = playHeld(0, 127);
    const auto full = playHeld(127, 127);
    const auto gain = [&](double from, double to) { return full->rmsDb(from, to) - off->rmsDb(from, to); };
    // In the first 10 ms the slow attack keeps the layer well under its later share.
    EXPECT_LT(gain(0.0, 0.01), gain(0.3, 0.5) / 4.0);
    EXPECT_GT(gain(0.5, 1.0), 2.0);
    // Longer ring: the gap widens as the note dies away.
    EXPECT_GT(gain(3.5, 4.0), gain(0.5, 1.0) + 6.0);
}

TEST_F(ResonanceRenderTest, PedalPressedAfterTheNoteBringsTheLayerIn)
{
    // Pedalling after the chord: the layer's voices started silent and must not have been dropped as
    // inaudible.
    Render render(bank->path());
    FluidSynth().fluid_synth_cc(render.synth, 0, 22, 127);
    FluidSynth().fluid_synth_noteon(render.synth, 0, 69, 100);
    render.run(0.5);
    FluidSynth().fluid_synth_cc(render.synth, 0, 64, 127);
    FluidSynth().fluid_synth_cc(render.synth, 0, 21, 127);
    FluidSynth().fluid_synth_noteoff(render.synth, 0, 69);
    render.run(1.5);
    const auto plain = playHeld(0, 127);
    EXPECT_NEAR(render.rmsDb(0.0, 0.5), plain->rmsDb(0.0, 0.5), 0.01);
    EXPECT_GT(render.rmsDb(1.5, 2.0), plain->rmsDb(1.5, 2.0) + 6.0);
}

TEST_F(ResonanceRenderTest, NoiseKeysSoundShortAndWellBelowAFortissimoNoteAndThePianoEndsBelowThem)
{
    Render fortissimo(bank->path());
    FluidSynth().fluid_synth_noteon(fortissimo.synth, 0, 69, 127);
    fortissimo.run(1.0);
    const double ff = fortissimo.peakDb();
    for (int key = 121; key <= 127; ++key)
    {
        Render noise(bank->path());
        FluidSynth().fluid_synth_noteon(noise.synth, 0, key, 97);
        noise.run(1.0);
        EXPECT_GT(noise.peakDb(), ff - 50.0) << key;
        EXPECT_LT(noise.peakDb(), ff - 15.0) << key;
        // A noise is done within a second; nothing loops.
        EXPECT_LT(noise.rmsDb(0.95, 1.0), -120.0) << key;
    }
    // Key 120 plays the piano's tone, which is still ringing at 0.5 s; a noise would be over.
    Render top(bank->path());
    FluidSynth().fluid_synth_noteon(top.synth, 0, 120, 100);
    top.run(0.5);
    EXPECT_GT(top.rmsDb(0.4, 0.5), -60.0);
}

} // namespace
