#include "dsp/ToneControl.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace dsp;

// The instrument runs both channels through ProcessPair; it must give exactly what each channel's own
// Process gives, whether the lanes run (gains away from unity) or fall back (unity), over any block. The
// right channel has other split frequencies and its gains rotated, so that no lane can borrow the other
// channel's settings unnoticed.
TEST(ToneControlPairTest, GivesExactlyWhatEachChannelGivesAlone)
{
    const float gains[][3] = {{1.4f, 0.9f, 1.2f}, {1.0f, 1.0f, 1.0f}, {0.0f, 1.0f, 1.0f}, {2.0f, 2.0f, 0.5f}};
    ToneControl alone[2] = {{44100, 880, 5000}, {44100, 1000, 4000}};
    ToneControl paired[2] = {{44100, 880, 5000}, {44100, 1000, 4000}};
    std::mt19937 random(3);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    int set = 0;
    for (int block : {1, 7, 256, 1000, 3})
    {
        const float* g = gains[set++ % 4];
        for (int c = 0; c < 2; ++c)
            for (ToneControl* tone : {&alone[c], &paired[c]})
            {
                tone->SetLowGain(g[c]);
                tone->SetMidGain(g[(c + 1) % 3]);
                tone->SetHighGain(g[(c + 2) % 3]);
            }
        std::vector<float> in[2] = {std::vector<float>(static_cast<size_t>(block)),
                                    std::vector<float>(static_cast<size_t>(block))};
        for (std::vector<float>& channel : in)
            for (float& sample : channel)
                sample = unit(random);
        std::vector<float> out[2] = {in[0], in[1]};
        alone[0].Process(in[0].data(), block);
        alone[1].Process(in[1].data(), block);
        ToneControl::ProcessPair(paired[0], paired[1], out[0].data(), out[1].data(), block);
        for (int c = 0; c < 2; ++c)
        {
            ASSERT_EQ(in[c], out[c]) << "channel " << c << ", block " << block;
            for (int s = 0; s < 11; ++s)
                ASSERT_EQ(alone[c].State(s), paired[c].State(s)) << "channel " << c << ", state " << s;
        }
    }
}
