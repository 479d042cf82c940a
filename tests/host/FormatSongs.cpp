#include "host/FormatSongs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/SampleDataCache.h"

using namespace host;

namespace hosttest
{

const Song kPedalledSong = {{1000, 0x90, 48, 90},   {1000, 0x90, 55, 70},  {1200, 0xB0, 64, 127},
                            {4614, 0x90, 64, 100},  {9000, 0x80, 48, 0},   {9000, 0x80, 55, 0},
                            {12000, 0x80, 64, 0},   {15000, 0xB0, 64, 0},  {15001, 0xB0, 7, 40},
                            {16000, 0xB0, 67, 127}, {16500, 0x90, 60, 96}, {21000, 0x80, 60, 0}};

std::unique_ptr<plughost::PluginInstance> StartVst2(PluginFolder& folder, const std::vector<uint8_t>& bank,
                                                    double rate, int block)
{
    folder.addBank(bank);
    plughost::HostAnswers answers;
    answers.sampleRate = rate;
    answers.blockSize = block;
    auto instance = folder.instantiate(answers);
    if (!instance || !WaitForSampleData(*instance))
    {
        ADD_FAILURE() << "the VST 2.4 module did not start";
        return nullptr;
    }
    instance->setBlockSize(block);
    instance->dispatch(effMainsChanged, 0, 1);
    return instance;
}

std::vector<float> RenderLv2(formathost::Lv2Instance& plugin, int frames, int block, const Song& song)
{
    std::vector<float> left(static_cast<size_t>(frames), NAN), right(static_cast<size_t>(frames), NAN);
    auto next = song.begin();
    for (int position = 0; position < frames; position += block)
    {
        const int n = std::min(block, frames - position);
        std::vector<formathost::Lv2Midi> midi;
        for (; next != song.end() && next->frame < position + n; ++next)
            midi.push_back({next->frame - position, {next->status, next->data1, next->data2}});
        plugin.run(left.data() + position, right.data() + position, n, midi);
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

std::vector<float> RenderVst3(formathost::Vst3Instance& plugin, int frames, int block, const Song& song)
{
    std::vector<float> left(static_cast<size_t>(frames), NAN), right(static_cast<size_t>(frames), NAN);
    auto next = song.begin();
    for (int position = 0; position < frames; position += block)
    {
        const int n = std::min(block, frames - position);
        for (; next != song.end() && next->frame < position + n; ++next)
        {
            const int offset = next->frame - position;
            const int kind = next->status & 0xf0;
            if (kind == 0xB0)
                plugin.changes.add(1000 + next->data1, offset, next->data2 / 127.0);
            else
                plugin.events.addNote(offset, kind == 0x90 && next->data2 > 0, next->data1,
                                      next->data2 / 127.0f);
        }
        plugin.process(left.data() + position, right.data() + position, n);
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

bool WaitForLinkedSampleData()
{
    return WaitUntil([] { return engine::SampleDataCache::shared().loadDone(); });
}

} // namespace hosttest
