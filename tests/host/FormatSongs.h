// Songs played through each of the plug-in's formats alike, for the tests that hold the LV2 and VST3 adapters
// to the VST 2.4 module: the same MIDI at the same frames, in blocks of a given length, through each format's
// own way of carrying it (VST 2.4 events; LV2 atoms; VST3 note events, and controllers as parameter
// changes through MIDI mapping). Renders give the left channel, then the right.
#pragma once

#include <memory>
#include <vector>

#include "formathost/Lv2Host.h"
#include "formathost/Vst3Host.h"
#include "support/PluginFolder.h"

namespace hosttest
{

using Song = std::vector<SongEvent>;

// A pedalled chord, a note over it, the pedal lifted, the volume turned down, then a soft note.
extern const Song kPedalledSong;

// The VST 2.4 module with the bank beside it, instantiated at the rate and block length, its sample data
// read; null (with a test failure) when that fails.
std::unique_ptr<plughost::PluginInstance> StartVst2(PluginFolder& folder, const std::vector<uint8_t>& bank,
                                                    double rate, int block);

std::vector<float> RenderLv2(formathost::Lv2Instance& plugin, int frames, int block, const Song& song);
std::vector<float> RenderVst3(formathost::Vst3Instance& plugin, int frames, int block, const Song& song);

// Waits until the sample data of the instrument linked into this program is read, a minute at most; false
// when it never is. The data stays while an instance uses it.
bool WaitForLinkedSampleData();

} // namespace hosttest
