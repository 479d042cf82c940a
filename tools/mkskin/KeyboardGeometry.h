#pragma once
// The 88 keys of the on-screen keyboard, A0 first, in the pixels of the whole keyboard (two halves
// side by side): white keys of equal width, black keys placed as on a real keyboard (each octave's
// back divided into twelve equal parts), and which key owns each pixel.
namespace mkskin
{
struct KeyShape
{
    bool black;
    double left;  // x of the left edge
    double right; // x of the right edge
};

class KeyboardGeometry
{
public:
    static constexpr int kKeys = 88;
    static constexpr int kKeysPerHalf = 44;
    static constexpr int kWhiteKeys = 52;
    // Rows of the white keys' top surface; below it their front face.
    static constexpr double kWhiteTop = 62;
    // Rows of the black keys' top surface, then their sloping front, ending above row 43 where
    // the keyboard's second drawing pass covers everything with the white keys' front parts.
    static constexpr double kBlackTop = 36;
    static constexpr double kBlackEnd = 40;

    KeyboardGeometry();

    double whiteWidth() const { return whiteKeyWidth; }
    const KeyShape& key(int index) const { return keys[index]; }
    static bool isBlack(int index);
    // The key whose picture covers the pixel (x, y) of the whole keyboard: a black key where one
    // lies, else the white key under the pixel's centre.
    int ownerOf(int x, int y) const;

private:
    double whiteKeyWidth;
    KeyShape keys[kKeys];
};
} // namespace mkskin
