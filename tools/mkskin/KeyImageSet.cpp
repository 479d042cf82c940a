#include "mkskin/KeyImageSet.h"

#include <cstdio>
#include <vector>

#include "mkskin/KeyboardPainter.h"
#include "mkskin/SkinLayout.h"
#include "mkskin/Surface.h"

namespace mkskin
{
std::string KeyImageSet::fileName(bool down, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%.2d.png", down ? "KeyDown" : "KeyUp", index);
    return name;
}

bool KeyImageSet::write(const std::string& folder) const
{
    const KeyboardPainter painter(geometry);
    std::vector<int> owners(2 * kHalfWidth * kKeyboardHeight);
    for (int y = 0; y < kKeyboardHeight; ++y)
        for (int x = 0; x < 2 * kHalfWidth; ++x)
            owners[y * 2 * kHalfWidth + x] = geometry.ownerOf(x, y);
    Surface whole(2 * kHalfWidth, kKeyboardHeight, false);
    for (int down = 0; down <= 1; ++down)
        for (int index = 0; index < KeyboardGeometry::kKeys; ++index)
        {
            bool pressed[KeyboardGeometry::kKeys] = {};
            pressed[index] = down != 0;
            painter.paint(whole.cr(), pressed);
            whole.flush();

            const int halfLeft = index < KeyboardGeometry::kKeysPerHalf ? 0 : kHalfWidth;
            Surface half(kHalfWidth, kKeyboardHeight, true);
            half.flush();
            for (int y = 0; y < kKeyboardHeight; ++y)
            {
                const uint32_t* from = whole.row(y) + halfLeft;
                const int* owner = owners.data() + y * 2 * kHalfWidth + halfLeft;
                uint32_t* to = half.row(y);
                for (int x = 0; x < kHalfWidth; ++x)
                    to[x] = owner[x] == index ? (from[x] | 0xff000000u) : 0u;
            }
            cairo_surface_mark_dirty(half.surface());
            if (!half.writePng(folder + "/" + fileName(down != 0, index)))
                return false;
        }
    return true;
}
} // namespace mkskin
