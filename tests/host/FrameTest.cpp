// The frame classes route dispatcher opcodes to the virtual operations and hand the host its answers.
#include <gtest/gtest.h>

#include <vector>

#include "host/AudioEffectX.h"

using namespace host;

namespace
{
struct HostLog
{
    std::vector<VstInt32> opcodes;
    std::vector<float> values;
} hostLog;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt)
{
    hostLog.opcodes.push_back(opcode);
    hostLog.values.push_back(opt);
    return opcode == audioMasterGetSampleRate ? 48000 : 0;
}

class Probe : public AudioEffectX
{
public:
    explicit Probe(audioMasterCallback master) : AudioEffectX(master, 4, 3) {}

    void processReplacing(float**, float**, VstInt32) override {}
    // Reads the list: a null list handed on would crash here.
    VstInt32 processEvents(VstEvents* events) override { return events->numEvents; }
    void setParameter(VstInt32 index, float value) override
    {
        lastIndex = index;
        lastValue = value;
    }
    void setProgram(VstInt32 program) override
    {
        programSet = program;
        AudioEffectX::setProgram(program);
    }

    VstInt32 lastIndex = -1, programSet = -1;
    float lastValue = 0.0f;
};
} // namespace

// What the frame answers on its own: the plug-in's hosts exercise the routing itself.
TEST(AudioEffectFrame, RefusesProgramsBeyondTheCountAndAnswersWithoutEventsOrEditor)
{
    Probe probe(nullptr);
    AEffect* e = probe.getAeffect();
    e->dispatcher(e, effSetProgram, 0, 3, nullptr, 0.0f);
    e->dispatcher(e, effSetProgram, 0, 4, nullptr, 0.0f); // at the program count
    EXPECT_EQ(probe.programSet, 3);
    EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), 3);
    EXPECT_EQ(e->dispatcher(e, effProcessEvents, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effGetCurrentMidiProgram, 0, 0, nullptr, 0.0f), -1);
    ERect* rect = nullptr;
    EXPECT_EQ(e->dispatcher(e, effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0.0f), 0);
}

TEST(AudioEffectFrame, AutomationReachesTheHostAfterTheParameter)
{
    hostLog = HostLog();
    Probe probe(recordingHost);
    probe.setParameterAutomated(1, 0.75f);
    EXPECT_EQ(probe.lastIndex, 1);
    ASSERT_EQ(hostLog.opcodes.size(), 1u);
    EXPECT_EQ(hostLog.opcodes[0], audioMasterAutomate);
    EXPECT_FLOAT_EQ(hostLog.values[0], 0.75f);
    EXPECT_DOUBLE_EQ(probe.updateSampleRate(), 48000.0);
}

TEST(AudioEffectFrame, NullRecordOrObjectIsIgnored)
{
    AEffect empty{};
    Probe probe(nullptr);
    AEffect* e = probe.getAeffect();
    empty.dispatcher = e->dispatcher;
    EXPECT_EQ(empty.dispatcher(&empty, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
}
