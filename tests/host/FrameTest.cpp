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
    ~Probe() override
    {
        if (destroyed)
            ++*destroyed;
    }

    void processReplacing(float**, float** outputs, VstInt32 frames) override { lastFrames = frames; }
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
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }
    VstInt32 processEvents(VstEvents* events) override { return events->numEvents; }

    int* destroyed = nullptr;
    VstInt32 lastFrames = 0, lastIndex = -1, programSet = -1;
    float lastValue = 0.0f;
    int suspends = 0, resumes = 0;
};
} // namespace

TEST(AudioEffectFrame, RoutesOpcodesToOperations)
{
    Probe probe(nullptr);
    AEffect* e = probe.getAeffect();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_FLOAT_EQ(probe.getSampleRate(), 96000.0f);
    e->dispatcher(e, effSetBlockSize, 0, 333, nullptr, 0.0f);
    EXPECT_EQ(probe.getBlockSize(), 333);
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(probe.suspends, 1);
    EXPECT_EQ(probe.resumes, 1);
    e->dispatcher(e, effSetProgram, 0, 3, nullptr, 0.0f);
    EXPECT_EQ(probe.programSet, 3);
    EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), 3);
    e->dispatcher(e, effSetProgram, 0, 4, nullptr, 0.0f); // at the program count: refused
    EXPECT_EQ(probe.programSet, 3);
    e->setParameter(e, 2, 0.25f);
    EXPECT_EQ(probe.lastIndex, 2);
    EXPECT_FLOAT_EQ(probe.lastValue, 0.25f);
    float left[4], right[4];
    float* outputs[2] = {left, right};
    e->processReplacing(e, nullptr, outputs, 4);
    EXPECT_EQ(probe.lastFrames, 4);
    VstEvents events{};
    events.numEvents = 0;
    EXPECT_EQ(e->dispatcher(e, effProcessEvents, 0, 0, &events, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effProcessEvents, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effCanBeAutomated, 1, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(e->dispatcher(e, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(e->dispatcher(e, effGetCurrentMidiProgram, 0, 0, nullptr, 0.0f), -1);
    // No editor: the editor opcodes answer 0.
    ERect* rect = nullptr;
    EXPECT_EQ(e->dispatcher(e, effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0.0f), 0);
}

TEST(AudioEffectFrame, CloseThroughTheRecordDeletesTheInstance)
{
    int destroyed = 0;
    auto* probe = new Probe(nullptr);
    probe->destroyed = &destroyed;
    AEffect* e = probe->getAeffect();
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(destroyed, 1);
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
