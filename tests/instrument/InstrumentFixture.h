// An instrument linked into the test, with its module file placed in a temporary folder so that the files
// beside it (sound bank, string table, presets) are the test's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/VstInterface.h"

class InstrumentFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The module's own name is Grand.so; files beside it are Grand.<extension>.
    std::filesystem::path beside(const std::string& extension) const;
    void writeBeside(const std::string& extension, const std::vector<uint8_t>& bytes) const;

    static host::VstIntPtr host(host::AEffect*, host::VstInt32 opcode, host::VstInt32, host::VstIntPtr, void*,
                                float);

    std::filesystem::path folder;
};
