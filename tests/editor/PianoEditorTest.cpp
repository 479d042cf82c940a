// The editor as a musician uses it: lid buttons, menus, the tone dialog, the refresh from the
// instrument, and opening and closing.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "editor/EditorEvents.h"
#include "editor/EditorFixture.h"
#include "platform/Platform.h"
#include "platform/native/HeadlessNativePopup.h"
#include "platform/native/NativeKeys.h"
#include "testskin/TestSkin.h"

using namespace gui;
using namespace host;
using namespace images;
using namespace instrument;
using namespace platform;

using namespace editortest;
using editor::GuiButton;

namespace
{

class PianoEditorTest : public EditorFixture
{
protected:
    void ClickButton(int32_t id)
    {
        GuiButton* button = pianoEditor->getButton(id);
        ASSERT_NE(button, nullptr);
        Click(CentreOf(button));
    }
    const platform::PixelBuffer& Screen() const { return headless->GetScreen(); }
};

TEST_F(PianoEditorTest, LidButtonsStepTheLidAndStopAtBothEnds)
{
    struct Case
    {
        int startLid;
        int32_t button;
        std::vector<Automation> sent;
        int lidAfter;
        bool upEnabled;
        bool downEnabled;
    };
    const Case cases[] = {
        {3, editor::kIdLidUp, {}, 3, false, true},
        {3, editor::kIdLidDown, {{0, 0.5f}}, 2, true, true},
        {1, editor::kIdLidDown, {{0, 0.0f}}, 0, true, false},
        {0, editor::kIdLidDown, {}, 0, true, false},
        {0, editor::kIdLidUp, {{0, 0.25f}}, 1, true, true},
        {2, editor::kIdLidUp, {{0, 0.75f}}, 3, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "lid " << c.startLid << " button " << c.button);
        synth->setParameter(0, static_cast<float>(c.startLid) * 0.25f + 0.1f);
        OpenEditor();
        const uint32_t before = Screen().GetPixel(400, 100);
        ClickButton(c.button);
        Tick();
        EXPECT_EQ(automation, c.sent);
        EXPECT_EQ(synth->requestedSettings().lidPosition, c.lidAfter);
        EXPECT_EQ(pianoEditor->getShownLid(), c.lidAfter);
        EXPECT_EQ(pianoEditor->getButton(editor::kIdLidUp)->IsEnabled(), c.upEnabled);
        EXPECT_EQ(pianoEditor->getButton(editor::kIdLidDown)->IsEnabled(), c.downEnabled);
        // The picture of the new lid position is on screen (the test skin's lid band grows).
        EXPECT_EQ(Screen().GetPixel(400, 100) != before, c.lidAfter != c.startLid);
        pianoEditor->close();
    }
}

TEST_F(PianoEditorTest, MenusSendTheChosenItemAndShowItsNameAndEscapeSendsNothing)
{
    OpenEditor();
    ChooseMenuItem(6);
    ClickButton(editor::kIdReverbDropdown);
    EXPECT_EQ(automation, (std::vector<Automation>{{3, 6.0f * 0.14285715f}}));
    EXPECT_EQ(synth->requestedSettings().reverbType, 6);
    EXPECT_EQ(pianoEditor->getButton(editor::kIdReverbDropdown)->getCaption(), "Room 3");
    EXPECT_EQ(pianoEditor->getShownReverbType(), 6);
    automation.clear();
    HeadlessNativePopup::Script({{true, NativeMouseMessage::kMove, 0, 0, kVkEscape}});
    ClickButton(editor::kIdReverbDropdown);
    EXPECT_TRUE(automation.empty());
    EXPECT_EQ(synth->requestedSettings().reverbType, 6);

    ClickButton(editor::kIdAdjust);
    Tick();
    ChooseMenuItem(3);
    ClickButton(editor::kIdVelocityDropdown);
    EXPECT_EQ(automation, (std::vector<Automation>{{5, 0.6f}}));
    EXPECT_EQ(synth->requestedSettings().velocityCurve, 3);
    EXPECT_EQ(pianoEditor->getButton(editor::kIdVelocityDropdown)->getCaption(), "Heavy");
}

TEST_F(PianoEditorTest, ToneButtonTogglesOneDialogThatSwallowsClicksAndGoesWithTheEditor)
{
    OpenEditor();
    ClickButton(editor::kIdAdjust);
    editor::ToneControlsDialog* dialog = pianoEditor->getToneDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsVisible());
    ClickButton(editor::kIdAdjust);
    EXPECT_FALSE(dialog->IsVisible());
    ClickButton(editor::kIdAdjust);
    EXPECT_EQ(pianoEditor->getToneDialog(), dialog);
    EXPECT_TRUE(dialog->IsVisible());
    ClickButton(editor::kIdDialogClose);
    EXPECT_FALSE(dialog->IsVisible());
    ClickButton(editor::kIdAdjust);
    EXPECT_EQ(pianoEditor->getToneDialog(), dialog);
    ASSERT_TRUE(dialog->IsVisible());

    // Key 40 lies under the dialog's background: a click there plays nothing.
    const Point key = KeyPoint(40);
    ASSERT_TRUE(dialog->GetAbsRect().Contains(key.x, key.y));
    Click(key);
    EXPECT_TRUE(RunBlock().empty());
    // Closed, the editor forgets its controls; opened again, it builds them afresh.
    pianoEditor->close();
    EXPECT_EQ(pianoEditor->getWindow(), nullptr);
    EXPECT_EQ(pianoEditor->getToneDialog(), nullptr);
    pianoEditor->idle();
    OpenEditor();
    ClickButton(editor::kIdAdjust);
    EXPECT_NE(pianoEditor->getToneDialog(), nullptr);
}

TEST_F(PianoEditorTest, DialogSlidersSendTheirParametersScaled)
{
    OpenEditor();
    ClickButton(editor::kIdAdjust);
    editor::GuiSlider* bass = pianoEditor->getSlider(editor::kIdBass);
    ASSERT_NE(bass, nullptr);
    const Point knob{bass->GetAbsX() + (bass->knobRect().left + bass->knobRect().right) / 2,
                     CentreOf(bass).y};
    headless->MoveMouse(knob.x, knob.y);
    Press(knob);
    Drag({knob.x + 1000, knob.y});
    Release({knob.x + 1000, knob.y});
    ASSERT_FALSE(automation.empty());
    EXPECT_EQ(automation.back(), (Automation{8, 1.0f}));
    EXPECT_EQ(bass->getValue(), 2.0);
    char tip[32];
    ASSERT_TRUE(bass->GetToolTipText(0, 0, tip, sizeof tip));
    EXPECT_STREQ(tip, "200%");
}

TEST_F(PianoEditorTest, ChangesFromTheHostShowWithinOneTick)
{
    OpenEditor();
    ClickButton(editor::kIdAdjust);
    Tick();
    synth->setParameter(4, 0.8f);  // volume
    synth->setParameter(3, 0.3f);  // reverb type 2
    synth->setParameter(5, 0.75f); // velocity curve 3
    synth->setParameter(0, 0.1f);  // lid 0
    // C1, left of the dialog.
    RunBlock({{0x90, 24, 100}, {0xB0, 64, 127}});
    Tick();
    EXPECT_EQ(pianoEditor->getSlider(editor::kIdVolume)->getValue(), static_cast<double>(0.8f));
    EXPECT_EQ(pianoEditor->getShownReverbType(), 2);
    EXPECT_EQ(pianoEditor->getButton(editor::kIdReverbDropdown)->getCaption(), "Plate");
    EXPECT_EQ(pianoEditor->getToneDialog()->getShownVelocityCurve(), 3);
    EXPECT_EQ(pianoEditor->getShownLid(), 0);
    EXPECT_FALSE(pianoEditor->getButton(editor::kIdLidDown)->IsEnabled());
    EXPECT_TRUE(pianoEditor->getPedals()->isSustain());
    EXPECT_EQ(pianoEditor->getKeys()->key(24 - 21).held, 1);
    // The key is drawn pressed on screen.
    const Point key = KeyPoint(24 - 21);
    ASSERT_FALSE(pianoEditor->getToneDialog()->GetAbsRect().Contains(key.x, key.y));
    EXPECT_EQ(Screen().GetPixel(key.x, key.y) & 0xffffff, testskin::kWhiteDown & 0xffffff);
    RunBlock({{0x80, 24, 0}});
    Tick();
    EXPECT_EQ(pianoEditor->getKeys()->key(24 - 21).held, 0);
    EXPECT_EQ(Screen().GetPixel(key.x, key.y) & 0xffffff, testskin::kWhiteUp & 0xffffff);
}

TEST_F(PianoEditorTest, RefreshNeverShowsATornValueAndEndsOnTheLastOne)
{
    OpenEditor();
    // The host automates the volume on one thread while its audio thread applies the settings.
    const float values[2] = {0.25f, 0.75f};
    std::atomic<bool> written{false};
    std::atomic<bool> audioStop{false};
    std::thread audio(
        [&]
        {
            float left[64];
            float right[64];
            float* outputs[2] = {left, right};
            host::VstEvents none{};
            while (!audioStop)
            {
                synth->processEvents(&none);
                synth->processReplacing(nullptr, outputs, 64);
            }
        });
    std::thread writer(
        [&]
        {
            for (int i = 0; i < 20000; ++i)
                synth->setParameter(4, values[i % 2]);
            synth->setParameter(4, 0.5f);
            written = true;
        });
    while (!written)
    {
        Tick();
        const double shown = pianoEditor->getSlider(editor::kIdVolume)->getValue();
        EXPECT_TRUE(shown == values[0] || shown == values[1] || shown == 0.5) << shown;
    }
    writer.join();
    Tick();
    EXPECT_EQ(pianoEditor->getSlider(editor::kIdVolume)->getValue(), 0.5);
    audioStop = true;
    audio.join();
}

TEST_F(PianoEditorTest, HelpOpensTheManualAtTheSectionOfItsContext)
{
    // An opener that writes what it was given beside the test's files.
    const std::string marker = ::testing::TempDir() + "editor-help-" + std::to_string(getpid());
    const std::string opener = marker + ".sh";
    {
        std::ofstream script(opener);
        script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << marker << "'\n";
    }
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    std::remove(marker.c_str());
    platform::SetHelpOpener(opener);
    OpenEditor();
    ClickButton(editor::kIdHelp);
    synth->dispatcher(host::effVendorSpecific, 1000, 14, nullptr, 0.0f);
    synth->dispatcher(host::effVendorSpecific, 1000, 0, nullptr, 0.0f);
    std::vector<std::string> opened;
    for (int wait = 0; wait < 6000 && opened.size() < 3; ++wait) // a minute at most
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(marker);
        opened.clear();
        for (std::string line; std::getline(in, line);)
            opened.push_back(line);
    }
    platform::SetHelpOpener("");
    ASSERT_EQ(opened.size(), 3u);
    // The openers run on their own, so they may finish in any order.
    std::vector<std::string> sections;
    for (const std::string& url : opened)
        sections.push_back(url.substr(url.rfind('#') + 1));
    std::sort(sections.begin(), sections.end());
    EXPECT_EQ(sections, (std::vector<std::string>{"overview", "overview", "parameters"}));
}

} // namespace
