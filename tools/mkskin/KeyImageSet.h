#pragma once
// The 176 key pictures: for each key, up and down, a picture the size of its half of the keyboard,
// opaque exactly over the pixels the key owns and fully transparent elsewhere, cut from the whole
// keyboard drawn with that key in that state (so shadows and edges match the neighbours).
#include <string>

#include "mkskin/KeyboardGeometry.h"

namespace mkskin
{
class KeyImageSet
{
public:
    explicit KeyImageSet(const KeyboardGeometry& keyboard) : geometry(keyboard) {}

    // The file of key index in the given state, e.g. "KeyUp07.png".
    static std::string fileName(bool down, int index);
    // Writes all 176 files into folder; false when one cannot be written.
    bool write(const std::string& folder) const;

private:
    const KeyboardGeometry& geometry;
};
} // namespace mkskin
