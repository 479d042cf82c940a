#include "instrument/InstrumentFixture.h"

#include <fstream>
#include <random>

#include "platform/Platform.h"

namespace fs = std::filesystem;

void InstrumentFixture::SetUp()
{
    std::random_device random;
    folder = fs::temp_directory_path() / ("virellando-instrument-" + std::to_string(random()));
    fs::create_directories(folder);
    platform::SetModuleFileName((folder / "Grand.so").string());
}

void InstrumentFixture::TearDown()
{
    platform::SetModuleFileName("");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

fs::path InstrumentFixture::beside(const std::string& extension) const
{
    return folder / ("Grand." + extension);
}

void InstrumentFixture::writeBeside(const std::string& extension, const std::vector<uint8_t>& bytes) const
{
    std::ofstream out(beside(extension), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

host::VstIntPtr InstrumentFixture::host(host::AEffect*, host::VstInt32 opcode, host::VstInt32,
                                        host::VstIntPtr, void*, float)
{
    return opcode == host::audioMasterVersion ? 2400 : 0;
}
