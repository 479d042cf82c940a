// The VST3 adapter's edit controller and view over a stand-in instrument, in-process: what the instrument's
// editor changes reaches the host as begin, perform and end edit in VST3's values; a new latency, found
// while the host sets up processing, reaches it as one restart after the set-up; the view runs on the
// host's run loop and asks the frame for the editor's size.
#include <gtest/gtest.h>

#include <algorithm>

#include "formathost/HostComponentHandler.h"
#include "formathost/HostPlugFrame.h"
#include "host/StandInInstrument.h"
#include "host/vst3/Vst3Component.h"

using namespace host;
using namespace hosttest;
using formathost::HostEdit;

namespace
{
class Vst3ControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        StandInInstrument::standIn = &instrument;
        component = Vst3Component::create(StandInInstrument::entry());
        ASSERT_NE(component, nullptr);
        ASSERT_EQ(component->initialize(nullptr), kResultOk);
        void* found = nullptr;
        ASSERT_EQ(component->queryInterface(IEditController::iid.bytes, &found), kResultOk);
        controller = static_cast<IEditController*>(found);
        controller->setComponentHandler(&handler);
    }
    void TearDown() override
    {
        controller->release();
        component->terminate();
        EXPECT_EQ(handler.references(), 0);
        component->release();
        StandInInstrument::standIn = nullptr;
    }

    StandInInstrument instrument;
    formathost::HostComponentHandler handler;
    Vst3Component* component = nullptr;
    IEditController* controller = nullptr;
};

TEST_F(Vst3ControllerTest, TheEditorsChangesReachTheHostAsEditsInVst3Values)
{
    // The stepped parameter's position 2 of 0..3 is 2/3 to a VST3 host; a continuous one keeps its value.
    instrument.callHost(audioMasterAutomate, 0, 0, nullptr, 0.625f);
    instrument.callHost(audioMasterAutomate, 1, 0, nullptr, 0.3f);
    const std::vector<HostEdit> edits = handler.edits();
    ASSERT_EQ(edits.size(), 6u);
    const HostEdit::Kind kinds[] = {HostEdit::Begin, HostEdit::Perform, HostEdit::End,
                                    HostEdit::Begin, HostEdit::Perform, HostEdit::End};
    for (size_t i = 0; i < edits.size(); ++i)
    {
        EXPECT_EQ(edits[i].kind, kinds[i]) << i;
        EXPECT_EQ(edits[i].id, i < 3 ? 0u : 1u) << i;
    }
    EXPECT_DOUBLE_EQ(edits[1].value, 2.0 / 3.0);
    EXPECT_NEAR(edits[4].value, 0.3, 1e-7);
}

TEST_F(Vst3ControllerTest, ALatencyFoundDuringSetUpIsOneRestartAfterIt)
{
    void* found = nullptr;
    ASSERT_EQ(component->queryInterface(IAudioProcessor::iid.bytes, &found), kResultOk);
    auto* processor = static_cast<IAudioProcessor*>(found);
    ProcessSetup setup{0, kSample32, 512, 96000.0};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    EXPECT_EQ(processor->getLatencySamples(), 480u);
    const std::vector<HostEdit> edits = handler.edits();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].kind, HostEdit::Restart);
    EXPECT_EQ(edits[0].id, static_cast<ParamID>(kLatencyChanged));
    // What the instrument was told, in order: the rate came after the block length.
    const auto rate = std::find(instrument.opcodes.rbegin(), instrument.opcodes.rend(), effSetSampleRate);
    const auto block = std::find(instrument.opcodes.rbegin(), instrument.opcodes.rend(), effSetBlockSize);
    EXPECT_LT(rate, block);
    EXPECT_EQ(instrument.blockSize, 512);
    // A set-up the plug-in cannot run is refused.
    ProcessSetup doubles{0, kSample64, 512, 96000.0};
    ProcessSetup noBlock{0, kSample32, 0, 96000.0};
    ProcessSetup noRate{0, kSample32, 512, -1.0};
    for (ProcessSetup* refused : {&doubles, &noBlock, &noRate})
        EXPECT_EQ(processor->setupProcessing(*refused), kInvalidArgument);
    processor->release();
}

#if defined(_WIN32)
constexpr const char* kWindowType = "HWND";
#else
constexpr const char* kWindowType = "X11EmbedWindowID";
#endif

TEST_F(Vst3ControllerTest, TheViewRunsOnTheHostsRunLoopAndAsksTheFrameForItsSize)
{
    formathost::HostPlugFrame frame(true);
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(controller->createView("editor"), nullptr) << "one view at a time";
    ASSERT_EQ(view->setFrame(&frame), kResultOk);
    int parent = 0;
    ASSERT_EQ(view->attached(&parent, kWindowType), kResultOk);
    EXPECT_EQ(instrument.count(effEditOpen), 1);
#if !defined(_WIN32)
    ASSERT_EQ(frame.timers().size(), 1u);
    EXPECT_EQ(frame.timers()[0].second, 40u);
    for (int tick = 0; tick < 3; ++tick)
        frame.fireTimers();
    EXPECT_EQ(instrument.count(effEditIdle), 3);
#endif
    EXPECT_EQ(instrument.callHost(audioMasterSizeWindow, 640, 480), 1);
    ASSERT_EQ(frame.resizes().size(), 1u);
    EXPECT_EQ(frame.resizes()[0].right, 640);
    EXPECT_EQ(frame.resizes()[0].bottom, 480);
    ASSERT_EQ(view->removed(), kResultOk);
    EXPECT_TRUE(frame.timers().empty());
    EXPECT_EQ(instrument.count(effEditClose), 1);
    view->setFrame(nullptr);
    view->release();
    // Without a view the editor's size has nowhere to go.
    EXPECT_EQ(instrument.callHost(audioMasterSizeWindow, 640, 480), 0);
}

#if !defined(_WIN32)
TEST_F(Vst3ControllerTest, WithoutARunLoopTheViewIsRefusedOnLinux)
{
    formathost::HostPlugFrame frame(false);
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    view->setFrame(&frame);
    int parent = 0;
    EXPECT_EQ(view->attached(&parent, kWindowType), kResultFalse);
    EXPECT_EQ(instrument.count(effEditOpen), 0);
    view->setFrame(nullptr);
    view->release();
}
#endif

} // namespace
