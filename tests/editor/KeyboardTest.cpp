// The on-screen keyboard and pedals through the editor: what reaches the audio thread, in order.
#include <functional>

#include "editor/EditorFixture.h"
#include "testskin/TestSkin.h"

using namespace gui;
using namespace platform;

using namespace editortest;

namespace
{

constexpr int kNoteOn = 0x90;
constexpr int kNoteOff = 0x80;

class KeyboardTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        OpenEditor();
    }
    // Presses the button on a key, the pointer moved there first.
    void PressKey(int index)
    {
        const Point p = KeyPoint(index);
        headless->MoveMouse(p.x, p.y);
        Press(p);
    }
};

TEST_F(KeyboardTest, LowestAndHighestKeysPlayTheirNotesAtVelocity100)
{
    for (const auto& [index, note] : {std::pair{0, 21}, {87, 108}, {43, 64}, {44, 65}, {1, 22}})
    {
        SCOPED_TRACE(index);
        PressKey(index);
        EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, note, 100}}));
        Release(KeyPoint(index));
        EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOff, note, 100}}));
    }
}

TEST_F(KeyboardTest, GlissandoPlaysEveryKeyCrossedInOrder)
{
    const Point from = KeyPoint(40);
    const Point to = KeyPoint(47);
    ASSERT_EQ(from.y, to.y); // both black keys
    PressKey(40);
    // Along the black keys' row, so every key is crossed, one pixel at a time.
    for (int x = from.x; x <= to.x; ++x)
        Drag({x, from.y});
    Release(to);
    std::vector<Midi> expected{{kNoteOn, 61, 100}};
    for (int note = 62; note <= 68; ++note)
    {
        expected.push_back({kNoteOff, note - 1, 100});
        expected.push_back({kNoteOn, note, 100});
    }
    expected.push_back({kNoteOff, 68, 100});
    EXPECT_EQ(RunBlock(), expected);
}

TEST_F(KeyboardTest, ReleaseOutsideTheKeyboardStopsTheLastKey)
{
    PressKey(50);
    Drag({KeyPoint(50).x, 20});
    Drag({790, 560});
    Release({790, 560});
    EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, 71, 100}, {kNoteOff, 71, 100}}));
}

TEST_F(KeyboardTest, GapsBetweenKeysPlayNothing)
{
    // The transparent column at the right edge of white key 3 (C1), below the black keys.
    const Point centre = KeyPoint(3);
    Click({centre.x - (testskin::kWhiteKeyWidth - 1) / 2 + testskin::kWhiteKeyWidth - 1, centre.y});
    EXPECT_TRUE(RunBlock().empty());
}

// The editor closes, the window loses the activation, or something else (a pop-up) takes the pointer away:
// no button-up of the keyboard's own ever comes, and the held key stops all the same.
TEST_F(KeyboardTest, LosingTheMouseOrTheEditorStopsTheNote)
{
    const std::function<void()> losses[] = {[this] { pianoEditor->getWindow()->OnActivate(false); },
                                            [this] { pianoEditor->getWindow()->ReleaseMouseCapture(); },
                                            [this] { pianoEditor->close(); }};
    for (const auto& lose : losses)
    {
        PressKey(30);
        lose();
        const bool open = pianoEditor->isOpen();
        if (open)
            Tick();
        EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, 51, 100}, {kNoteOff, 51, 100}}));
        if (!open)
            break; // the window is gone; closing came last
        EXPECT_FALSE(pianoEditor->getKeys()->isMouseDown());
        Release(KeyPoint(30));
        EXPECT_TRUE(RunBlock().empty());
    }
}

TEST_F(KeyboardTest, PedalsToggleOnEachClick)
{
    const TWGuiObject* pedals = pianoEditor->getPedals();
    const Point centre = CentreOf(pedals);
    const Point right{centre.x + pedals->GetWidth() / 4, centre.y};
    Click(right);
    Click(right);
    Click({centre.x - pedals->GetWidth() / 4, centre.y});
    EXPECT_EQ(RunBlock(), (std::vector<Midi>{{0xB0, 64, 127}, {0xB0, 64, 0}, {0xB0, 67, 127}}));
    EXPECT_TRUE(pianoEditor->getPedals()->isSoft());
    EXPECT_FALSE(pianoEditor->getPedals()->isSustain());
}

} // namespace
