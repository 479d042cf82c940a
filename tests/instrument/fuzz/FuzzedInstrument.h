// What the instrument's fuzz targets share: an instance whose module file lies in a temporary folder of its
// own, with or without a sound bank beside it, and the check that stops the fuzzer on a broken promise.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/LoadWait.h"
#include "engine/SampleDataCache.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"

namespace instrumenttest
{

// Ends the run, so that the fuzzer keeps the input that broke a promise.
inline void FuzzCheck(bool condition)
{
    if (!condition)
        std::abort();
}

class FuzzedInstrument
{
public:
    // name: a word for the folder. Without a bank the instrument renders the engine's silence through the
    // whole effects chain; with one it waits until the bank's samples are read. A block size of 0 leaves
    // the instrument's own.
    explicit FuzzedInstrument(const std::string& name, const std::vector<uint8_t>& bank = {},
                              int blockSize = 0)
    {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() /
                 ("virellando-" + name + "-fuzz-" + std::to_string(random()));
        std::filesystem::create_directories(folder);
        if (!bank.empty())
            std::ofstream((folder / "Grand.DAT").string(), std::ios::binary)
                .write(reinterpret_cast<const char*>(bank.data()), static_cast<std::streamsize>(bank.size()));
        platform::SetModuleFileName((folder / "Grand.so").string());
        instance = std::make_unique<instrument::VstXSynth>(hostCallback);
        if (!bank.empty())
            enginetest::WaitForLoadDone(engine::SampleDataCache::shared());
        if (blockSize > 0)
        {
            instance->setBlockSize(blockSize);
            instance->resume();
        }
    }
    ~FuzzedInstrument()
    {
        instance.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    FuzzedInstrument(const FuzzedInstrument&) = delete;
    FuzzedInstrument& operator=(const FuzzedInstrument&) = delete;

    instrument::VstXSynth& synth() { return *instance; }

private:
    static host::VstIntPtr hostCallback(host::AEffect*, host::VstInt32 opcode, host::VstInt32,
                                        host::VstIntPtr, void*, float)
    {
        return opcode == host::audioMasterVersion ? 2400 : 0;
    }

    std::filesystem::path folder;
    std::unique_ptr<instrument::VstXSynth> instance;
};

} // namespace instrumenttest
