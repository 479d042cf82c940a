// The built VST3 module as a VST3 host sees it: its factory and class, its buses, its parameters with their
// units, steps and texts, the MIDI mapping of every controller the instrument handles, and its refusals of
// what a host must not hand it. Nothing here needs sound, so it runs on Windows too.
#include <algorithm>
#include <cmath>
#include <limits>

#include "host/vst3/Vst3PluginFixture.h"
#include "host/vst3/Vst3Strings.h"

using namespace host;
using namespace vst3test;

namespace
{
constexpr ParamID kProgram = 100;
constexpr ParamID kFirstController = 1000;

class Vst3Adapter : public Vst3PluginFixture
{
protected:
    ParameterInfo info(int32_t index)
    {
        ParameterInfo out{};
        EXPECT_EQ(plugin->controller->getParameterInfo(index, out), kResultOk) << index;
        return out;
    }
    std::string text(ParamID id, ParamValue value)
    {
        String128 out{};
        EXPECT_EQ(plugin->controller->getParamStringByValue(id, value, out), kResultOk) << id << " " << value;
        return Utf8Of(out);
    }
};

TEST_F(Vst3Adapter, TheFactoryNamesItsMakerAndOneInstrumentClass)
{
    IPluginFactory* factory = vst3.factory();
    PFactoryInfo about{};
    ASSERT_EQ(factory->getFactoryInfo(&about), kResultOk);
    EXPECT_STREQ(about.vendor, "Tallowind Inc.");
    ASSERT_EQ(factory->countClasses(), 1);
    void* found = nullptr;
    ASSERT_EQ(factory->queryInterface(IPluginFactory2::iid.bytes, &found), kResultOk);
    PClassInfo2 details{};
    ASSERT_EQ(static_cast<IPluginFactory2*>(found)->getClassInfo2(0, &details), kResultOk);
    EXPECT_STREQ(details.category, "Audio Module Class");
    EXPECT_STREQ(details.name, "Virellando");
    EXPECT_STREQ(details.subCategories, "Instrument|Piano");
    EXPECT_STREQ(details.vendor, "Tallowind Inc.");
    // A class the factory does not make gives nothing.
    void* object = &details;
    const char other[16] = {1};
    EXPECT_EQ(factory->createInstance(other, IComponent::iid.bytes, &object), kNoInterface);
    EXPECT_EQ(object, nullptr);
}

TEST_F(Vst3Adapter, TheComponentHasOneEventInputAndOneStereoOutput)
{
    IComponent& component = *plugin->component;
    EXPECT_EQ(component.getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(component.getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(component.getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(component.getBusCount(kEvent, kOutput), 0);
    BusInfo bus{};
    ASSERT_EQ(component.getBusInfo(kAudio, kOutput, 0, bus), kResultOk);
    EXPECT_EQ(bus.channelCount, 2);
    EXPECT_EQ(bus.busType, kMain);
    ASSERT_EQ(component.getBusInfo(kEvent, kInput, 0, bus), kResultOk);
    EXPECT_EQ(bus.channelCount, 16);
    EXPECT_EQ(component.getBusInfo(kAudio, kOutput, 1, bus), kInvalidArgument);

    SpeakerArrangement stereo = speaker::kStereo;
    SpeakerArrangement mono = 1;
    EXPECT_EQ(plugin->processor->setBusArrangements(nullptr, 0, &stereo, 1), kResultOk);
    EXPECT_EQ(plugin->processor->setBusArrangements(nullptr, 0, &mono, 1), kResultFalse);
    EXPECT_EQ(plugin->processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(plugin->processor->canProcessSampleSize(kSample32), kResultOk);
    EXPECT_EQ(plugin->processor->canProcessSampleSize(kSample64), kResultFalse);
}

TEST_F(Vst3Adapter, TheParametersCarryTheirNamesUnitsAndSteps)
{
    const struct
    {
        const char* title;
        const char* units;
        int32_t stepCount;
    } expected[] = {{"Lid", "", 3},     {"Hammer", "%", 0},  {"Reverb", "%", 0},  {"RevType", "", 6},
                    {"Volume", "%", 0}, {"VelCurve", "", 4}, {"SympRes", "%", 0}, {"Chorus", "%", 0},
                    {"Bass", "%", 0},   {"Middle", "%", 0},  {"Treble", "%", 0}};
    for (int32_t index = 0; index < 11; ++index)
    {
        const ParameterInfo parameter = info(index);
        EXPECT_EQ(parameter.id, static_cast<ParamID>(index));
        EXPECT_EQ(Utf8Of(parameter.title), expected[index].title);
        EXPECT_EQ(Utf8Of(parameter.units), expected[index].units);
        EXPECT_EQ(parameter.stepCount, expected[index].stepCount) << index;
        EXPECT_EQ(parameter.flags,
                  ParameterInfo::kCanAutomate | (parameter.stepCount ? ParameterInfo::kIsList : 0));
    }
    const ParameterInfo program = info(11);
    EXPECT_EQ(program.id, kProgram);
    EXPECT_EQ(program.stepCount, 2);
    EXPECT_EQ(program.flags, ParameterInfo::kIsProgramChange | ParameterInfo::kIsList);
    EXPECT_EQ(plugin->controller->getParameterCount(), 12 + 14);
    for (int32_t index = 12; index < plugin->controller->getParameterCount(); ++index)
        EXPECT_EQ(info(index).flags, ParameterInfo::kIsHidden) << index;
    ParameterInfo none{};
    EXPECT_EQ(plugin->controller->getParameterInfo(26, none), kInvalidArgument);
}

// A VST3 host sends MIDI controllers only as parameters: each one the instrument handles, the sostenuto
// pedal included, has a hidden parameter on every channel; others have none.
TEST_F(Vst3Adapter, EveryControllerTheInstrumentHandlesIsMappedToAParameter)
{
    IMidiMapping* mapping = nullptr;
    ASSERT_EQ(plugin->component->queryInterface(IMidiMapping::iid.bytes, reinterpret_cast<void**>(&mapping)),
              kResultOk);
    for (const int controller : {7, 64, 66, 67, 71, 75, 76, 77, 78, 91, 93, 120, 121, 123})
    {
        for (const int16_t channel : {0, 9, 15})
        {
            ParamID id = 0;
            ASSERT_EQ(
                mapping->getMidiControllerAssignment(0, channel, static_cast<CtrlNumber>(controller), id),
                kResultOk)
                << controller;
            EXPECT_EQ(id, kFirstController + static_cast<ParamID>(controller));
        }
    }
    ParamID id = 0;
    for (const int controller : {0, 1, 10, 65, 122, 128, 129})
        EXPECT_EQ(mapping->getMidiControllerAssignment(0, 0, static_cast<CtrlNumber>(controller), id),
                  kResultFalse)
            << controller;
    EXPECT_EQ(mapping->getMidiControllerAssignment(1, 0, 64, id), kResultFalse);
    EXPECT_EQ(mapping->getMidiControllerAssignment(0, 16, 64, id), kResultFalse);
    mapping->release();
}

TEST_F(Vst3Adapter, NormalizedPlainAndTextValuesAgree)
{
    IEditController& controller = *plugin->controller;
    const struct
    {
        ParamID id;
        ParamValue normalized;
        ParamValue plain;
        const char* text;
    } cases[] = {
        {0, 0.0, 0.0, "Closed"}, {0, 1.0 / 3.0, 1.0, "OpenSome"}, {0, 1.0, 3.0, "Open"},
        {3, 1.0, 6.0, "Room 3"}, {5, 0.5, 2.0, "Normal"},         {4, 0.3, 30.0, "30"},
        {8, 0.75, 150.0, "150"}, {kProgram, 0.5, 1.0, "Bright"},  {kFirstController + 64, 1.0, 127.0, "127"}};
    for (const auto& c : cases)
    {
        EXPECT_NEAR(controller.normalizedParamToPlain(c.id, c.normalized), c.plain, 1e-4) << c.id;
        EXPECT_NEAR(controller.plainParamToNormalized(c.id, c.plain), c.normalized, 1e-6) << c.id;
        EXPECT_EQ(text(c.id, c.normalized), c.text) << c.id;
        const std::u16string typed(c.text, c.text + std::char_traits<char>::length(c.text));
        std::vector<TChar> buffer(typed.begin(), typed.end());
        buffer.push_back(0);
        ParamValue back = -1.0;
        ASSERT_EQ(controller.getParamValueByString(c.id, buffer.data(), back), kResultOk) << c.text;
        EXPECT_NEAR(back, c.normalized, 1e-6) << c.text;
    }
    // A host's value lands where the host expects and comes back as set.
    for (const auto& [id, value] :
         {std::pair<ParamID, ParamValue>{0, 2.0 / 3.0}, {3, 0.5}, {4, 0.3}, {10, 1.0}})
    {
        ASSERT_EQ(controller.setParamNormalized(id, value), kResultOk);
        EXPECT_NEAR(controller.getParamNormalized(id), id == 3 ? 3.0 / 6.0 : value, 1e-6) << id;
    }
}

TEST_F(Vst3Adapter, AParameterIdOrValueOutOfRangeIsRefusedAndChangesNothing)
{
    IEditController& controller = *plugin->controller;
    ASSERT_EQ(controller.setParamNormalized(4, 0.25), kResultOk);
    for (const ParamID id : {11u, 99u, 101u, kFirstController + 1, kFirstController + 65, 5000u})
        EXPECT_EQ(controller.setParamNormalized(id, 0.5), kInvalidArgument) << id;
    for (const ParamValue value :
         {1.5, -0.25, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(controller.setParamNormalized(4, value), kInvalidArgument) << value;
    EXPECT_NEAR(controller.getParamNormalized(4), 0.25, 1e-6);
    String128 out{};
    EXPECT_EQ(controller.getParamStringByValue(4, 1.5, out), kInvalidArgument);
    EXPECT_EQ(controller.getParamStringByValue(77, 0.5, out), kInvalidArgument);
}

TEST_F(Vst3Adapter, AStateOfTheWrongSizeOrVersionIsRefusedAndChangesNothing)
{
    const std::vector<uint8_t> own = plugin->componentState();
    ASSERT_EQ(own.size(), 48u);
    EXPECT_EQ(own[0], 1);
    std::vector<uint8_t> newer = own;
    newer[0] = 2;
    std::vector<uint8_t> longer = own;
    longer.push_back(0);
    for (const auto& bytes :
         {std::vector<uint8_t>(own.begin(), own.end() - 1), longer, newer, std::vector<uint8_t>()})
    {
        EXPECT_EQ(plugin->setComponentState(bytes), kResultFalse) << bytes.size();
        EXPECT_EQ(plugin->componentState(), own);
    }
    EXPECT_TRUE(folder.logHas("A state of 47 bytes was refused"));
    EXPECT_TRUE(folder.logHas("A state of version 2 was refused"));
    // The controller's state is the program: four bytes, a program the instrument has.
    for (const auto& bytes : {std::vector<uint8_t>{1, 0, 0}, std::vector<uint8_t>{7, 0, 0, 0},
                              std::vector<uint8_t>{0xff, 0xff, 0xff, 0xff}, std::vector<uint8_t>(5, 0)})
        EXPECT_EQ(plugin->setControllerState(bytes), kResultFalse) << bytes.size();
    EXPECT_EQ(plugin->componentState(), own);
}

// The look-ahead limiter delays the output by 5 ms: a host learns of a new delay through a restart.
TEST_F(Vst3Adapter, ALatencyChangeComesWithARestart)
{
    const auto restarts = [&]
    {
        int count = 0;
        for (const auto& edit : plugin->handler.edits())
            count += edit.kind == formathost::HostEdit::Restart &&
                     edit.id == static_cast<ParamID>(kLatencyChanged);
        return count;
    };
#if defined(_WIN32)
    // No synthesizer library here: the silent instrument keeps its effects at the first rate, and their
    // delay with them; then no restart either.
    const uint32_t delayAt96000 = 220;
    const int restartsAt96000 = 0;
#else
    const uint32_t delayAt96000 = 480;
    const int restartsAt96000 = 1;
#endif
    ASSERT_TRUE(plugin->start(44100.0, 512));
    EXPECT_EQ(plugin->processor->getLatencySamples(), 220u);
    EXPECT_EQ(restarts(), 0);
    ASSERT_TRUE(plugin->restart(96000.0, 512));
    EXPECT_EQ(plugin->processor->getLatencySamples(), delayAt96000);
    EXPECT_EQ(restarts(), restartsAt96000);
    ASSERT_TRUE(plugin->restart(96000.0, 1024));
    EXPECT_EQ(restarts(), restartsAt96000);
}

TEST_F(Vst3Adapter, EventsPastTheBlocksEndAreRefused)
{
    ASSERT_TRUE(plugin->start(44100.0, 256));
    std::vector<float> left(256), right(256);
    plugin->events.addNote(256, true, 60, 0.8f);
    plugin->events.addNote(-1, true, 62, 0.8f);
    plugin->changes.add(kFirstController + 64, 300, 1.0);
    EXPECT_EQ(plugin->process(left.data(), right.data(), 256), kResultOk);
    plugin->restart(44100.0, 256);
    EXPECT_TRUE(folder.logHas("3 MIDI events outside their blocks"));
    // A block the host hands without an output, or with 64-bit samples, is refused.
    ProcessData data{};
    data.numSamples = 16;
    EXPECT_EQ(plugin->processor->process(data), kInvalidArgument);
    data.symbolicSampleSize = kSample64;
    EXPECT_EQ(plugin->processor->process(data), kInvalidArgument);
}

TEST_F(Vst3Adapter, TheEditorOpensOnlyInThisSystemsWindowType)
{
    IPlugView* view = plugin->controller->createView("editor");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(plugin->controller->createView("other"), nullptr);
#if defined(_WIN32)
    const char* own = "HWND";
    const char* foreign = "X11EmbedWindowID";
#else
    const char* own = "X11EmbedWindowID";
    const char* foreign = "HWND";
#endif
    EXPECT_EQ(view->isPlatformTypeSupported(own), kResultOk);
    for (const char* type : {foreign, "NSView", ""})
    {
        EXPECT_EQ(view->isPlatformTypeSupported(type), kResultFalse) << type;
        int parent = 0;
        EXPECT_EQ(view->attached(&parent, type), kResultFalse) << type;
    }
    EXPECT_TRUE(folder.logHas("The editor was refused: the window type NSView is not this system's"));
    ViewRect size{};
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.right - size.left, 800);
    EXPECT_EQ(size.bottom - size.top, 576);
    EXPECT_EQ(view->canResize(), kResultFalse);
    view->release();
}

#if !defined(_WIN32)
// Programs need the synthesizer, which Windows lacks here.
TEST_F(Vst3Adapter, AProgramChosenFromTheProgramListTakesItsValuesAndTellsTheHostOfEach)
{
    ASSERT_TRUE(plugin->start(44100.0, 512));
    ASSERT_EQ(plugin->controller->setParamNormalized(kProgram, 1.0), kResultOk);
    EXPECT_NEAR(plugin->controller->getParamNormalized(kProgram), 1.0, 1e-9);
    // Program "Closed": the lid at 0.1 lands on position 0, the volume at 0.3.
    EXPECT_NEAR(plugin->controller->getParamNormalized(0), 0.0, 1e-9);
    EXPECT_NEAR(plugin->controller->getParamNormalized(4), 0.3, 1e-6);
    // The host hears of each value the program moved as an edit, and of nothing else: "Closed" moves every
    // value from "Plain" but the bass, middle and treble (0.5 in both).
    std::vector<ParamID> performed;
    for (const auto& edit : plugin->handler.edits())
        if (edit.kind == formathost::HostEdit::Perform)
            performed.push_back(edit.id);
    EXPECT_EQ(performed, (std::vector<ParamID>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(plugin->handler.edits().size(), 3 * performed.size());
    // The controller's state brings the program back under the component's values.
    plugin->controller->setParamNormalized(8, 1.0);
    const std::vector<uint8_t> values = plugin->componentState();
    const std::vector<uint8_t> program = plugin->controllerState();
    EXPECT_EQ(program, (std::vector<uint8_t>{2, 0, 0, 0}));
    auto fresh = another();
    ASSERT_TRUE(fresh);
    ASSERT_EQ(fresh->setComponentState(values), kResultOk);
    ASSERT_EQ(fresh->setControllerState(program), kResultOk);
    EXPECT_NEAR(fresh->controller->getParamNormalized(kProgram), 1.0, 1e-9);
    EXPECT_NEAR(fresh->controller->getParamNormalized(8), 1.0, 1e-6);
    EXPECT_EQ(fresh->componentState(), values);
    // The host heard of each value the states moved from "Plain" (to "Closed" with the bass at 200 %), its
    // last edit being the restored value, so that what it passes on to processing ends there; the middle
    // and the treble did not move.
    std::vector<ParamValue> last(11, -1.0);
    for (const auto& edit : fresh->handler.edits())
        if (edit.kind == formathost::HostEdit::Perform && edit.id < 11)
            last[edit.id] = edit.value;
    for (ParamID id = 0; id < 11; ++id)
        EXPECT_NEAR(last[id], id <= 8 ? fresh->controller->getParamNormalized(id) : -1.0, 1e-9) << id;
}
#endif

} // namespace
