#pragma once
// The event ids the editor's controls send and the control ids the editor knows them by.
#include <cstdint>

namespace editor
{

constexpr int kEventButton = 1000;
constexpr int kEventSlider = 1001;
constexpr int kEventSustain = 1002;
constexpr int kEventSoft = 1003;
constexpr int kEventKeyDown = 1004;
constexpr int kEventKeyUp = 1005;

constexpr int32_t kIdLidUp = 0;
constexpr int32_t kIdLidDown = 1;
constexpr int32_t kIdHammer = 2;
constexpr int32_t kIdChorus = 3;
constexpr int32_t kIdReverbAmount = 4;
constexpr int32_t kIdVolume = 5;
constexpr int32_t kIdAdjust = 6;
constexpr int32_t kIdPedals = 7;
constexpr int32_t kIdSympRes = 8;
constexpr int32_t kIdBass = 9;
constexpr int32_t kIdMiddle = 10;
constexpr int32_t kIdTreble = 11;
constexpr int32_t kIdDialogClose = 12;
constexpr int32_t kIdVelocityDropdown = 13;
constexpr int32_t kIdHelp = 14;
constexpr int32_t kIdReverbDropdown = 15;
constexpr int32_t kIdKeys = 16;

// What a slider sends with kEventSlider.
struct SliderEvent
{
    int32_t controlId;
    double value;
};

// The drop-downs' caption: left-aligned, vertically centred, one line, in this colour.
constexpr unsigned kDropdownCaptionFormat = 0x24;
constexpr uint32_t kDropdownCaptionColour = 0xe1e2e3;

} // namespace editor
