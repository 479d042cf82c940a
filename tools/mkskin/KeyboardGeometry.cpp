#include "mkskin/KeyboardGeometry.h"

#include <cmath>

#include "mkskin/SkinLayout.h"

namespace mkskin
{
namespace
{
constexpr int kLowestNote = 21;
constexpr int kFirstC = 24; // C1, the third white key
} // namespace

bool KeyboardGeometry::isBlack(int index)
{
    switch ((index + kLowestNote) % 12)
    {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

KeyboardGeometry::KeyboardGeometry() : whiteKeyWidth(2.0 * kHalfWidth / kWhiteKeys)
{
    int white = 0;
    for (int i = 0; i < kKeys; ++i)
    {
        const int note = i + kLowestNote;
        const int pitch = note % 12;
        if (isBlack(i))
        {
            // The octave's C sits two white keys after A0 for each octave above the first C.
            const int octave = static_cast<int>(std::floor((note - pitch - kFirstC) / 12.0));
            const double cLeft = (2 + 7 * octave) * whiteKeyWidth;
            const double part = 7 * whiteKeyWidth / 12;
            keys[i] = {true, cLeft + pitch * part, cLeft + (pitch + 1) * part};
        }
        else
        {
            keys[i] = {false, white * whiteKeyWidth, (white + 1) * whiteKeyWidth};
            ++white;
        }
    }
}

int KeyboardGeometry::ownerOf(int x, int y) const
{
    const double cx = x + 0.5;
    const double cy = y + 0.5;
    if (cy < kBlackEnd)
        for (int i = 0; i < kKeys; ++i)
            if (keys[i].black && cx >= keys[i].left && cx < keys[i].right)
                return i;
    for (int i = 0; i < kKeys; ++i)
        if (!keys[i].black && cx >= keys[i].left && cx < keys[i].right)
            return i;
    return cx < 0 ? 0 : kKeys - 1;
}
} // namespace mkskin
