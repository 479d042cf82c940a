// The on-screen keyboard and pedals through the editor: what reaches the audio thread, in order.
#include <functional>

#include "editor/EditorFixture.h"
#include "testskin/TestSkin.h"

using namespace gui;
using namespace host;
using namespace images;
using namespace instrument;
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
    Point Key(int index) const
    {
        Point p;
        KeyPoint(index, p.x, p.y);
        return p;
    }
};

TEST_F(KeyboardTest, LowestAndHighestKeysPlayTheirNotesAtVelocity100)
{
    for (const auto& [index, note] : {std::pair{0, 21}, {87, 108}, {43, 64}, {44, 65}, {1, 22}})
    {
        SCOPED_TRACE(index);
        const Point p = Key(index);
        headless->MoveMouse(p.x, p.y);
        Press(p.x, p.y);
        EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, note, 100}}));
        Release(p.x, p.y);
        EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOff, note, 100}}));
    }
}

TEST_F(KeyboardTest, GlissandoPlaysEveryKeyCrossedInOrder)
{
    const Point from = Key(40);
    const Point to = Key(47);
    ASSERT_EQ(from.y, to.y); // both black keys
    headless->MoveMouse(from.x, from.y);
    Press(from.x, from.y);
    // Along the black keys' row, so every key is crossed, one pixel at a time.
    for (int x = from.x; x <= to.x; ++x)
        Drag(x, from.y);
    Release(to.x, from.y);
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
    const Point p = Key(50);
    headless->MoveMouse(p.x, p.y);
    Press(p.x, p.y);
    Drag(p.x, 20);
    Drag(790, 560);
    Release(790, 560);
    EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, 71, 100}, {kNoteOff, 71, 100}}));
}

TEST_F(KeyboardTest, GapsBetweenKeysPlayNothing)
{
    // The transparent column at the right edge of white key 3 (C1), below the black keys.
    int x = 0;
    int y = 0;
    testskin::KeyCentre(3, x, y);
    x = 76 + (x - (testskin::kWhiteKeyWidth - 1) / 2) + testskin::kWhiteKeyWidth - 1;
    y += 256;
    headless->MoveMouse(x, y);
    Press(x, y);
    Release(x, y);
    EXPECT_TRUE(RunBlock().empty());
}

TEST_F(KeyboardTest, ClosingTheEditorWhileAKeyIsHeldStopsTheNote)
{
    const Point p = Key(30);
    headless->MoveMouse(p.x, p.y);
    Press(p.x, p.y);
    pianoEditor->close();
    EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, 51, 100}, {kNoteOff, 51, 100}}));
}

TEST_F(KeyboardTest, LosingTheMouseToAnotherWindowStopsTheNote)
{
    // The window loses the activation, or something else (a pop-up) takes the pointer away: no
    // button-up of the keyboard's own ever comes.
    const std::function<void(TWGuiWindow&)> losses[] = {[](TWGuiWindow& w) { w.OnActivate(false); },
                                                        [](TWGuiWindow& w) { w.ReleaseMouseCapture(); }};
    for (const auto& lose : losses)
    {
        const Point p = Key(30);
        headless->MoveMouse(p.x, p.y);
        Press(p.x, p.y);
        lose(*pianoEditor->getWindow());
        Tick();
        EXPECT_EQ(RunBlock(), (std::vector<Midi>{{kNoteOn, 51, 100}, {kNoteOff, 51, 100}}));
        EXPECT_FALSE(pianoEditor->getKeys()->isMouseDown());
        Release(p.x, p.y);
        EXPECT_TRUE(RunBlock().empty());
    }
}

TEST_F(KeyboardTest, PedalsToggleOnEachClick)
{
    const TWGuiObject* pedals = pianoEditor->getPedals();
    const int right = pedals->GetAbsX() + pedals->GetWidth() * 3 / 4;
    const int left = pedals->GetAbsX() + pedals->GetWidth() / 4;
    const int y = pedals->GetAbsY() + pedals->GetHeight() / 2;
    Click(right, y);
    Click(right, y);
    Click(left, y);
    EXPECT_EQ(RunBlock(), (std::vector<Midi>{{0xB0, 64, 127}, {0xB0, 64, 0}, {0xB0, 67, 127}}));
    EXPECT_TRUE(pianoEditor->getPedals()->isSoft());
    EXPECT_FALSE(pianoEditor->getPedals()->isSustain());
}

} // namespace
