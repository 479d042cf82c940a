#pragma once

#include "render/RenderOptions.h"

#include <ostream>
#include <string>
#include <vector>

namespace plughost
{
class PluginInstance;
}

namespace render
{

class MidiFile;
class RenderStats;
class WavWriter;

// The whole of virellando-render: reads the command line and the MIDI file, loads the plug-in, sets it
// up (program, then saved state, then parameters), waits for its sound bank, renders into the WAV file
// and reports the figures. Results go to out, progress and errors to err.
class Renderer
{
public:
    Renderer(std::ostream& outStream, std::ostream& errStream) : out(outStream), err(errStream) {}

    // Exit status: 0 done, 1 the render failed, 2 the command line is wrong.
    int run(const std::vector<std::string>& args);

private:
    bool render(const RenderOptions& options);
    bool setUp(plughost::PluginInstance& instance, const RenderOptions& options);
    bool waitForSoundBank(plughost::PluginInstance& instance, const RenderOptions& options);
    bool playPiece(plughost::PluginInstance& instance, const MidiFile& midi, const RenderOptions& options,
                   WavWriter& wav, RenderStats& stats);
    bool saveState(plughost::PluginInstance& instance, const std::string& path);
    bool fail(const std::string& message);

    std::ostream& out;
    std::ostream& err;
    std::string error;
};

} // namespace render
