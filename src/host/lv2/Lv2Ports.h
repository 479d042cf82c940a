// The LV2 plug-in's ports, which its Turtle description (written at build time) and its instance share:
// the MIDI input, the two audio outputs, the reported latency, then one control input per parameter in
// parameter order. A port's symbol names it in songs, so the symbols never change.
#pragma once

#include <cstdint>

namespace host
{

namespace lv2port
{
constexpr uint32_t kMidiIn = 0;
constexpr uint32_t kLeftOut = 1;
constexpr uint32_t kRightOut = 2;
constexpr uint32_t kLatency = 3;
constexpr uint32_t kFirstParameter = 4;

// The parameters' symbols, in parameter order.
constexpr const char* kParameterSymbols[] = {"lid",    "hammer",         "reverb",    "reverb_type",
                                             "volume", "velocity_curve", "resonance", "chorus",
                                             "bass",   "middle",         "treble"};
constexpr uint32_t kParameterCount = sizeof kParameterSymbols / sizeof kParameterSymbols[0];
constexpr uint32_t kCount = kFirstParameter + kParameterCount;
} // namespace lv2port

} // namespace host
