#include "RiffBank.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

RiffBank::RiffBank(const std::string& bank)
{
    char tag[4] = {};
    std::ifstream in(bank, std::ios::binary);
    if (!in.read(tag, sizeof tag))
        return;
    if (std::memcmp(tag, "RIFF", 4) == 0)
    {
        riffPath = bank;
        return;
    }
    const fs::path copy =
        fs::temp_directory_path() / ("virellando-bench-" + std::to_string(std::random_device{}()) + ".sf2");
    std::error_code error;
    if (!fs::copy_file(bank, copy, fs::copy_options::overwrite_existing, error))
        return;
    std::fstream out(copy, std::ios::binary | std::ios::in | std::ios::out);
    if (!out.write("RIFF", 4))
    {
        fs::remove(copy, error);
        return;
    }
    riffPath = copy.string();
    temporary = true;
}

RiffBank::~RiffBank()
{
    if (temporary)
    {
        std::error_code ignored;
        fs::remove(riffPath, ignored);
    }
}
