// libFuzzer target: any bytes as a state chunk from a host's saved song. The instrument takes a 48-byte
// chunk as it comes and must still render finite audio and report every parameter within 0..1 with a text
// that fits the host's buffer. One instance serves every input; the chunk replaces all its settings.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "instrument/VstXSynth.h"
#include "instrument/fuzz/FuzzedInstrument.h"

using namespace instrument;
using instrumenttest::FuzzCheck;

namespace
{
constexpr int kBlockFrames = 256;
constexpr int kBlocks = 3;
// What hosts reserve for a parameter text, with its terminator.
constexpr size_t kTextBytes = ParameterTable::kTextLimit + 1;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // No sound bank, string table or presets: the engine's silence through the whole effects chain.
    static instrumenttest::FuzzedInstrument instrument("chunk");
    VstXSynth& synth = instrument.synth();

    std::vector<uint8_t> chunk(data, data + size);
    const host::VstInt32 taken =
        synth.setChunk(chunk.data(), static_cast<host::VstInt32>(size), size % 2 == 0);
    FuzzCheck(taken == (size == 48 ? 48 : 0));

    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    float* outputs[2] = {left.data(), right.data()};
    for (int block = 0; block < kBlocks; ++block)
    {
        synth.processReplacing(nullptr, outputs, kBlockFrames);
        for (int i = 0; i < kBlockFrames; ++i)
            FuzzCheck(std::isfinite(left[i]) && std::isfinite(right[i]));
    }

    for (host::VstInt32 index = 0; index < VstXSynth::kNumParams; ++index)
    {
        const float value = synth.getParameter(index);
        FuzzCheck(value >= 0.0f && value <= 1.0f);
        // Exactly what hosts reserve, on the heap so that a longer text is caught.
        std::unique_ptr<char[]> text(new char[kTextBytes]());
        synth.getParameterDisplay(index, text.get());
    }
    return 0;
}
