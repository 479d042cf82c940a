#include "dsp/zreverb/CNoLFO.h"
#include "dsp/zreverb/CNoiseLFO.h"
#include "dsp/zreverb/CSawLFO.h"
#include "dsp/zreverb/CSineLFO.h"
#include "dsp/zreverb/CTriangLFO.h"
#include "dsp/zreverb/LFOFactory.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zreverb;

TEST(CSineLFOTest, StartsAtZeroAndRises)
{
    CSineLFO lfo(44100.0f);
    lfo.SetFrequency(1.0f);
    float previous = lfo.Next();
    EXPECT_GT(previous, 0.0f);
    EXPECT_LT(previous, 1e-3f);
    for (int i = 0; i < 10000; ++i)
    {
        const float v = lfo.Next();
        ASSERT_GT(v, previous);
        previous = v;
    }
}

TEST(CSineLFOTest, ReturnsToItsStartAfterOnePeriod)
{
    CSineLFO lfo(44100.0f);
    lfo.SetFrequency(1.0f);
    const float co = lfo.Cosine();
    float peak = 0.0f;
    for (int i = 0; i < 44100; ++i)
    {
        peak = std::fmax(peak, lfo.Next());
        if (i == 22049)
        {
            EXPECT_NEAR(0.0f, lfo.Sine(), 2e-3f);
            EXPECT_NEAR(-1.0f, lfo.Cosine(), 2e-3f);
        }
    }
    EXPECT_NEAR(co, lfo.Cosine(), 2e-3f);
    EXPECT_NEAR(0.0f, lfo.Sine(), 2e-3f);
    EXPECT_NEAR(1.0f, peak, 2e-3f);
}

TEST(CSineLFOTest, ModesSelectOutputAndSign)
{
    CSineLFO lfo(44100.0f);
    lfo.SetFrequency(100.0f);
    lfo.SetMode(0);
    EXPECT_LT(lfo.Next(), 0.0f);
    lfo.SetMode(1);
    const float cosineOut = lfo.Next();
    EXPECT_EQ(-lfo.Cosine(), cosineOut);
    lfo.SetMode(3);
    const float v = lfo.Next();
    EXPECT_EQ(lfo.Cosine(), v);
    lfo.SetMode(9);
    EXPECT_EQ(lfo.Cosine(), lfo.Next());
    lfo.Reset();
    EXPECT_EQ(0.0f, lfo.Sine());
    EXPECT_FLOAT_EQ(static_cast<float>(std::cos(3.14159265358979 * 100.0 / 44100.0)), lfo.Cosine());
}

TEST(CNoiseLFOTest, SequenceRestartsFromSeedZero)
{
    CNoiseLFO lfo(44100.0f);
    lfo.SetFrequency(5.0f);
    const float out = lfo.Next();
    EXPECT_NEAR(0.4721f, lfo.LastRaw(), 1e-4f);
    EXPECT_FLOAT_EQ(1013904223.0f / 2147483648.0f, lfo.LastRaw());
    EXPECT_FLOAT_EQ(0.001f * lfo.LastRaw(), out);
    const uint32_t second = 1013904223u * 1664525u + 1013904223u;
    lfo.Next();
    EXPECT_FLOAT_EQ(static_cast<float>(static_cast<int32_t>(second)) / 2147483648.0f, lfo.LastRaw());
}

TEST(CNoiseLFOTest, WanderStaysNearZero)
{
    CNoiseLFO lfo(44100.0f);
    lfo.SetFrequency(0.1f);
    for (int i = 0; i < 441000; ++i)
    {
        ASSERT_LT(std::fabs(lfo.Next()), 0.1f);
    }
}

TEST(CSawLFOTest, RampIsSmoothedAndModesShiftPhase)
{
    CSawLFO lfo(4.0f);
    lfo.SetFrequency(1.0f); // increment 0.25
    EXPECT_FLOAT_EQ(0.002f * (0.25f - 0.5f), lfo.Next());
    CSawLFO shifted(4.0f);
    shifted.SetFrequency(1.0f);
    shifted.SetMode(3); // falling, half a cycle ahead
    EXPECT_FLOAT_EQ(-0.002f * (0.75f - 0.5f), shifted.Next());
    shifted.Reset(); // phase 0, then the stored mode again
    EXPECT_FLOAT_EQ(0.999f * -0.0005f - 0.002f * (0.75f - 0.5f), shifted.Next());
}

TEST(CTriangLFOTest, FirstValuesFollowTheTwoPhases)
{
    CTriangLFO lfo(100.0f);
    lfo.SetFrequency(1.0f); // increment 0.01
    const double v = (0.51 - 0.01) * (0.51 - 0.5) * 4.0;
    EXPECT_NEAR((v - 0.5) * 1.9993288181, lfo.Next(), 1e-5);
    lfo.SetMode(2);
    lfo.Reset();
    EXPECT_NEAR(-(v - 0.5) * 1.9993288181, lfo.Next(), 1e-5);
}

TEST(LFOFactoryTest, CreatesEachKindAndRefusesOthers)
{
    std::unique_ptr<CLFO> lfo;
    ASSERT_EQ(kReverbOk, CreateLFO(kLfoSine, 44100.0f, lfo));
    EXPECT_NE(nullptr, dynamic_cast<CSineLFO*>(lfo.get()));
    ASSERT_EQ(kReverbOk, CreateLFO(kLfoSaw, 44100.0f, lfo));
    EXPECT_NE(nullptr, dynamic_cast<CSawLFO*>(lfo.get()));
    ASSERT_EQ(kReverbOk, CreateLFO(kLfoTriangle, 44100.0f, lfo));
    EXPECT_NE(nullptr, dynamic_cast<CTriangLFO*>(lfo.get()));
    ASSERT_EQ(kReverbOk, CreateLFO(kLfoNoise, 44100.0f, lfo));
    EXPECT_NE(nullptr, dynamic_cast<CNoiseLFO*>(lfo.get()));
    ASSERT_EQ(kReverbOk, CreateLFO(kLfoNone, 44100.0f, lfo));
    EXPECT_NE(nullptr, dynamic_cast<CNoLFO*>(lfo.get()));
    EXPECT_EQ(kReverbOutOfRange, CreateLFO(5, 44100.0f, lfo));
    EXPECT_EQ(nullptr, lfo);
    ASSERT_EQ(kReverbOk, CreateLFO(kLfoNone, 44100.0f, lfo));
    EXPECT_EQ(kReverbOutOfRange, CreateLFO(-1, 44100.0f, lfo));
    EXPECT_EQ(nullptr, lfo);
}
