// Sliders: paging, dragging, clamping, and a slider whose pictures leave no track.
#include <cmath>
#include <filesystem>
#include <fstream>

#include "editor/EditorEvents.h"
#include "editor/EditorFixture.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/Observer.h"
#include "images/PngCodec.h"

using namespace gui;
using namespace images;
using namespace platform;

using namespace editortest;
using editor::GuiSlider;

namespace
{

class SliderTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        OpenEditor();
        slider = pianoEditor->getSlider(editor::kIdVolume);
        ASSERT_NE(slider, nullptr);
        y = slider->GetAbsY() + slider->GetHeight() / 2;
    }
    GuiSlider* slider = nullptr;
    int y = 0;
};

TEST_F(SliderTest, PagingMovesFourPixelsWorthAndSendsOneValue)
{
    // The test skin's slider: base 130, knob 20, so 90 pixels per unit.
    ASSERT_EQ(slider->step(), 90);
    struct Case
    {
        double start;
        int side; // -1 left of the knob, 1 right of it
        double expected;
    };
    const Case cases[] = {
        {0.5, -1, 0.5 - 4.0 / 90}, {0.5, 1, 0.5 + 4.0 / 90}, {0.02, -1, 0.0}, {0.99, 1, 1.0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.start);
        slider->setValue(c.start);
        const Rect k = slider->knobRect();
        const int x = slider->GetAbsX() + (c.side < 0 ? k.left - 3 : k.right + 3);
        automation.clear();
        headless->MoveMouse(x, y);
        Press({x, y});
        EXPECT_EQ(slider->getValue(), c.expected);
        EXPECT_EQ(automation, (std::vector<Automation>{{4, static_cast<float>(c.expected)}}));
        Release({x, y});
    }
}

TEST_F(SliderTest, DraggingFollowsThePointerAndClampsAtBothEnds)
{
    slider->setValue(0.5);
    const int x = slider->GetAbsX() + (slider->knobRect().left + slider->knobRect().right) / 2;
    headless->MoveMouse(x, y);
    Press({x, y});
    Drag({x + 9, y + 40}); // vertical movement is ignored
    EXPECT_EQ(slider->getValue(), 0.6);
    Drag({x + 1000, y});
    EXPECT_EQ(slider->getValue(), 1.0);
    Drag({x - 1000, y});
    EXPECT_EQ(slider->getValue(), 0.0);
    Release({x - 1000, y});
    ASSERT_FALSE(automation.empty());
    EXPECT_EQ(automation.back(), (Automation{4, 0.0f}));
    for (const Automation& a : automation)
        EXPECT_TRUE(a.value >= 0.0f && a.value <= 1.0f);
}

TEST_F(SliderTest, ValuesOutsideTheRangeAreNotShown)
{
    slider->setValue(0.3);
    for (double bad : {-0.1, 1.5, std::nan("")})
        slider->setValue(bad);
    EXPECT_EQ(slider->getValue(), 0.3);
}

struct Counter : gui::Observer
{
    void Notify(int, void* data, gui::Observable*) override
    {
        values.push_back(static_cast<editor::SliderEvent*>(data)->value);
    }
    void Attach(gui::Observable* o) override
    {
        static const int kEvents[] = {editor::kEventSlider, -1};
        o->RegisterEvents(this, kEvents);
    }
    std::vector<double> values;
};

TEST(GuiSliderWithoutTrack, IsInertAndSendsNothing)
{
    // Base 30 and knob 20 leave 30 - 20 - 20 < 0 pixels to move along.
    const std::string folder = ::testing::TempDir() + "editor-notrack";
    std::filesystem::create_directories(folder);
    CImage base;
    base.Create(30, 8, 32);
    CImage knob;
    knob.Create(20, 24, 32);
    ASSERT_TRUE(PngCodec::Save((folder + "/base.png").c_str(), base));
    ASSERT_TRUE(PngCodec::Save((folder + "/knob.png").c_str(), knob));
    const std::string skinFile = folder + "/notrack.SKIN";
    {
        std::ofstream out(skinFile);
        out << "[Tiny-base]\nimage fn=" << folder << "/base.png\n[Tiny-slider]\nimage fn=" << folder
            << "/knob.png\n";
    }
    gui::CSkin skin;
    ASSERT_TRUE(skin.Load(skinFile.c_str()));
    gui::ImageManager images;
    GuiSlider slider(1, "Tiny", &images, &skin, editor::kEventSlider);
    Counter counter;
    slider.AddObserver(&counter);
    EXPECT_EQ(slider.step(), 0);
    for (int event : {gui::kMouseLeftDown, gui::kMouseMove, gui::kMouseLeftDoubleClick, gui::kMouseLeftUp})
        for (int x : {0, 5, 15, 29})
            EXPECT_TRUE(slider.OnMouse(event, x, 12, 0));
    EXPECT_TRUE(counter.values.empty());
    EXPECT_EQ(slider.getValue(), 1.0);
}

} // namespace
