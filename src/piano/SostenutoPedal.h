#pragma once

#include "piano/BankLayout.h"

namespace piano
{

// The middle pedal (controller 66): going down it keeps up the dampers of the keys that are down at that
// moment, so that their notes sound on after the keys come up, until the pedal is lifted; keys struck later
// are not held, and a held key struck again stays held. The instrument tells it every key it plays and
// asks whether a key's release waits; lifting the pedal hands back the keys whose notes end then.
// Audio thread; fixed tables, nothing allocates.
class SostenutoPedal
{
public:
    // 64 and above is down, as for every pedal.
    static bool isDownValue(int value) { return value >= 64; }

    struct Released
    {
        int count = 0;
        int key[kNumKeys] = {};
    };

    // Keys 21..108; others are ignored.
    void keyStruck(int key);
    // The key came up: true when the pedal holds its note, whose release then waits for the pedal.
    bool holdsRelease(int key);

    // Down: catches the keys that are down now; a second press changes nothing.
    void press();
    // Up: the keys it held whose keys are up, lowest first; nothing is held afterwards.
    Released lift();
    // Every note has been ended otherwise (all notes off): no key is down and no release waits.
    void allKeysUp();

    bool isDown() const { return down; }
    bool holds(int key) const;

private:
    static bool onKeyboard(int key) { return key >= kLowestKey && key <= kHighestKey; }

    bool down = false;
    bool keyIsDown[kNumKeys] = {};
    bool caught[kNumKeys] = {};
    bool waiting[kNumKeys] = {};
};

} // namespace piano
