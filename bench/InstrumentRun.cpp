#include "InstrumentRun.h"

#include <chrono>
#include <random>
#include <thread>

#include "engine/SampleDataCache.h"
#include "platform/Platform.h"

using namespace host;

namespace
{
// Waiting for the sample data ends after a minute, however busy the machine.
constexpr int kLoadPolls = 6000;

VstIntPtr AnswerHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}
} // namespace

InstrumentRun::~InstrumentRun()
{
    synth.reset();
    platform::SetModuleFileName("");
    std::error_code ignored;
    if (!folder.empty())
        std::filesystem::remove_all(folder, ignored);
}

bool InstrumentRun::open(const std::string& bank, const NoteSequence& piece, int sampleRate, int frames,
                         std::string& error)
{
    std::random_device random;
    folder = std::filesystem::temp_directory_path() / ("virellando-bench-" + std::to_string(random()));
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    // The bank is linked, not copied: it is read where it lies.
    if (!failed)
        std::filesystem::create_symlink(std::filesystem::absolute(bank), folder / "Grand.DAT", failed);
    if (failed)
    {
        error = "cannot make a folder for the instrument: " + failed.message();
        return false;
    }
    platform::SetModuleFileName((folder / "Grand.so").string());
    synth = std::make_unique<instrument::VstXSynth>(AnswerHost);
    engine::SampleDataCache& cache = engine::SampleDataCache::shared();
    for (int i = 0; i < kLoadPolls && !cache.loadDone(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!synth->synthEngine() || !synth->synthEngine()->hasSoundBank() || !cache.loadDone())
    {
        error = "the linked instrument does not load " + bank;
        return false;
    }
    synth->setSampleRate(static_cast<float>(sampleRate));
    synth->setBlockSize(frames);
    synth->resume();
    left = std::make_unique<float[]>(static_cast<size_t>(frames));
    right = std::make_unique<float[]>(static_cast<size_t>(frames));
    pieceEvents.prepare(piece);
    startPiece(piece, frames);
    return true;
}

void InstrumentRun::playBlock()
{
    VstEvents* list = pieceEvents.take(*notes, next, start, start + static_cast<uint64_t>(blockFrames));
    if (list->numEvents > 0)
        synth->processEvents(list);
    float* outputs[2] = {left.get(), right.get()};
    synth->processReplacing(nullptr, outputs, blockFrames);
    voices.add(synth->synthEngine()->activeVoices());
}
