#include "piano/SostenutoPedal.h"

namespace piano
{

void SostenutoPedal::keyStruck(int key)
{
    if (!onKeyboard(key))
        return;
    keyIsDown[key - kLowestKey] = true;
    waiting[key - kLowestKey] = false;
}

bool SostenutoPedal::holdsRelease(int key)
{
    if (!onKeyboard(key))
        return false;
    const int index = key - kLowestKey;
    keyIsDown[index] = false;
    waiting[index] = down && caught[index];
    return waiting[index];
}

void SostenutoPedal::press()
{
    if (down)
        return;
    down = true;
    for (int i = 0; i < kNumKeys; ++i)
        caught[i] = keyIsDown[i];
}

SostenutoPedal::Released SostenutoPedal::lift()
{
    Released released;
    if (!down)
        return released;
    down = false;
    for (int i = 0; i < kNumKeys; ++i)
    {
        if (waiting[i])
            released.key[released.count++] = kLowestKey + i;
        caught[i] = false;
        waiting[i] = false;
    }
    return released;
}

void SostenutoPedal::allKeysUp()
{
    for (int i = 0; i < kNumKeys; ++i)
    {
        keyIsDown[i] = false;
        waiting[i] = false;
    }
}

bool SostenutoPedal::holds(int key) const
{
    return onKeyboard(key) && down && caught[key - kLowestKey];
}

} // namespace piano
