#include "dsp/zreverb/ReverbApi.h"
#include "dsp/zreverb/CReverb.h"
#include "dsp/zreverb/ReverbPresets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace zreverb;

TEST(ReverbApiTest, CreateAndDestroy)
{
    ReverbHandle handle = nullptr;
    ASSERT_EQ(kReverbOk, ReverbCreate(&handle, 44100, 2, 0));
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(kReverbOk, ReverbDestroy(&handle));
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(kReverbOutOfRange, ReverbDestroy(&handle));
    EXPECT_EQ(kReverbOutOfRange, ReverbDestroy(nullptr));
}

TEST(ReverbApiTest, UnusableArgumentsLeaveANullHandle)
{
    ReverbHandle handle = reinterpret_cast<ReverbHandle>(&handle);
    EXPECT_EQ(kReverbOutOfRange, ReverbCreate(&handle, 0, 2, 0));
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(kReverbOutOfRange, ReverbCreate(&handle, -48000, 2, 0));
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(kReverbNullHandle, ReverbCreate(nullptr, 44100, 2, 0));
}

TEST(ReverbApiTest, NullHandleAnswersNullHandleAndTouchesNothing)
{
    std::vector<float> buffer(64, 0.25f);
    EXPECT_EQ(kReverbNullHandle, ReverbProcess(nullptr, buffer.data(), buffer.data(), 32));
    for (float v : buffer)
    {
        EXPECT_EQ(0.25f, v);
    }
    EXPECT_EQ(kReverbNullHandle, ReverbSetPreset(nullptr, 0));
    EXPECT_EQ(kReverbNullHandle, ReverbSetMix(nullptr, 0.5f));
    ReverbReset(nullptr);
}

TEST(ReverbPresetsTest, NamesInTableOrder)
{
    const char* names[] = {"MediumHall", "LargeHall", "Plate", "Cathedral", "Room1", "Room2", "Room3"};
    for (int i = 0; i < kReverbPresetCount; ++i)
    {
        ASSERT_NE(nullptr, ReverbPresetName(i));
        EXPECT_STREQ(names[i], ReverbPresetName(i));
    }
    EXPECT_EQ(nullptr, ReverbPresetName(-1));
    EXPECT_EQ(nullptr, ReverbPresetName(7));
    EXPECT_EQ(nullptr, GetReverbPreset(-1));
}
