// The built LV2 module as an LV2 host drives it: control ports in the plain values the display shows; the
// state as the instrument's chunk and program, with refusals of what is not; the reported latency; events
// past a block's end; the editor UI without a parent window. Its sound is held to the VST 2.4 module's in
// format_sound_tests.
#include <gtest/gtest.h>

#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "formathost/Lv2Host.h"
#include "host/lv2/Lv2Ports.h"
#include "host/lv2/Lv2Uris.h"
#include "instrument/programs/PresetsFile.h"
#include "support/PluginFolder.h"

using namespace host;

namespace
{
constexpr double kRate = 44100.0;

class Lv2Adapter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.addStringTable();
        ASSERT_TRUE(lv2.load(folder.pluginPath().string())) << lv2.error();
    }

    std::unique_ptr<formathost::Lv2Instance> start(double rate = kRate, int block = 512)
    {
        auto instance = lv2.instantiate(rate, block);
        EXPECT_TRUE(instance);
        return instance;
    }

    std::vector<uint8_t> chunkOf(formathost::Lv2Instance& instance)
    {
        formathost::Lv2State state;
        EXPECT_TRUE(instance.save(state));
        return state[lv2.uris().map(lv2uri::kStateChunk)].bytes;
    }

    void writePrograms()
    {
        std::vector<instrument::StoredProgram> stored(2);
        std::snprintf(stored[0].name, sizeof stored[0].name, "Plain");
        std::snprintf(stored[1].name, sizeof stored[1].name, "Closed");
        std::fill(std::begin(stored[0].values), std::end(stored[0].values), 0.5f);
        std::fill(std::begin(stored[1].values), std::end(stored[1].values), 0.1f);
        ASSERT_TRUE(instrument::PresetsFile::write(folder.besidePlugin("presets").string().c_str(), stored));
    }

    PluginFolder folder{VIRELLANDO_LV2_MODULE};
    formathost::Lv2Host lv2;
};

// Each control port takes the number its display shows; the instrument ends up as a VST 2.4 host's
// parameter value puts it.
TEST_F(Lv2Adapter, ControlPortsTakeThePlainValuesTheDisplayShows)
{
    const struct
    {
        int index;
        float plain;
        float hostValue;
    } cases[] = {{0, 0.0f, 0.125f},  {0, 2.0f, 0.625f}, {3, 6.0f, 6.5f / 7.0f}, {5, 4.0f, 0.9f},
                 {1, 25.0f, 0.25f},  {4, 100.0f, 1.0f}, {8, 150.0f, 0.75f},     {10, 0.0f, 0.0f},
                 {7, 12.5f, 0.125f}, {0, 2.6f, 0.875f}, {6, 150.0f, 1.0f},      {9, -20.0f, 0.0f}};
    for (const auto& c : cases)
    {
        auto instance = start();
        instance->setControl(lv2port::kFirstParameter + static_cast<uint32_t>(c.index), c.plain);
        std::vector<float> left(64), right(64);
        instance->run(left.data(), right.data(), 64);

        PluginFolder vst2Folder;
        vst2Folder.addStringTable();
        auto vst2 = vst2Folder.instantiate();
        ASSERT_TRUE(vst2);
        vst2->setParameter(c.index, c.hostValue);
        void* data = nullptr;
        ASSERT_EQ(vst2->dispatch(effGetChunk, 0, 0, &data), 48);
        EXPECT_EQ(chunkOf(*instance),
                  std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + 48))
            << "parameter " << c.index << " at " << c.plain;
    }
}

TEST_F(Lv2Adapter, AControlThatIsNotANumberIsNotTaken)
{
    auto instance = start();
    const std::vector<uint8_t> before = chunkOf(*instance);
    std::vector<float> left(64), right(64);
    for (const float value :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    {
        instance->setControl(lv2port::kFirstParameter + 4, value);
        instance->run(left.data(), right.data(), 64);
        EXPECT_EQ(chunkOf(*instance), before);
    }
}

TEST_F(Lv2Adapter, TheStateIsTheChunkAndTheProgramAndABadOneIsRefusedWhole)
{
    writePrograms();
    auto instance = start();
    formathost::Lv2State saved;
    ASSERT_TRUE(instance->save(saved));
    const uint32_t chunkKey = lv2.uris().map(lv2uri::kStateChunk);
    const uint32_t programKey = lv2.uris().map(lv2uri::kStateProgram);
    const uint32_t atomChunk = lv2.uris().map(LV2_ATOM__Chunk);
    const uint32_t atomInt = lv2.uris().map(LV2_ATOM__Int);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[chunkKey].type, atomChunk);
    ASSERT_EQ(saved[chunkKey].bytes.size(), 48u);
    EXPECT_EQ(saved[programKey].type, atomInt);
    EXPECT_EQ(saved[programKey].bytes, (std::vector<uint8_t>{0, 0, 0, 0}));

    const auto with = [&](uint32_t key, uint32_t type, std::vector<uint8_t> bytes)
    {
        formathost::Lv2State state = saved;
        state[key] = {type, std::move(bytes)};
        return state;
    };
    std::vector<uint8_t> newer = saved[chunkKey].bytes;
    newer[0] = 2;
    std::vector<uint8_t> closedLid = saved[chunkKey].bytes;
    closedLid[4] = 0;
    const struct
    {
        const char* what;
        formathost::Lv2State state;
    } refused[] = {
        {"a chunk one byte short",
         with(chunkKey, atomChunk, std::vector<uint8_t>(closedLid.begin(), closedLid.end() - 1))},
        {"a chunk of another version", with(chunkKey, atomChunk, newer)},
        {"a chunk that is not a chunk", with(chunkKey, atomInt, closedLid)},
        {"a program the instrument lacks", with(programKey, atomInt, {2, 0, 0, 0})},
        {"a program of another type", with(programKey, atomChunk, {1, 0, 0, 0})},
        {"no state at all", {}},
    };
    for (const auto& c : refused)
    {
        EXPECT_NE(instance->restore(c.state), LV2_STATE_SUCCESS) << c.what;
        EXPECT_EQ(chunkOf(*instance), saved[chunkKey].bytes) << c.what;
    }
    EXPECT_TRUE(folder.logHas("A state of 47 bytes was refused"));
    EXPECT_TRUE(folder.logHas("A saved LV2 state was refused: program 2 of 2."));

    // A good one: program 1 ("Closed") with the lid of the chunk.
    formathost::Lv2State good = with(programKey, atomInt, {1, 0, 0, 0});
    good[chunkKey] = {atomChunk, closedLid};
    EXPECT_EQ(instance->restore(good), LV2_STATE_SUCCESS);
    formathost::Lv2State back;
    ASSERT_TRUE(instance->save(back));
    EXPECT_EQ(back[chunkKey].bytes, closedLid);
    EXPECT_EQ(back[programKey].bytes, (std::vector<uint8_t>{1, 0, 0, 0}));
}

// A host restores a song's state and writes the song's control values back: the state stands, and only a
// later move of a control changes it.
TEST_F(Lv2Adapter, AfterARestoreTheControlsAreTakenAsTheyStandUntilTheyMove)
{
    auto instance = start();
    std::vector<float> left(64), right(64);
    instance->setControl(lv2port::kFirstParameter, 3.0f);
    instance->run(left.data(), right.data(), 64);
    std::vector<uint8_t> closed = chunkOf(*instance);
    closed[4] = 0;
    formathost::Lv2State state;
    state[lv2.uris().map(lv2uri::kStateChunk)] = {lv2.uris().map(LV2_ATOM__Chunk), closed};
    ASSERT_EQ(instance->restore(state), LV2_STATE_SUCCESS);
    instance->run(left.data(), right.data(), 64);
    EXPECT_EQ(chunkOf(*instance)[4], 0);
    instance->setControl(lv2port::kFirstParameter, 2.0f);
    instance->run(left.data(), right.data(), 64);
    EXPECT_EQ(chunkOf(*instance)[4], 2);
}

// A host loading a preset restores its program, writes its port values and the user's next move before
// the plug-in runs again: the move counts.
TEST_F(Lv2Adapter, AControlMovedRightAfterARestoreIsTaken)
{
    auto instance = start();
    std::vector<float> left(64), right(64);
    instance->setControl(lv2port::kFirstParameter + 4, 50.0f);
    instance->run(left.data(), right.data(), 64);
    formathost::Lv2State state;
    ASSERT_TRUE(instance->save(state));
    ASSERT_EQ(instance->restore(state), LV2_STATE_SUCCESS);
    instance->setControl(lv2port::kFirstParameter + 4, 30.0f);
    instance->run(left.data(), right.data(), 64);
    float volume = 0.0f;
    std::memcpy(&volume, chunkOf(*instance).data() + 8, sizeof volume);
    EXPECT_FLOAT_EQ(volume, 0.3f);
}

TEST_F(Lv2Adapter, TheLatencyPortReportsTheLimitersLookAheadAtEachRate)
{
    for (const auto& [rate, frames] : {std::pair{44100.0, 220.0f}, {96000.0, 480.0f}, {22050.0, 110.0f}})
    {
        auto instance = start(rate, 256);
        std::vector<float> left(256), right(256);
        instance->run(left.data(), right.data(), 256);
        EXPECT_EQ(instance->latency(), frames) << rate;
    }
}

TEST_F(Lv2Adapter, EventsPastTheBlocksEndAreRefusedAndCounted)
{
    {
        auto instance = start();
        std::vector<float> left(256), right(256);
        instance->run(left.data(), right.data(), 256,
                      {{255, {0x90, 59, 100}}, {256, {0x90, 60, 100}}, {1 << 20, {0x90, 61, 100}}});
    }
    EXPECT_TRUE(folder.logHas("2 MIDI events outside their blocks"));
}

TEST_F(Lv2Adapter, TheEditorIsRefusedWithoutAParentWindow)
{
    const LV2UI_Descriptor* ui = lv2.uiDescriptor();
    ASSERT_NE(ui, nullptr);
    EXPECT_STREQ(ui->URI, lv2uri::kEditor);
    auto instance = start();
    const LV2_Feature access{LV2_INSTANCE_ACCESS_URI, instance->lv2Handle()};
    const LV2_Feature* noParent[] = {&access, nullptr};
    LV2UI_Widget widget = nullptr;
    EXPECT_EQ(ui->instantiate(ui, lv2uri::kPlugin, "", nullptr, nullptr, &widget, noParent), nullptr);
    EXPECT_TRUE(folder.logHas("The LV2 editor was refused: the host gave no parent window (ui:parent)."));
    int window = 0;
    const LV2_Feature parent{LV2_UI__parent, &window};
    const LV2_Feature* noInstance[] = {&parent, nullptr};
    EXPECT_EQ(ui->instantiate(ui, lv2uri::kPlugin, "", nullptr, nullptr, &widget, noInstance), nullptr);
    const LV2_Feature* both[] = {&parent, &access, nullptr};
    EXPECT_EQ(ui->instantiate(ui, "https://example.org/other", "", nullptr, nullptr, &widget, both), nullptr);
}

} // namespace
