#pragma once
// Where the editor puts each picture, and the sizes the skin gives them. The positions are the
// editor's fixed layout; the sizes are the skin's choice within it (controls take their size from
// their pictures), chosen so that nothing overlaps its neighbour.
namespace mkskin
{
constexpr int kPianoWidth = 800;
constexpr int kPianoHeight = 492;
constexpr int kPanelWidth = 800;
constexpr int kPanelHeight = 84;
constexpr int kDialogSize = 400;

// The keyboard: two halves of 26 white keys each, side by side.
constexpr int kKeyboardX = 76;
constexpr int kKeyboardY = 256;
constexpr int kHalfWidth = 324;
constexpr int kKeyboardHeight = 70;

constexpr int kPedalsX = 354;
constexpr int kPedalsY = 433;
constexpr int kPedalsWidth = 92;
constexpr int kPedalsHeight = 56;

// Buttons on the piano picture.
constexpr int kLidUpX = 730, kLidUpY = 23;
constexpr int kLidDownX = 760, kLidDownY = 23;
constexpr int kLidButtonSize = 26;
constexpr int kHelpX = 753, kHelpY = 63;
constexpr int kHelpSize = 26;

// Controls on the control panel.
constexpr int kHammerX = 43, kHammerY = 25;
constexpr int kAdjustX = 215, kAdjustY = 24;
constexpr int kAdjustWidth = 130, kAdjustHeight = 32;
constexpr int kReverbX = 381, kReverbY = 25;
constexpr int kDropdownX = 481, kDropdownY = 25;
constexpr int kDropdownWidth = 128, kDropdownHeight = 28;
constexpr int kVolumeX = 625, kVolumeY = 25;

// Controls in the tone controls dialog.
constexpr int kCloseX = 365, kCloseY = 10;
constexpr int kCloseSize = 24;
constexpr int kVelocityX = 233, kVelocityY = 48;
constexpr int kDialogDropdownWidth = 140;
constexpr int kResonanceX = 230, kResonanceY = 110;
constexpr int kChorusX = 230, kChorusY = 180;
constexpr int kBassX = 32, kMiddleX = 148, kTrebleX = 260, kEqY = 305;

// Sliders: base (track) and knob sizes; the knob is at least as tall as the base.
struct SliderSize
{
    int baseWidth;
    int baseHeight;
    int knobWidth;
    int knobHeight;
};
constexpr SliderSize kSlider = {156, 12, 18, 30};
constexpr SliderSize kSliderShort = {88, 12, 18, 30};
constexpr SliderSize kSliderSmall = {100, 10, 16, 26};

// The splash window: its dialog template of 198 × 124 dialog units in pixels.
constexpr int kSplashWidth = 297;
constexpr int kSplashHeight = 202;
} // namespace mkskin
