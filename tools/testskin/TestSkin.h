#pragma once
// A small skin with every item the editor names, drawn by program: plain shapes in distinct colours so
// that tests and screenshots can tell the pictures apart. Used until the product's skin is in the bundle.
#include <string>

namespace testskin
{

// Geometry of the keys the skin draws, for tests that aim at a key.
constexpr int kWhiteKeyWidth = 12;
constexpr int kKeyHeight = 72;
constexpr int kBlackKeyRows = 43;
constexpr int kBlackKeyWidth = 8;
// Colours (0xAARRGGBB pixels) of a released and a pressed white key.
constexpr unsigned kWhiteUp = 0xfff4f4f0;
constexpr unsigned kWhiteDown = 0xff5aa0e6;

// Writes skinFile and its pictures (into a folder beside it named after the file); false on a write error.
bool Write(const std::string& skinFile);
// The point, relative to the keyboard's top-left corner, in the middle of a key's lower part (a white
// key) or of its visible part (a black key).
void KeyCentre(int keyIndex, int& x, int& y);

} // namespace testskin
